#include "ui/CategoryRows.h"

#include "ui_MainWindow.h"

using UI = Ui::MainWindow;

// clang-format off
const std::array<CategoryRow, 4> categoryRows = {{
    {UnitCategory::Air, &UI::checkBox_aircraft, &UI::comboBox_symbol_pos_air,
     {&UI::textEdit_near_air, &UI::textEdit_far_air},
     {&UI::pushButton_symbol_near_air, &UI::pushButton_symbol_far_air}, &UI::label_dis_air},
    {UnitCategory::Ground, &UI::checkBox_ground, &UI::comboBox_symbol_pos_ground,
     {&UI::textEdit_near_ground, &UI::textEdit_far_ground},
     {&UI::pushButton_symbol_near_ground, &UI::pushButton_symbol_far_ground}, &UI::label_dis_ground},
    {UnitCategory::Navy, &UI::checkBox_navy, &UI::comboBox_symbol_pos_navy,
     {&UI::textEdit_near_navy, &UI::textEdit_far_navy},
     {&UI::pushButton_symbol_near_navy, &UI::pushButton_symbol_far_navy}, &UI::label_dis_navy},
    {UnitCategory::Weapon, &UI::checkBox_weapon, &UI::comboBox_symbol_pos_weapon,
     {&UI::textEdit_near_weapon, &UI::textEdit_far_weapon},
     {&UI::pushButton_symbol_near_weapon, &UI::pushButton_symbol_far_weapon}, &UI::label_dis_weapon},
}};
// clang-format on

QTextEdit& CategoryRow::symbolField(const UI& form, SymbolRange range) const
{
    return *(form.*symbolFields[static_cast<std::size_t>(range)]);
}

QPushButton& CategoryRow::symbolButton(const UI& form, SymbolRange range) const
{
    return *(form.*symbolButtons[static_cast<std::size_t>(range)]);
}
