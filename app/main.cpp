#include <QApplication>

#include "app/StartUp.h"

int main(int argc, char** argv)
{
    // The models are read before the application object exists; a folder that could
    // not be read is reported once there is an application to show the message.
    startup::Editor editor;
    QApplication application(argc, argv);
    editor.openWindows();
    const int status = QApplication::exec();
    editor.closeWindows();
    return status;
}
