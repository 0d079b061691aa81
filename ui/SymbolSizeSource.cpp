#include "ui/SymbolSizeSource.h"

#include <QLabel>
#include <QSlider>

#include "model/SymbolSizeVariable.h"
#include "common/TableTexts.h"

namespace {
// The slider's row and the free room to its right, up to the alignment column.
constexpr int noteWidth = 250;
}  // namespace

SymbolSizeSource::SymbolSizeSource(Ui::MainWindow& form) : ui(form), note(new QLabel(form.centralwidget))
{
    note->setObjectName(QStringLiteral("label_symbol_size_variable"));
    note->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QRect slider = ui.horizontalSlider_symbol_size->geometry();
    note->setGeometry(slider.left(), slider.top(), noteWidth, slider.height());
    note->hide();
}

void SymbolSizeSource::show(const LabelConfig& model)
{
    name = symbolSizeVariable(model);
    ui.horizontalSlider_symbol_size->setVisible(!name);
    note->setVisible(name.has_value());
    applyTexts();
}

void SymbolSizeSource::applyTexts()
{
    note->setText(name ? tableText(TableText::SymbolSizeVariable).arg(QString::fromStdString(*name)) : QString());
}
