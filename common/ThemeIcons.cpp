#include "common/ThemeIcons.h"

// Both lists follow the order of ThemeIconId.
QIcon themeIcon(ThemeIconId id)
{
    const auto index = static_cast<int>(id);
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    static const QIcon::ThemeIcon icons[]
        = {QIcon::ThemeIcon::FolderOpen, QIcon::ThemeIcon::SystemReboot, QIcon::ThemeIcon::SyncSynchronizing,
           QIcon::ThemeIcon::AddressBookNew, QIcon::ThemeIcon::DocumentNew};
    return QIcon::fromTheme(icons[index]);
#else
    static const char* const names[]
        = {"folder-open", "system-reboot", "sync-synchronizing", "address-book-new", "document-new"};
    return QIcon::fromTheme(QString::fromLatin1(names[index]));
#endif
}
