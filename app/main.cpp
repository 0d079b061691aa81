#include <QApplication>

#include "StartUp.h"

int main(int argc, char** argv)
{
    // The models are read before the application object exists; a folder that could
    // not be read is reported once there is an application to show the message.
    const startup::LoadProblem loadProblem = startup::loadModels();
    QApplication application(argc, argv);
    startup::openWindows(loadProblem);
    return application.exec();
}
