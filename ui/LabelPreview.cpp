#include "LabelPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>

#include <algorithm>
#include <array>

#include "Resources.h"
#include "ui_MainWindow.h"

namespace {
using UI = Ui::MainWindow;

// One sample unit per preview category, in the category order (which is also the
// order of previewPictures).
struct SampleUnit {
    const char* unitType;
    const char* unitName;  // weapons carry no name line
    QComboBox* UI::*alignment;
    QTextEdit* UI::*nearSymbol;
    QTextEdit* UI::*farSymbol;
};

const std::array<SampleUnit, 4> sampleUnits = {{
    {"Su-33", "pilot name", &UI::comboBox_symbol_pos_air, &UI::textEdit_near_air, &UI::textEdit_far_air},
    {"T-90", "Ground 1-1", &UI::comboBox_symbol_pos_ground, &UI::textEdit_near_ground, &UI::textEdit_far_ground},
    {"Burke", "Naval 1-1", &UI::comboBox_symbol_pos_navy, &UI::textEdit_near_navy, &UI::textEdit_far_navy},
    {"AIM-120C", "", &UI::comboBox_symbol_pos_weapon, &UI::textEdit_near_weapon, &UI::textEdit_far_weapon},
}};

// By alignment index: RightBottom, RightTop, LeftBottom, LeftTop, CenterBottom,
// CenterTop, CenterCenter; y grows downwards.
const std::array<QPoint, 7> alignmentOffsets = {{
    {20, 20}, {20, -20}, {-20, 20}, {-20, -20}, {0, 20}, {0, -20}, {0, 0},
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
    case LabelLevel::ABBREVIATED:
        return symbolAndType + distanceLine;
    case LabelLevel::DOT:
        return symbol;
    }
    return {};
}
}  // namespace

void LabelPreview::takeAnchor()
{
    anchor = ui.label_preview_symbol->pos();
}

void LabelPreview::redraw(std::optional<LabelLevel> level)
{
    if (!enabled)
        return;
    QLabel& text = *ui.label_preview_symbol;
    QFont font = previewFont;
    font.setPointSize(previewPointSize(ui.label_symbol_size_real->text()));
    text.setFont(font);
    text.setAlignment(Qt::AlignCenter);

    const ColourTriple& colour = ui.radioButton_side_red->isChecked() ? red : blue;
    text.setStyleSheet(
        QStringLiteral("color: rgb(%1,%2,%3);").arg(colour.red).arg(colour.green).arg(colour.blue));

    const SampleUnit& unit = sampleUnits.at(category);
    const int alignment = (ui.*unit.alignment)->currentIndex();
    ui.label_preview->setPixmap(previewPictures[static_cast<std::size_t>(category)]);
    const QString symbol = (ui.*(far ? unit.farSymbol : unit.nearSymbol))->toPlainText();
    text.setText(level ? composeLabel(*level, symbol, unit) : QString());

    if (alignment >= 0 && alignment < static_cast<int>(alignmentOffsets.size()))
        text.move(anchor + alignmentOffsets[alignment]);
}
