#include "windows/SymbolWindow.h"

#include <QPushButton>

#include "common/KeyClosing.h"
#include "ui_SymbolWindow.h"

namespace {
constexpr int paletteColumns = 8;

// Row by row, eight to a row.
// clang-format off
constexpr char32_t paletteSymbols[] = {
    U'\u25EF', U'\u2299', U'\u263C', U'\u2744', U'\u2727', U'\u2730', U'\u2721', U'\u273B',
    U'\u2722', U'\u2610', U'\u2661', U'\u229E', U'\u22A1', U'\u2394', U'\u2B20', U'\u25EC',
    U'\u25B2', U'\u2B19', U'\u25B7', U'\u25BA', U'\u25BC', U'\u25C0', U'\u25C1', U'\u2295',
    U'\u2297', U'\u26AB', U'\u29BE', U'\u25B3', U'\u2623', U'\u2318', U'\u2573', U'\u2622',
    U'\u2716', U'\u2715', U'\u2662', U'\u2664', U'\u27B3', U'\u27B4', U'\u27B5', U'\u27B6',
    U'\u27B7', U'\u27B8', U'\u27B9', U'\u272A', U'\u2042', U'\u2620', U'\u2B21', U'\u2B23',
};
// clang-format on
}  // namespace

SymbolWindow::SymbolWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::SymbolWindow)
{
    ui->setupUi(this);
    addPalette();
    closeOnKeys(*this, {Qt::Key_Escape});
}

SymbolWindow::~SymbolWindow() { delete ui; }

void SymbolWindow::addPalette()
{
    int index = 0;
    for (const char32_t codePoint : paletteSymbols) {
        auto* button = new QPushButton(QString::fromUcs4(&codePoint, 1), this);
        button->setFixedSize(40, 40);
        QFont font = button->font();
        font.setPointSize(16);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, button] { pick(button->text()); });
        ui->gridLayout->addWidget(button, index / paletteColumns, index % paletteColumns);
        ++index;
    }
}

void SymbolWindow::pick(const QString& symbol)
{
    close();
    emit symbolPicked(symbol);
}
