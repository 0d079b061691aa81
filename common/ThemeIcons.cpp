#include "common/ThemeIcons.h"

#include <QString>

namespace {
// In the order of ThemeIconId.
const char* const names[] = {"folder-open", "system-reboot", "sync-synchronizing", "address-book-new", "document-new"};
}  // namespace

QIcon themeIcon(ThemeIconId id)
{
    const auto index = static_cast<int>(id);
    const QIcon drawn(QStringLiteral(":/halvane_res/Resource/icons/%1.png").arg(QLatin1String(names[index])));
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    static const QIcon::ThemeIcon icons[]
        = {QIcon::ThemeIcon::FolderOpen, QIcon::ThemeIcon::SystemReboot, QIcon::ThemeIcon::SyncSynchronizing,
           QIcon::ThemeIcon::AddressBookNew, QIcon::ThemeIcon::DocumentNew};
    return QIcon::fromTheme(icons[index], drawn);
#else
    return QIcon::fromTheme(QString::fromLatin1(names[index]), drawn);
#endif
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/halvane_res/Resource/app-icon-%1.png").arg(size), QSize(size, size));
    return icon;
}
