#pragma once
// Process-wide objects of the running editor. The windows are created once and
// reach each other through these references; start-up (or a GUI test) sets them.
class QPushButton;
class QTextEdit;
class QWidget;
class ProfileStore;
class LabelConfig;
class MainWindow;
class SDwindow;
class SymbolWindow;
class confirmWindow;

namespace app {
extern ProfileStore* profile;
extern LabelConfig* labelConfig;
extern MainWindow* mainWindow;  // empty until the main window is first needed
extern SDwindow* directoryWindow;
extern SymbolWindow* symbolWindow;
extern confirmWindow* confirmationWindow;

// Where the symbol picker writes: one of the main window's symbol text fields and its button.
extern QTextEdit* pickerTargetField;
extern QPushButton* pickerTargetButton;

// Closes a window and shows it again, so an open window is brought up anew.
void closeAndShow(QWidget* window);
}  // namespace app
