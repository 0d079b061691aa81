#pragma once
// Tells the user that the label file was written, in English in every interface
// language, and lists the entries Apply moved with their band, in the player's.
#include <QMainWindow>

namespace Ui {
class confirmWindow;
}

class confirmWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit confirmWindow(QWidget* parent = nullptr);
    ~confirmWindow() override;

    // The entries the write moved, as the main window words them; empty for none, which
    // leaves "Configuration applied" alone.
    void showMovedKeys(const QString& movedKeys);

private slots:
    void on_pushButton_clicked();

private:
    Ui::confirmWindow* ui;
};
