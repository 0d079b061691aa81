#pragma once
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/FormatTable.h"
#include "model/LabelEdits.h"
#include "model/LabelTypes.h"

class LabelConfig;
struct LabelDifferences;
class ProfileStore;
class QIntValidator;
class QPushButton;
class QTextEdit;
class DistanceControls;
class FormatTableControls;
class SymbolSizeSource;
class LabelPreview;
class TextFitting;
namespace Ui {
class MainWindow;
}

// The editor's working window: shows the label settings of the model, lets the user
// change them and hands them to the model on Apply. Where the player moves on to
// another window, it says so by a signal; it knows no other window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The model and the profile (which keeps the interface language) outlive the window.
    MainWindow(LabelConfig& model, ProfileStore& profile, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sets every control from the model.
    void fillFromModel();
    // Tells the player, once the window is shown, what the last load could not read.
    void showLoadNotice();
    void redrawPreview();

public slots:
    // Puts a symbol chosen in the picker into the field it was asked for.
    void placePickedSymbol(const QString& symbol);

protected:
    // With values not yet applied, closing asks first.
    void closeEvent(QCloseEvent* event) override;
    // Input is ignored while Apply's Lua check runs.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // File, Reselect Directory: the window has closed itself.
    void directoryReselectRequested();
    // A symbol button was pressed; placePickedSymbol answers.
    void symbolPickRequested();
    // Apply wrote every value to Labels.lua; movedKeys names the entries it moved with
    // their band (describeMovedKeys), empty when none.
    void applied(const QString& movedKeys);

private slots:
    void on_actionSelectDirectory_triggered();
    void on_comboBox_profille_currentIndexChanged(int index);
    void on_horizontalSlider_symbol_size_sliderMoved(int position);
    void on_pushButton_apply_clicked();

    void on_horizontalSlider_empty_air_sliderMoved(int position);
    void on_horizontalSlider_near_air_sliderMoved(int position);
    void on_horizontalSlider_far_air_sliderMoved(int position);
    void on_horizontalSlider_dot_air_sliderMoved(int position);
    void on_horizontalSlider_empty_ground_sliderMoved(int position);
    void on_horizontalSlider_near_ground_sliderMoved(int position);
    void on_horizontalSlider_far_ground_sliderMoved(int position);
    void on_horizontalSlider_dot_ground_sliderMoved(int position);
    void on_horizontalSlider_empty_navy_sliderMoved(int position);
    void on_horizontalSlider_near_navy_sliderMoved(int position);
    void on_horizontalSlider_far_navy_sliderMoved(int position);
    void on_horizontalSlider_dot_navy_sliderMoved(int position);
    void on_horizontalSlider_empty_weapon_sliderMoved(int position);
    void on_horizontalSlider_near_weapon_sliderMoved(int position);
    void on_horizontalSlider_far_weapon_sliderMoved(int position);

    void on_horizontalSlider_empty_air_sliderReleased();
    void on_horizontalSlider_near_air_sliderReleased();
    void on_horizontalSlider_far_air_sliderReleased();
    void on_horizontalSlider_dot_air_sliderReleased();
    void on_horizontalSlider_empty_ground_sliderReleased();
    void on_horizontalSlider_near_ground_sliderReleased();
    void on_horizontalSlider_far_ground_sliderReleased();
    void on_horizontalSlider_dot_ground_sliderReleased();
    void on_horizontalSlider_empty_navy_sliderReleased();
    void on_horizontalSlider_near_navy_sliderReleased();
    void on_horizontalSlider_far_navy_sliderReleased();
    void on_horizontalSlider_dot_navy_sliderReleased();
    void on_horizontalSlider_empty_weapon_sliderReleased();
    void on_horizontalSlider_near_weapon_sliderReleased();
    void on_horizontalSlider_far_weapon_sliderReleased();

    void on_lineEdit_value_empty_air_editingFinished();
    void on_lineEdit_value_near_air_editingFinished();
    void on_lineEdit_value_far_air_editingFinished();
    void on_lineEdit_value_dot_air_editingFinished();
    void on_lineEdit_value_empty_ground_editingFinished();
    void on_lineEdit_value_near_ground_editingFinished();
    void on_lineEdit_value_far_ground_editingFinished();
    void on_lineEdit_value_dot_ground_editingFinished();
    void on_lineEdit_value_empty_navy_editingFinished();
    void on_lineEdit_value_near_navy_editingFinished();
    void on_lineEdit_value_far_navy_editingFinished();
    void on_lineEdit_value_dot_navy_editingFinished();
    void on_lineEdit_value_empty_weapon_editingFinished();
    void on_lineEdit_value_near_weapon_editingFinished();
    void on_lineEdit_value_far_weapon_editingFinished();

    void on_radioButton_aircraft_toggled(bool checked);
    void on_radioButton_ground_toggled(bool checked);
    void on_radioButton_navy_toggled(bool checked);
    void on_radioButton_weapon_toggled(bool checked);
    void on_radioButton_near_toggled(bool checked);
    void on_radioButton_far_toggled(bool checked);
    void on_pushButton_red_color_clicked();
    void on_pushButton_blue_color_clicked();
    void on_radioButton_side_red_toggled(bool checked);
    void on_radioButton_side_blue_toggled(bool checked);

    void on_comboBox_symbol_pos_air_currentIndexChanged(int index);
    void on_comboBox_symbol_pos_ground_currentIndexChanged(int index);
    void on_comboBox_symbol_pos_navy_currentIndexChanged(int index);
    void on_comboBox_symbol_pos_weapon_currentIndexChanged(int index);

    void on_pushButton_symbol_near_air_clicked();
    void on_pushButton_symbol_near_ground_clicked();
    void on_pushButton_symbol_near_navy_clicked();
    void on_pushButton_symbol_near_weapon_clicked();
    void on_pushButton_symbol_far_air_clicked();
    void on_pushButton_symbol_far_ground_clicked();
    void on_pushButton_symbol_far_navy_clicked();
    void on_pushButton_symbol_far_weapon_clicked();

    void on_action_Chinese_triggered();
    void on_action_English_triggered();
    void on_action_Russian_2_triggered();
    void on_action_Japanese_triggered();
    void on_actionReload_triggered();
    void on_actionRestore_Default_triggered();
    void on_actionAbout_Author_triggered();
    void on_actionImportValues_triggered();
    void on_actionBackups_triggered();
    void on_actionQuit_triggered();

private:
    void applyTexts();
    void showAbout();
    void chooseLanguage(int index);
    void loadLevel(int levelIndex);
    void showSharedLevels();
    void showSideColours();
    void chooseSideColour(std::optional<ColourTriple>& colour, QPushButton& button);
    void aimPicker(QTextEdit& field);
    void previewCategoryChosen(bool checked, UnitCategory category);
    void previewRangeChosen(bool checked, SymbolRange range);
    // Where Reload and Restore Default take the settings they refill the window with.
    enum class ReloadSource { LabelFile, FactoryCopy };
    void reloadModel(ReloadSource source);
    void restoreDefault();
    // Before the window's values are thrown away: false when the player stays.
    bool mayLeaveChanges();
    bool reportUnusableFile();
    // What is wrong with a label file as a whole, in the player's words; none when it reads.
    static std::optional<QString> wholeFileProblem(const LabelConfig& file);

    // Apply: what the player changed is checked, then handed over and written at once.
    // True when every change reached the file.
    bool applyChanges();
    // Runs the model's Lua check of an Apply off the window's thread (see LabelConfig).
    void runCheck(const std::function<void()>& check);
    bool valuesCanBeWritten();
    // What differs from what the model holds: outside the level's controls, and the
    // alignments of the level shown (the distance block finds its own).
    std::vector<SettingChange> settingChanges() const;
    std::vector<SettingChange> alignmentChanges() const;
    // Whether any control differs: everywhere, or only the distances and alignments of
    // the level shown.
    bool hasChanges() const;
    bool levelChanged() const;
    // Every change of the window to the edits of an Apply, the taken ones held for other
    // levels among them.
    void handOverChanges(LabelEdits& edits) const;
    // The model's refusal of the changes, in the player's words.
    QString describeRefusal(const EditRefusal& refusal) const;

    // Import Values From… and Backups…: the values in which another label file differs,
    // for the player to take (CompareDialog).
    void compareWith(const QString& file, const QString& shownName);
    // Taken values become changes of the window: in its controls where they show, held
    // for their level otherwise until it is shown.
    void takeValues(const LabelDifferences& taken);
    // Shows a taken value in its control; false where no control of the window shows it.
    bool showInControls(const SettingChange& change);
    void showHeldChanges();
    // Whether the controls show the category's table of this level.
    bool levelShown(LabelLevel level, UnitCategory category) const;
    // Before a write: when another program changed Labels.lua, the player decides.
    // False when nothing is to be written (the file may have been reloaded instead).
    bool mayReplaceLabelFile();
    void switchLevel(int index);

    LabelConfig& model;
    ProfileStore& profile;
    std::unique_ptr<Ui::MainWindow> ui;
    QIntValidator* distanceValidator = nullptr;
    std::unique_ptr<DistanceControls> distances;
    std::unique_ptr<LabelPreview> preview;
    std::unique_ptr<TextFitting> textFitting;
    std::unique_ptr<FormatTableControls> tables;  // categories whose table has a shape of its own
    std::unique_ptr<SymbolSizeSource> sizeSource;
    // The level the distance and alignment controls show and Apply writes; none for
    // a level index the window does not know.
    std::optional<LabelLevel> currentLevel = LabelLevel::FULL;
    // Bound to ColorAliesSide and ColorEnemiesSide; none while the file's colour could
    // not be read and none has been chosen.
    std::optional<ColourTriple> redSide;
    std::optional<ColourTriple> blueSide;
    bool firstFilling = true;
    // Where the next picked symbol goes: one of the symbol fields (its button follows).
    QTextEdit* pickerField = nullptr;
    // Values taken from another file for levels not shown.
    std::vector<SettingChange> heldChanges;
    std::vector<FormatTable> heldTables;
    bool checking = false;    // Apply's Lua check is running
    bool closeAsked = false;  // the window was asked to close meanwhile
};
