#include "ui/LabelPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegion>
#include <QTextEdit>

#include <algorithm>
#include <array>

#include "common/Resources.h"
#include "ui/CategoryRows.h"
#include "ui_MainWindow.h"

namespace {
// One sample unit per category, in the order of UnitCategory (which is also the order
// of previewPictures).
struct SampleUnit {
    const char* unitType;
    const char* unitName;  // weapons carry no name line
};

const std::array<SampleUnit, 4> sampleUnits = {{
    {"Su-33", "pilot name"},
    {"T-90", "Ground 1-1"},
    {"Burke", "Naval 1-1"},
    {"AIM-120C", ""},
}};

// By alignment index: RightBottom, RightTop, LeftBottom, LeftTop, CenterBottom,
// CenterTop, CenterCenter, LeftCenter, RightCenter; y grows downwards.
const std::array<QPoint, 9> alignmentOffsets = {{
    {20, 20},
    {20, -20},
    {-20, 20},
    {-20, -20},
    {0, 20},
    {0, -20},
    {0, 0},
    {-20, 0},
    {20, 0},
}};

const QString distanceLine = QStringLiteral("\n0.0km");

// The size comes from the label file and may be 0, absurdly large or no number at
// all; the preview stays drawable and legible whatever the file says.
int previewPointSize(const QString& sizeText)
{
    constexpr int smallest = 6;
    constexpr int largest = 200;
    return std::clamp(sizeText.toInt(), smallest, largest);
}

QString composeLabel(LabelLevel level, const QString& symbol, const SampleUnit& unit)
{
    const QString symbolAndType = symbol + QString::fromUtf8(unit.unitType);
    switch (level) {
    case LabelLevel::FULL: {
        const QString name = QString::fromUtf8(unit.unitName);
        return symbolAndType + (name.isEmpty() ? QString() : QLatin1Char('\n') + name) + distanceLine;
    }
    case LabelLevel::ABBREVIATED: return symbolAndType + distanceLine;
    case LabelLevel::DOT: return symbol;
    }
    return {};
}
}  // namespace

void LabelPreview::takeAnchor() { anchor = ui.label_preview_symbol->pos(); }

void LabelPreview::redraw(std::optional<LabelLevel> level)
{
    if (!enabled)
        return;
    QLabel& text = *ui.label_preview_symbol;
    QFont font = previewFont;
    font.setPointSize(previewPointSize(ui.label_symbol_size_real->text()));
    text.setFont(font);
    text.setAlignment(Qt::AlignCenter);

    const ColourTriple colour = (ui.radioButton_side_red->isChecked() ? red : blue).value_or(ColourTriple{});
    text.setStyleSheet(QStringLiteral("color: rgb(%1,%2,%3);").arg(colour.red).arg(colour.green).arg(colour.blue));

    const auto index = static_cast<std::size_t>(category);
    const SampleUnit& unit = sampleUnits[index];
    const CategoryRow& row = categoryRowOf(category);
    const int alignment = (ui.*row.alignment)->currentIndex();
    ui.label_preview->setPixmap(previewPictures[index]);
    const QString symbol = row.symbolField(ui, range).toPlainText();
    text.setText(level ? composeLabel(*level, symbol, unit) : QString());

    // An alignment the file does not name readably shows the label where the form put it.
    const bool known = alignment >= 0 && alignment < static_cast<int>(alignmentOffsets.size());
    text.move(anchor + (known ? alignmentOffsets[static_cast<std::size_t>(alignment)] : QPoint()));
    // However large the symbol, the text shows only over the picture, never over the
    // controls around it.
    text.setMask(QRegion(ui.label_preview->geometry().translated(-text.pos())));
}
