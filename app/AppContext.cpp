#include "app/AppContext.h"

#include <QWidget>

namespace app {
ProfileStore* profile = nullptr;
LabelConfig* labelConfig = nullptr;
MainWindow* mainWindow = nullptr;
SDwindow* directoryWindow = nullptr;
SymbolWindow* symbolWindow = nullptr;
confirmWindow* confirmationWindow = nullptr;

void closeAndShow(QWidget* window)
{
    window->close();
    window->show();
}
}  // namespace app
