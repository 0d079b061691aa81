#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel placeholder("HALVANE Label Manager: the windows are not built yet.");
    placeholder.show();
    return app.exec();
}
