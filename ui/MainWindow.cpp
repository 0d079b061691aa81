#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QIntValidator>
#include <QLayout>
#include <QShortcut>

#include <algorithm>
#include <filesystem>

#include "common/Dialogs.h"
#include "common/LanguageTexts.h"
#include "common/Messages.h"
#include "common/Resources.h"
#include "common/ThemeIcons.h"
#include "model/LabelConfig.h"
#include "model/SymbolSizeVariable.h"
#include "ui/AccessibleNames.h"
#include "ui/CategoryRows.h"
#include "ui/DistanceRows.h"
#include "ui/FormatTableControls.h"
#include "ui/LabelPreview.h"
#include "ui/ReadingOrder.h"
#include "ui/SettingNames.h"
#include "ui/SmallScreen.h"
#include "ui/SymbolSizeSource.h"
#include "ui/TextFitting.h"
#include "ui/UnreadableControls.h"
#include "common/UnreadableTexts.h"
#include "ui_MainWindow.h"

namespace {
// The level combo box numbers its items like LabelLevel; the fill passes -1 for FULL.
std::optional<LabelLevel> levelOfIndex(int index)
{
    switch (index) {
    case -1:
    case 0: return LabelLevel::FULL;
    case 1: return LabelLevel::ABBREVIATED;
    case 2: return LabelLevel::DOT;
    default: return std::nullopt;
    }
}

QString backgroundOf(const ColourTriple& colour)
{
    return QStringLiteral("background-color:rgb(%1,%2,%3);").arg(colour.red).arg(colour.green).arg(colour.blue);
}
}  // namespace

MainWindow::MainWindow(LabelConfig& labelModel, ProfileStore& profileStore, QWidget* parent)
    : QMainWindow(parent),
      model(labelModel),
      profile(profileStore),
      ui(std::make_unique<Ui::MainWindow>()),
      distances(std::make_unique<DistanceControls>(*ui)),
      preview(std::make_unique<LabelPreview>(*ui, redSide, blueSide))
{
    ui->setupUi(this);
    setFixedSize(964, 665);
    // Lays the central widget out at its final size now, so the captions can be fitted
    // to it before the window is first shown.
    layout()->activate();
    scrollWhereTheScreenIsSmall(*this);
    textFitting = std::make_unique<TextFitting>(
        *ui->centralwidget,
        std::initializer_list<const QLabel*>{ui->label_preview, ui->label_preview_symbol, ui->label_symbol_size_real});
    // After the captions are measured: the notes that stand in for the band rows and the
    // symbol size slider lie over the widgets they replace, which would leave them no room.
    tables = std::make_unique<FormatTableControls>(*ui);
    sizeSource = std::make_unique<SymbolSizeSource>(*ui);
    preview->setTables(*tables);
    connect(tables.get(), &FormatTableControls::tableChanged, this, &MainWindow::redrawPreview);
    ui->actionSelectDirectory->setIcon(themeIcon(ThemeIconId::FolderOpen));
    ui->actionReload->setIcon(themeIcon(ThemeIconId::SystemReboot));
    ui->actionRestore_Default->setIcon(themeIcon(ThemeIconId::SyncSynchronizing));
    ui->actionAbout_Author->setIcon(themeIcon(ThemeIconId::AddressBookNew));
    // Keys, the wheel and clicks on the groove move a slider without sliderMoved or
    // sliderReleased; each such step is passed on as a drag and its release, so the
    // named slots follow every way of moving a slider.
    for (QSlider* slider : findChildren<QSlider*>()) {
        connect(slider, &QAbstractSlider::actionTriggered, slider, [slider] {
            if (slider->isSliderDown())
                return;
            emit slider->sliderMoved(slider->sliderPosition());
            emit slider->sliderReleased();
        });
    }
    // A symbol typed into its field shows on its button and in the preview at once, as
    // a picked one does.
    for (const CategoryRow& row : categoryRows) {
        for (const SymbolRange range : symbolRanges) {
            QTextEdit& field = row.symbolField(*ui, range);
            QPushButton& button = row.symbolButton(*ui, range);
            connect(&field, &QTextEdit::textChanged, this, [this, &field, &button] {
                button.setText(field.toPlainText());
                redrawPreview();
            });
        }
    }
    // Apply by key takes the focus first, as a click does, so that a distance being
    // typed is finished (and kept in order) before it is handed over.
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::Save), QKeySequence(Qt::CTRL | Qt::Key_Return),
                                     QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            ui->pushButton_apply->setFocus(Qt::ShortcutFocusReason);
            ui->pushButton_apply->click();
        });
    }
    setReadingOrder(*ui, *tables);
    distanceValidator = new QIntValidator(0, 1000000, this);
    model.setCheckRunner([this](const std::function<void()>& check) { runCheck(check); });
    fillFromModel();
}

MainWindow::~MainWindow() { model.setCheckRunner({}); }

void MainWindow::fillFromModel()
{
    loadPreviewPictures();
    if (firstFilling)
        preview->takeAnchor();

    for (const CategoryRow& row : categoryRows) {
        (ui.get()->*row.visible)->setChecked(model.visibilityOn(row.category).value_or(false));
        for (const SymbolRange range : symbolRanges) {
            const std::string symbol = model.symbolText(row.category, range).value_or(std::string());
            row.symbolField(*ui, range).setPlainText(QString::fromStdString(symbol));
        }
    }
    const std::optional<int> size = model.symbolSizeValue();
    ui->label_symbol_size_real->setText(size ? QString::fromStdString(model.symbolSize().valueText) : QString());
    ui->horizontalSlider_symbol_size->setValue(size.value_or(ui->horizontalSlider_symbol_size->minimum()));
    sizeSource->show(model);

    // The ranges come before the values, so no distance is clipped by the sliders' default range.
    distances->applyRanges();
    {
        // After a fill the window shows and writes FULL, so the combo box says so too.
        const QSignalBlocker quiet(ui->comboBox_profille);
        ui->comboBox_profille->setCurrentIndex(0);
    }
    // Values taken from another file for other levels go with the values the window
    // showed: the player was asked before they were thrown away.
    heldChanges.clear();
    heldTables.clear();
    loadLevel(-1);

    ui->radioButton_aircraft->setChecked(true);
    ui->radioButton_near->setChecked(true);
    ui->radioButton_side_red->setChecked(true);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setValidator(distanceValidator);
    blueSide = model.sideColour(Side::Enemies);
    redSide = model.sideColour(Side::Allies);
    showSideColours();

    ui->label_preview_symbol->setFont(previewFont);
    ui->label_preview_symbol->setAlignment(Qt::AlignCenter);
    ui->label_preview_symbol->setWordWrap(false);
    // A typed symbol such as "<b>" is a symbol, not markup.
    ui->label_preview_symbol->setTextFormat(Qt::PlainText);
    preview->enable();
    redrawPreview();
    applyTexts();
    firstFilling = false;
}

// One notice after a load: where Lua stops running the file, the settings the file did
// not yield, and the levels that keep a symbol size of their own.
void MainWindow::showLoadNotice()
{
    if (reportUnusableFile())
        return;
    QStringList notice = runStopNotices(model.savedTextRuns());
    std::vector<const LabelSetting*> unreadable = model.unreadableSettings();
    // A size the file sets by a name is shown as such, not as a value that was not read.
    if (symbolSizeVariable(model))
        unreadable.erase(std::remove(unreadable.begin(), unreadable.end(), &model.symbolSize()), unreadable.end());
    if (!unreadable.empty())
        notice << message(MessageId::SettingsUnreadable).arg(describeSettings(unreadable, *ui));
    QStringList levels;
    for (const LabelLevel level : model.levelsWithOwnSymbolSize())
        levels << ui->comboBox_profille->itemText(static_cast<int>(level));
    if (!levels.isEmpty())
        notice << message(MessageId::OwnSymbolSizes).arg(levels.join(QStringLiteral(", ")));
    if (!notice.isEmpty())
        showWarning(this, notice.join(QStringLiteral("\n\n")));
}

void MainWindow::applyTexts()
{
    applyMainWindowTexts(*this);
    nameControlsForScreenReaders(*ui);
    tables->applyTexts();
    sizeSource->applyTexts();
    disableUnreadable(*ui, model, currentLevel);
    showSharedLevels();
    textFitting->fit();
}

void MainWindow::chooseLanguage(int index)
{
    if (switchLanguage(profile, index, this))
        applyTexts();
}

void MainWindow::showAbout()
{
    dialogs::showAbout(this, message(MessageId::AboutTitle),
                       message(MessageId::AboutText).arg(QCoreApplication::applicationVersion()));
}

void MainWindow::redrawPreview() { preview->redraw(currentLevel); }

void MainWindow::loadLevel(int levelIndex)
{
    currentLevel = levelOfIndex(levelIndex);
    if (currentLevel) {
        for (const CategoryRow& row : categoryRows)
            (ui.get()->*row.alignment)->setCurrentIndex(model.alignmentIndex(*currentLevel, row.category).value_or(-1));
        distances->showLevel(model, *currentLevel);
        tables->showLevel(model, *currentLevel);
        showHeldChanges();
    }
    disableUnreadable(*ui, model, currentLevel);
    showSharedLevels();
    redrawPreview();
    // A level may show the band rows another level replaced by its table button (or the
    // other way round), and the captions' room changes with them.
    textFitting->fit();
}

// Beside the level box: whether the tables shown also serve other levels.
void MainWindow::showSharedLevels()
{
    const std::vector<LabelLevel> sharing
        = currentLevel ? model.levelsSharingAllTables(*currentLevel) : std::vector<LabelLevel>{};
    ui->label_single_level->setVisible(sharing.size() > 1);
    QStringList others;
    for (const LabelLevel level : sharing) {
        if (level != currentLevel)
            others << ui->comboBox_profille->itemText(static_cast<int>(level));
    }
    // Every level is what the form's own caption says.
    if (sharing.size() == 2)
        ui->label_single_level->setText(sharedLevelsText(others));
}

// A colour the model could not read shows as a plain button until one is chosen.
void MainWindow::showSideColours()
{
    ui->pushButton_blue_color->setStyleSheet(blueSide ? backgroundOf(*blueSide) : QString());
    ui->pushButton_red_color->setStyleSheet(redSide ? backgroundOf(*redSide) : QString());
}

void MainWindow::chooseSideColour(std::optional<ColourTriple>& colour, QPushButton& button)
{
    const QColor shown = colour ? QColor(colour->red, colour->green, colour->blue) : QColor(Qt::white);
    const QColor chosen = dialogs::chooseColour(this, shown);
    if (!chosen.isValid())
        return;
    colour = ColourTriple{chosen.red(), chosen.green(), chosen.blue()};
    button.setStyleSheet(backgroundOf(*colour));
    redrawPreview();
}

void MainWindow::aimPicker(QTextEdit& field)
{
    pickerField = &field;
    emit symbolPickRequested();
}

// The symbol reaches the label file only when the user applies.
void MainWindow::placePickedSymbol(const QString& symbol)
{
    if (!pickerField)
        return;
    pickerField->setText(symbol);
}

void MainWindow::previewCategoryChosen(bool checked, UnitCategory category)
{
    if (!checked)
        return;
    preview->setCategory(category);
    redrawPreview();
}

void MainWindow::previewRangeChosen(bool checked, SymbolRange range)
{
    if (!checked)
        return;
    preview->setRange(range);
    redrawPreview();
}

void MainWindow::on_actionSelectDirectory_triggered()
{
    if (close())
        emit directoryReselectRequested();
}

void MainWindow::on_horizontalSlider_symbol_size_sliderMoved(int position)
{
    ui->label_symbol_size_real->setText(QString::number(position));
    redrawPreview();
}

// clang-format off
void MainWindow::on_horizontalSlider_empty_air_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_empty_air, p); }
void MainWindow::on_horizontalSlider_near_air_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_near_air, p); }
void MainWindow::on_horizontalSlider_far_air_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_far_air, p); }
void MainWindow::on_horizontalSlider_dot_air_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_dot_air, p); }
void MainWindow::on_horizontalSlider_empty_ground_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_empty_ground, p); }
void MainWindow::on_horizontalSlider_near_ground_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_near_ground, p); }
void MainWindow::on_horizontalSlider_far_ground_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_far_ground, p); }
void MainWindow::on_horizontalSlider_dot_ground_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_dot_ground, p); }
void MainWindow::on_horizontalSlider_empty_navy_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_empty_navy, p); }
void MainWindow::on_horizontalSlider_near_navy_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_near_navy, p); }
void MainWindow::on_horizontalSlider_far_navy_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_far_navy, p); }
void MainWindow::on_horizontalSlider_dot_navy_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_dot_navy, p); }
void MainWindow::on_horizontalSlider_empty_weapon_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_empty_weapon, p); }
void MainWindow::on_horizontalSlider_near_weapon_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_near_weapon, p); }
void MainWindow::on_horizontalSlider_far_weapon_sliderMoved(int p) { distances->sliderMoved(*ui->horizontalSlider_far_weapon, p); }

void MainWindow::on_horizontalSlider_empty_air_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_near_air_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_far_air_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_dot_air_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_empty_ground_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_near_ground_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_far_ground_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_dot_ground_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_empty_navy_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_near_navy_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_far_navy_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_dot_navy_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_empty_weapon_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_near_weapon_sliderReleased() { distances->keepInOrder(); }
void MainWindow::on_horizontalSlider_far_weapon_sliderReleased() { distances->keepInOrder(); }

void MainWindow::on_lineEdit_value_empty_air_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_empty_air); }
void MainWindow::on_lineEdit_value_near_air_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_near_air); }
void MainWindow::on_lineEdit_value_far_air_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_far_air); }
void MainWindow::on_lineEdit_value_dot_air_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_dot_air); }
void MainWindow::on_lineEdit_value_empty_ground_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_empty_ground); }
void MainWindow::on_lineEdit_value_near_ground_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_near_ground); }
void MainWindow::on_lineEdit_value_far_ground_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_far_ground); }
void MainWindow::on_lineEdit_value_dot_ground_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_dot_ground); }
void MainWindow::on_lineEdit_value_empty_navy_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_empty_navy); }
void MainWindow::on_lineEdit_value_near_navy_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_near_navy); }
void MainWindow::on_lineEdit_value_far_navy_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_far_navy); }
void MainWindow::on_lineEdit_value_dot_navy_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_dot_navy); }
void MainWindow::on_lineEdit_value_empty_weapon_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_empty_weapon); }
void MainWindow::on_lineEdit_value_near_weapon_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_near_weapon); }
void MainWindow::on_lineEdit_value_far_weapon_editingFinished() { distances->fieldEdited(*ui->lineEdit_value_far_weapon); }

void MainWindow::on_radioButton_aircraft_toggled(bool checked) { previewCategoryChosen(checked, UnitCategory::Air); }
void MainWindow::on_radioButton_ground_toggled(bool checked) { previewCategoryChosen(checked, UnitCategory::Ground); }
void MainWindow::on_radioButton_navy_toggled(bool checked) { previewCategoryChosen(checked, UnitCategory::Navy); }
void MainWindow::on_radioButton_weapon_toggled(bool checked) { previewCategoryChosen(checked, UnitCategory::Weapon); }
void MainWindow::on_radioButton_near_toggled(bool checked) { previewRangeChosen(checked, SymbolRange::Near); }
void MainWindow::on_radioButton_far_toggled(bool checked) { previewRangeChosen(checked, SymbolRange::Far); }
void MainWindow::on_pushButton_red_color_clicked() { chooseSideColour(redSide, *ui->pushButton_red_color); }
void MainWindow::on_pushButton_blue_color_clicked() { chooseSideColour(blueSide, *ui->pushButton_blue_color); }
void MainWindow::on_radioButton_side_red_toggled(bool checked) { if (checked) redrawPreview(); }
void MainWindow::on_radioButton_side_blue_toggled(bool checked) { if (checked) redrawPreview(); }

void MainWindow::on_comboBox_symbol_pos_air_currentIndexChanged(int) { redrawPreview(); }
void MainWindow::on_comboBox_symbol_pos_ground_currentIndexChanged(int) { redrawPreview(); }
void MainWindow::on_comboBox_symbol_pos_navy_currentIndexChanged(int) { redrawPreview(); }
void MainWindow::on_comboBox_symbol_pos_weapon_currentIndexChanged(int) { redrawPreview(); }

void MainWindow::on_pushButton_symbol_near_air_clicked() { aimPicker(*ui->textEdit_near_air); }
void MainWindow::on_pushButton_symbol_near_ground_clicked() { aimPicker(*ui->textEdit_near_ground); }
void MainWindow::on_pushButton_symbol_near_navy_clicked() { aimPicker(*ui->textEdit_near_navy); }
void MainWindow::on_pushButton_symbol_near_weapon_clicked() { aimPicker(*ui->textEdit_near_weapon); }
void MainWindow::on_pushButton_symbol_far_air_clicked() { aimPicker(*ui->textEdit_far_air); }
void MainWindow::on_pushButton_symbol_far_ground_clicked() { aimPicker(*ui->textEdit_far_ground); }
void MainWindow::on_pushButton_symbol_far_navy_clicked() { aimPicker(*ui->textEdit_far_navy); }
void MainWindow::on_pushButton_symbol_far_weapon_clicked() { aimPicker(*ui->textEdit_far_weapon); }

void MainWindow::on_action_Chinese_triggered() { chooseLanguage(1); }
void MainWindow::on_action_English_triggered() { chooseLanguage(0); }
void MainWindow::on_action_Russian_2_triggered() { chooseLanguage(2); }
void MainWindow::on_action_Japanese_triggered() { chooseLanguage(3); }
void MainWindow::on_actionReload_triggered() { if (mayLeaveChanges()) reloadModel(ReloadSource::LabelFile); }
void MainWindow::on_actionRestore_Default_triggered() { restoreDefault(); }
void MainWindow::on_actionAbout_Author_triggered() { showAbout(); }
// Asks as closing does; the other windows go with the program.
void MainWindow::on_actionQuit_triggered() { if (close()) QCoreApplication::quit(); }
// clang-format on
