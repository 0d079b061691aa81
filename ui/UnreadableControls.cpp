#include "ui/UnreadableControls.h"

#include <initializer_list>

#include "model/LabelConfig.h"
#include "model/UnreadableReason.h"
#include "ui/CategoryRows.h"
#include "ui/DistanceRows.h"
#include "common/UnreadableTexts.h"

namespace {
void mark(const LabelConfig& model, const LabelSetting& setting, std::initializer_list<QWidget*> widgets)
{
    const std::optional<Unreadable> reason = whyUnreadable(model, setting);
    for (QWidget* widget : widgets) {
        widget->setEnabled(!reason);
        widget->setToolTip(reason ? unreadableTip(*reason) : QString());
    }
}
}  // namespace

void disableUnreadable(Ui::MainWindow& ui, const LabelConfig& model, std::optional<LabelLevel> level)
{
    mark(model, model.symbolSize(), {ui.horizontalSlider_symbol_size});
    mark(model, model.sideColourSetting(Side::Allies), {ui.pushButton_red_color});
    mark(model, model.sideColourSetting(Side::Enemies), {ui.pushButton_blue_color});
    for (const CategoryRow& row : categoryRows) {
        mark(model, model.visibility(row.category), {ui.*row.visible});
        for (const SymbolRange range : symbolRanges)
            mark(model, model.symbol(row.category, range), {&row.symbolField(ui, range), &row.symbolButton(ui, range)});
        if (level)
            mark(model, model.alignment(*level, row.category), {ui.*row.alignment});
    }
    if (!level)
        return;
    for (const DistanceRow& row : distanceRows)
        mark(model, model.distance(*level, row.category, row.band), {ui.*row.slider, ui.*row.lineEdit});
}
