#pragma once
// The small window in which the user names the simulator's home directory.
#include <QMainWindow>
#include <filesystem>

namespace Ui {
class SDwindow;
}

class SDwindow : public QMainWindow {
    Q_OBJECT

public:
    explicit SDwindow(QWidget* parent = nullptr);
    ~SDwindow() override;

private slots:
    void on_choseDirectory_clicked();
    void on_action_English_triggered();
    void on_action_Chinese_triggered();
    void on_action_Russian_triggered();
    void on_action_Japanese_triggered();

private:
    void storeWorkDirectory(const std::filesystem::path& directory);
    void chooseLanguage(int index);

    Ui::SDwindow* ui;
};
