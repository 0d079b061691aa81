#pragma once
#include <QColor>
#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class CompareDialog;
}

// One value in which another label file differs from this one, in the window's words.
struct CompareRow {
    QString setting;
    QString here;
    QString there;
    bool takeable = true;  // both files hold it in a form the editor reads
    QColor hereColour;     // a colour setting's swatches; invalid for other settings
    QColor thereColour;
};

// The values in which another label file (or a backup) differs, each with a check box:
// the player ticks those to take, or takes all or none. Nothing is written here: the
// window makes the ticked ones its changes when the dialog is accepted.
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const std::vector<CompareRow>& rows, const QString& otherName, QWidget* parent = nullptr);
    ~CompareDialog() override;

    // The rows ticked, by their place in the rows given.
    std::vector<std::size_t> ticked() const;

private slots:
    void on_pushButton_take_all_clicked();
    void on_pushButton_take_none_clicked();

private:
    void tickAll(bool on);

    std::unique_ptr<Ui::CompareDialog> ui;
};
