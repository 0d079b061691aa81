#pragma once
// Icons of the desktop's icon theme, with the editor's own drawings (in the resource
// bundle) where the desktop has no theme or the theme lacks the icon. Qt names theme
// icons by enumerator from 6.7 on; older Qt (Debian's 6.4) only knows the freedesktop
// names, which the bundle's drawings are also named after.
#include <QIcon>

enum class ThemeIconId { FolderOpen, SystemReboot, SyncSynchronizing, AddressBookNew, DocumentNew };

QIcon themeIcon(ThemeIconId id);

// The program's own icon, as the desktop's menu shows it.
QIcon applicationIcon();
