#include <QApplication>

#include "cli/CommandLine.h"
#include "app/StartUp.h"

int main(int argc, char** argv)
{
    // The command line needs no display: servers have none.
    if (cli::wanted(argc, argv))
        return cli::start(argc, argv);
    QApplication application(argc, argv);
    // Names the per-user configuration folder, where an installed editor keeps its profile.
    QCoreApplication::setApplicationName(QStringLiteral("halvane-label-manager"));
    // Ties the windows to the menu entry and its icon on desktops that ask (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("halvane-label-manager"));
    // A folder that could not be read while the models were read is reported once the
    // windows exist.
    startup::Editor editor;
    editor.openWindows();
    return QApplication::exec();
}
