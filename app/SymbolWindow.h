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

private:
    void addPalette();
    void pick(const QString& symbol);

    Ui::SymbolWindow* ui;
};
