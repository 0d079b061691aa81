#pragma once
// Icons of the desktop's icon theme. Qt names them by enumerator from 6.7 on; older
// Qt (Debian's 6.4) only knows the freedesktop names, so both are kept side by side.
#include <QIcon>

enum class ThemeIconId { FolderOpen, SystemReboot, SyncSynchronizing, AddressBookNew, DocumentNew };

// Empty where the platform has no icon theme or the theme lacks the icon.
QIcon themeIcon(ThemeIconId id);
