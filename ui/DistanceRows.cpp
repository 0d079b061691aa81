#include "ui/DistanceRows.h"

#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "model/DistanceRules.h"
#include "model/LabelConfig.h"
#include "ui_MainWindow.h"

using UI = Ui::MainWindow;
using C = UnitCategory;
using B = DistanceBand;

const std::array<DistanceRow, 15> distanceRows = {{
    {C::Air, B::EMPTY, &UI::horizontalSlider_empty_air, &UI::lineEdit_value_empty_air, 0, 1000},
    {C::Air, B::NEAR, &UI::horizontalSlider_near_air, &UI::lineEdit_value_near_air, 1, 50000},
    {C::Air, B::FAR, &UI::horizontalSlider_far_air, &UI::lineEdit_value_far_air, 5, 90000},
    {C::Air, B::DOT, &UI::horizontalSlider_dot_air, &UI::lineEdit_value_dot_air, 10, 99999},
    {C::Ground, B::EMPTY, &UI::horizontalSlider_empty_ground, &UI::lineEdit_value_empty_ground, 0, 1000},
    {C::Ground, B::NEAR, &UI::horizontalSlider_near_ground, &UI::lineEdit_value_near_ground, 1, 50000},
    {C::Ground, B::FAR, &UI::horizontalSlider_far_ground, &UI::lineEdit_value_far_ground, 5, 90000},
    {C::Ground, B::DOT, &UI::horizontalSlider_dot_ground, &UI::lineEdit_value_dot_ground, 10, 99999},
    {C::Navy, B::EMPTY, &UI::horizontalSlider_empty_navy, &UI::lineEdit_value_empty_navy, 0, 1000},
    {C::Navy, B::NEAR, &UI::horizontalSlider_near_navy, &UI::lineEdit_value_near_navy, 1, 50000},
    {C::Navy, B::FAR, &UI::horizontalSlider_far_navy, &UI::lineEdit_value_far_navy, 5, 90000},
    {C::Navy, B::DOT, &UI::horizontalSlider_dot_navy, &UI::lineEdit_value_dot_navy, 10, 99999},
    {C::Weapon, B::EMPTY, &UI::horizontalSlider_empty_weapon, &UI::lineEdit_value_empty_weapon, 0, 1000},
    {C::Weapon, B::NEAR, &UI::horizontalSlider_near_weapon, &UI::lineEdit_value_near_weapon, 1, 50000},
    {C::Weapon, B::FAR, &UI::horizontalSlider_far_weapon, &UI::lineEdit_value_far_weapon, 5, 90000},
}};

namespace {
// A field that is empty or not a number reads as 0 for the sliders and the ordering rule.
long long fieldValue(const QLineEdit& field) { return field.text().toLongLong(); }

// The field's whole number; none for an empty field. The validator lets only digits in.
std::optional<long long> wholeNumber(const QLineEdit& field)
{
    bool ok = false;
    const long long value = field.text().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

std::optional<long long> modelDistance(const LabelConfig& model, LabelLevel level, const DistanceRow& row)
{
    const std::optional<int> value = model.distanceValue(level, row.category, row.band);
    return value ? std::optional<long long>(*value) : std::nullopt;
}

// The slider clips to its own range; this only keeps the value inside an int first.
void setSlider(QSlider& slider, long long value)
{
    slider.setValue(static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
}
}  // namespace

void DistanceControls::applyRanges()
{
    for (const DistanceRow& row : distanceRows)
        (ui.*row.slider)->setRange(row.minimum, row.maximum);
}

void DistanceControls::showLevel(const LabelConfig& model, LabelLevel level)
{
    for (const DistanceRow& row : distanceRows) {
        const std::optional<int> value = model.distanceValue(level, row.category, row.band);
        (ui.*row.lineEdit)->setText(value ? QString::number(*value) : QString());
        QSlider& slider = *(ui.*row.slider);
        slider.setValue(value.value_or(slider.minimum()));
    }
}

void DistanceControls::sliderMoved(const QSlider& slider, int position)
{
    (ui.*rowOf(slider).lineEdit)->setText(QString::number(position));
}

void DistanceControls::fieldEdited(const QLineEdit& field)
{
    keepInOrder();
    setSlider(*(ui.*rowOf(field).slider), fieldValue(field));
}

void DistanceControls::keepInOrder()
{
    for (const C category : {C::Air, C::Ground, C::Navy, C::Weapon}) {
        std::vector<const DistanceRow*> group;
        for (const DistanceRow& row : distanceRows)
            if (row.category == category)
                group.push_back(&row);
        std::vector<long long> values;
        for (const DistanceRow* row : group)
            values.push_back(fieldValue(*(ui.*row->lineEdit)));
        // Lowering from the top band down gives the same result as re-checking the
        // pairs until nothing changes, in one pass.
        for (int i = static_cast<int>(group.size()) - 2; i >= 0; --i) {
            if (values[i] >= values[i + 1] && values[i + 1] > 0) {
                values[i] = values[i + 1] - 1;
                (ui.*group[i]->lineEdit)->setText(QString::number(values[i]));
            }
        }
        for (std::size_t i = 0; i < group.size(); ++i)
            setSlider(*(ui.*group[i]->slider), values[i]);
    }
}

bool DistanceControls::rowChanged(const LabelConfig& model, LabelLevel level, const DistanceRow& row) const
{
    return wholeNumber(*(ui.*row.lineEdit)) != modelDistance(model, level, row);
}

bool DistanceControls::changed(const LabelConfig& model, LabelLevel level) const
{
    return std::any_of(distanceRows.begin(), distanceRows.end(),
                       [&](const DistanceRow& row) { return rowChanged(model, level, row); });
}

std::vector<const DistanceRow*> DistanceControls::offendingRows(const LabelConfig& model, LabelLevel level) const
{
    std::vector<const DistanceRow*> offending;
    for (const C category : {C::Air, C::Ground, C::Navy, C::Weapon}) {
        std::vector<const DistanceRow*> group;
        for (const DistanceRow& row : distanceRows)
            if (row.category == category)
                group.push_back(&row);
        TableDistances distances;
        for (const DistanceRow* row : group)
            distances[static_cast<std::size_t>(row->band)] = wholeNumber(*(ui.*row->lineEdit));
        for (const DistanceBand band : offendingBands(model, level, category, distances))
            for (const DistanceRow* row : group)
                if (row->band == band)
                    offending.push_back(row);
    }
    return offending;
}

std::vector<SettingChange> DistanceControls::changes(const LabelConfig& model, LabelLevel level) const
{
    std::vector<SettingChange> changes;
    for (const DistanceRow& row : distanceRows) {
        if (!rowChanged(model, level, row))
            continue;
        // An emptied field of a table the model cannot write is handed over as 0, so
        // that the model can say it was not saved.
        SettingValue value;
        value.number = std::clamp<long long>(wholeNumber(*(ui.*row.lineEdit)).value_or(0), 0, maxDistance);
        changes.push_back({&model.distance(level, row.category, row.band), value});
    }
    return changes;
}

void DistanceControls::showValue(UnitCategory category, DistanceBand band, long long distance)
{
    for (const DistanceRow& row : distanceRows) {
        if (row.category == category && row.band == band) {
            (ui.*row.lineEdit)->setText(QString::number(distance));
            setSlider(*(ui.*row.slider), distance);
        }
    }
}

const DistanceRow& DistanceControls::rowOf(const QSlider& slider) const
{
    return *std::find_if(distanceRows.begin(), distanceRows.end(),
                         [&](const DistanceRow& row) { return ui.*row.slider == &slider; });
}

const DistanceRow& DistanceControls::rowOf(const QLineEdit& field) const
{
    return *std::find_if(distanceRows.begin(), distanceRows.end(),
                         [&](const DistanceRow& row) { return ui.*row.lineEdit == &field; });
}
