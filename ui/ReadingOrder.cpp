#include "ui/ReadingOrder.h"

#include <vector>

#include "ui/CategoryRows.h"
#include "ui/DistanceRows.h"
#include "ui/FormatTableControls.h"

void setReadingOrder(Ui::MainWindow& ui, const FormatTableControls& tables)
{
    std::vector<QWidget*> order{ui.comboBox_profille};
    for (const CategoryRow& row : categoryRows)
        order.push_back(ui.*row.visible);
    order.insert(order.end(), {ui.pushButton_red_color, ui.pushButton_blue_color});
    for (const SymbolRange range : symbolRanges) {
        for (const CategoryRow& row : categoryRows)
            order.insert(order.end(), {&row.symbolField(ui, range), &row.symbolButton(ui, range)});
    }
    order.push_back(ui.horizontalSlider_symbol_size);
    for (const CategoryRow& row : categoryRows)
        order.push_back(ui.*row.alignment);
    for (const CategoryRow& row : categoryRows) {
        order.push_back(&tables.tableButton(row.category));
        for (const DistanceRow& band : distanceRows) {
            if (band.category == row.category)
                order.insert(order.end(), {ui.*band.slider, ui.*band.lineEdit});
        }
    }
    order.insert(order.end(),
                 {ui.radioButton_aircraft, ui.radioButton_ground, ui.radioButton_navy, ui.radioButton_weapon,
                  ui.radioButton_near, ui.radioButton_far, ui.radioButton_side_red, ui.radioButton_side_blue,
                  ui.pushButton_apply});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
