#pragma once
// The palette of 48 symbols from which the main window's symbol fields are chosen.
#include <QMainWindow>

namespace Ui {
class SymbolWindow;
}

class SymbolWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit SymbolWindow(QWidget* parent = nullptr);
    ~SymbolWindow() override;

signals:
    // A palette button was pressed; the window has closed itself.
    void symbolPicked(const QString& symbol);

private:
    void addPalette();
    void pick(const QString& symbol);

    Ui::SymbolWindow* ui;
};
