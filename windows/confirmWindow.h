#pragma once
// Tells the user that the label file was written. English in every interface language.
#include <QMainWindow>

namespace Ui {
class confirmWindow;
}

class confirmWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit confirmWindow(QWidget* parent = nullptr);
    ~confirmWindow() override;

private slots:
    void on_pushButton_clicked();

private:
    Ui::confirmWindow* ui;
};
