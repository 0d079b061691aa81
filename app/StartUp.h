#pragma once
// The start-up sequence and the moves between windows that more than one window makes.
// Start-up is split where the application object comes into being: the models are
// read before it exists, the windows and any message to the user come after.
#include <filesystem>
#include <optional>
#include <system_error>

class QWidget;

namespace startup {
using LoadProblem = std::optional<std::filesystem::filesystem_error>;

// Builds the engine's bracket pairs and the alignment tables, then app::profile and
// app::labelConfig. A file-system error while looking for the label file does not end
// the program: it is returned, and app::labelConfig stays empty until the user
// chooses a folder that can be read.
LoadProblem loadModels();

// Needs the application object. Registers the preview font and builds the directory
// window, the symbol picker and the confirmation window; then shows the main window
// when the label file exists, otherwise the directory window (telling the user first
// about a folder that could not be read).
void openWindows(const LoadProblem& loadProblem);

// Shows the main window filled from the model, building it on first need.
void showMainWindow();

// Tells the user, in the current language, that the work directory could not be read.
void reportUnreadableFolder(QWidget* parent, const std::system_error& error);
}  // namespace startup
