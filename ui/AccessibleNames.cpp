#include "ui/AccessibleNames.h"

#include <array>

#include "model/Language.h"
#include "ui/CategoryRows.h"
#include "ui/DistanceRows.h"

namespace {
using Texts = std::array<const char*, 4>;  // English, Chinese, Russian, Japanese

const Texts underHeading = {"%1: %2", "%1：%2", "%1: %2", "%1：%2"};
const Texts choosing = {"Choose %1", "选择%1", "Выбрать: %1", "%1を選択"};
const Texts distance = {"%1 %2 distance", "%1%2距离", "%1, %2: расстояние", "%1 %2 の距離"};

QString inLanguage(const Texts& texts)
{
    const int language = (currentLanguage >= 0 && currentLanguage < 4) ? currentLanguage : 0;
    return QString::fromUtf8(texts[static_cast<std::size_t>(language)]);
}

// The caption of a distance row: "horizontalSlider_near_air" has "label_near_dis_air".
QString bandCaption(const QWidget& area, const QSlider& slider)
{
    const QStringList words = slider.objectName().split(QLatin1Char('_'));
    const auto* caption
        = area.findChild<QLabel*>(QStringLiteral("label_%1_dis_%2").arg(words.value(1), words.value(2)));
    return caption ? caption->text() : QString();
}
}  // namespace

void nameControlsForScreenReaders(Ui::MainWindow& ui)
{
    // On Linux a combo box announces its current item as its name and takes its caption
    // from the label it is the buddy of.
    ui.label_currently_allocated->setBuddy(ui.comboBox_profille);
    ui.comboBox_profille->setAccessibleName(ui.label_currently_allocated->text());
    ui.pushButton_red_color->setAccessibleName(ui.label_color_red->text());
    ui.pushButton_blue_color->setAccessibleName(ui.label_color_blue->text());
    ui.horizontalSlider_symbol_size->setAccessibleName(ui.label_symbol__size->text());
    const std::array<QLabel*, 2> symbolHeadings = {ui.label_near_symbol, ui.label_far_symbol};
    for (const CategoryRow& row : categoryRows) {
        const QString category = (ui.*row.distanceHeading)->text();
        ui.centralwidget
            ->findChild<QLabel*>(QStringLiteral("label_pos_")
                                 + (ui.*row.alignment)->objectName().section(QLatin1Char('_'), 3))
            ->setBuddy(ui.*row.alignment);
        (ui.*row.alignment)->setAccessibleName(inLanguage(underHeading).arg(ui.label_alignment->text(), category));
        for (const SymbolRange range : symbolRanges) {
            const QString symbol
                = inLanguage(underHeading).arg(symbolHeadings[static_cast<std::size_t>(range)]->text(), category);
            row.symbolField(ui, range).setAccessibleName(symbol);
            row.symbolButton(ui, range).setAccessibleName(inLanguage(choosing).arg(symbol));
        }
    }
    for (const DistanceRow& band : distanceRows) {
        const QString name = inLanguage(distance).arg((ui.*categoryRowOf(band.category).distanceHeading)->text(),
                                                      bandCaption(*ui.centralwidget, *(ui.*band.slider)));
        (ui.*band.slider)->setAccessibleName(name);
        (ui.*band.lineEdit)->setAccessibleName(name);
    }
}
