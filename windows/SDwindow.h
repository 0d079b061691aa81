#pragma once
// The small window in which the user names the simulator's home directory.
#include <QMainWindow>
#include <QRect>

class ProfileStore;
namespace Ui {
class SDwindow;
}

class SDwindow : public QMainWindow {
    Q_OBJECT

public:
    // The profile keeps the interface language chosen here; it outlives the window.
    explicit SDwindow(ProfileStore& profile, QWidget* parent = nullptr);
    ~SDwindow() override;

    // Sets the texts of the current language (another window may have changed it).
    void applyTexts();

signals:
    // The user chose a folder in the folder dialog (a cancelled dialog says nothing).
    void directoryChosen(const QString& directory);

private slots:
    void on_choseDirectory_clicked();
    void on_action_English_triggered();
    void on_action_Chinese_triggered();
    void on_action_Russian_triggered();
    void on_action_Japanese_triggered();

private:
    void chooseLanguage(int index);

    ProfileStore& profile;
    Ui::SDwindow* ui;
    QRect buttonPlace;  // where the form puts the button and the prompt
    QRect promptPlace;
};
