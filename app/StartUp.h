#pragma once
// The running editor: its models, its windows and the moves between them. This is the
// one place that knows every window; the windows only say, by their signals, where the
// player is going next.
//
// Start-up is split in two: the models are read first, the windows and any message to
// the user come after.
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/FileLocations.h"

class QWidget;
class ProfileStore;
class LabelConfig;
class MainWindow;
class SDwindow;
class SymbolWindow;
class confirmWindow;

namespace startup {

class Editor {
public:
    // Needs the application object. Finds where the profile and the factory copy are,
    // builds the engine's bracket pairs and the alignment tables, then the profile (made
    // at the first start) and the label model, and points the process-wide references at
    // them. A file-system
    // error while looking for the label file does not end the program: it is told once
    // the windows are open, and the label model stays empty until the user chooses a
    // folder that can be read.
    Editor();
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Registers the preview font and builds the directory
    // window, the symbol picker and the confirmation window; then shows the main window
    // when the label file exists, otherwise the directory window (telling the user first
    // about a folder that could not be read).
    void openWindows();

private:
    // Destroys the windows, which hold the models.
    void closeWindows();
    // Shows the main window filled from the model, building it on first need.
    void showMainWindow();
    // The directory window's choice: remembered, read, and the main window opened when
    // the folder holds a label file.
    void useDirectory(const QString& chosen);
    // Asks to make a label file from the factory copy; true when there is one now.
    bool offerNewLabelFile(const QString& folder);
    void buildLabelConfig();
    void reselectDirectory();
    // Tells the user, in the current language, that the work directory could not be read.
    void reportUnreadableFolder(QWidget* parent, const std::system_error& error);

    FileLocations locations;
    std::unique_ptr<ProfileStore> profile;
    std::unique_ptr<LabelConfig> labelConfig;
    std::optional<std::filesystem::filesystem_error> loadProblem;
    std::unique_ptr<SDwindow> directoryWindow;
    std::unique_ptr<SymbolWindow> symbolWindow;
    std::unique_ptr<confirmWindow> confirmationWindow;
    std::unique_ptr<MainWindow> mainWindow;
};

}  // namespace startup
