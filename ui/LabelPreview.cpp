#include "ui/LabelPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegion>
#include <QTextEdit>

#include <algorithm>
#include <array>

#include "common/Resources.h"
#include "model/FormatTable.h"
#include "ui/CategoryRows.h"
#include "ui/FormatTableControls.h"
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
// A table of its own shape has no NEAR and FAR bands: Near shows its nearest entry that
// draws a text, Far its farthest. Entries the file writes as names or calls draw what the
// script makes of them, which the editor does not know; they are passed over.
const FormatEntry* rangeEntry(const FormatTable& table, SymbolRange range)
{
    std::vector<const FormatEntry*> drawn;
    for (const FormatEntry& entry : table.entries) {
        if (entry.isTable() && !shownField(entry, EntryField::Text).empty())
            drawn.push_back(&entry);
    }
    if (drawn.empty())
        return nullptr;
    return range == SymbolRange::Near ? drawn.front() : drawn.back();
}

// The simulator's placeholders in a label text, filled with the sample unit.
QString filledIn(QString text, const SampleUnit& unit)
{
    return text.replace(QStringLiteral("%n"), QStringLiteral("\n"))
        .replace(QStringLiteral("%D"), distanceLine.mid(1))
        .replace(QStringLiteral("%N"), QString::fromUtf8(unit.unitType))
        .replace(QStringLiteral("%P"), QString::fromUtf8(unit.unitName));
}
}  // namespace

LabelPreview::Sample LabelPreview::bandSample(std::optional<LabelLevel> level) const
{
    const CategoryRow& row = categoryRowOf(category);
    const QString symbol = row.symbolField(ui, range).toPlainText();
    return {level ? composeLabel(*level, symbol, sampleUnits[static_cast<std::size_t>(category)]) : QString(),
            (ui.*row.alignment)->currentIndex(), 1.0};
}

LabelPreview::Sample LabelPreview::entrySample(const FormatEntry* entry, std::optional<LabelLevel> level) const
{
    if (!entry)
        return {};
    Sample sample = bandSample(level);
    // A text written as an expression (a symbol joined to the distance, say) draws as the
    // band rows' sample does; a string draws as it is.
    const std::string& text = entry->fields.front();
    if (text.size() >= 2 && text.front() == '"')
        sample.text = filledIn(QString::fromStdString(shownField(*entry, EntryField::Text)),
                               sampleUnits[static_cast<std::size_t>(category)]);
    const auto alignment = indexByAlignment.find(shownField(*entry, EntryField::Alignment));
    sample.alignment = alignment == indexByAlignment.end() ? -1 : alignment->second;
    bool ok = false;
    const double opacity = QString::fromStdString(shownField(*entry, EntryField::Opacity)).toDouble(&ok);
    sample.opacity = ok ? std::clamp(opacity, 0.0, 1.0) : 1.0;
    return sample;
}

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

    const auto index = static_cast<std::size_t>(category);
    ui.label_preview->setPixmap(previewPictures[index]);
    const FormatTable* own = tables ? tables->shownTable(category) : nullptr;
    const Sample sample = own ? entrySample(rangeEntry(*own, range), level) : bandSample(level);
    text.setText(sample.text);
    const QString rgb = QStringLiteral("%1,%2,%3").arg(colour.red).arg(colour.green).arg(colour.blue);
    text.setStyleSheet(sample.opacity < 1.0
                           ? QStringLiteral("color: rgba(%1,%2);").arg(rgb).arg(qRound(sample.opacity * 255))
                           : QStringLiteral("color: rgb(%1);").arg(rgb));
    const int alignment = sample.alignment;

    // An alignment the file does not name readably shows the label where the form put it.
    const bool known = alignment >= 0 && alignment < static_cast<int>(alignmentOffsets.size());
    text.move(anchor + (known ? alignmentOffsets[static_cast<std::size_t>(alignment)] : QPoint()));
    // However large the symbol, the text shows only over the picture, never over the
    // controls around it.
    text.setMask(QRegion(ui.label_preview->geometry().translated(-text.pos())));
}
