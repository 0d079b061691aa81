#pragma once
#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class BackupsDialog;
}

// One copy of Labels.lua the editor kept: when it was made, and how many settings of it
// differ from the file (none when it cannot be read).
struct BackupRow {
    QString made;
    std::optional<std::size_t> differing;
};

// The copies the editor kept, newest first. Compare… accepts the dialog with the copy
// chosen, which the window then compares with the file.
class BackupsDialog : public QDialog {
    Q_OBJECT
public:
    explicit BackupsDialog(const std::vector<BackupRow>& rows, QWidget* parent = nullptr);
    ~BackupsDialog() override;

    // The copy chosen, by its place in the rows given.
    std::optional<std::size_t> chosen() const;

private:
    std::unique_ptr<Ui::BackupsDialog> ui;
};
