#pragma once
// Process-wide references to the running editor's models and windows. The editor
// (StartUp.h) sets them while it runs; windows never use them, only start-up and the
// tests that drive the whole program.
class QWidget;
class ProfileStore;
class LabelConfig;
class MainWindow;
class SDwindow;
class SymbolWindow;
class confirmWindow;

namespace app {
extern ProfileStore* profile;
extern LabelConfig* labelConfig;  // empty while no folder could be read
extern MainWindow* mainWindow;    // empty until the main window is first needed
extern SDwindow* directoryWindow;
extern SymbolWindow* symbolWindow;
extern confirmWindow* confirmationWindow;

// Closes a window and shows it again, so an open window is brought up anew.
void closeAndShow(QWidget* window);
}  // namespace app
