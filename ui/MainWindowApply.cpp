// The main window's commands that write Labels.lua or throw the window's values away:
// Apply, the level switch, Reload and Restore Default.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QTextEdit>

#include <exception>
#include <filesystem>
#include <thread>
#include <utility>

#include "common/Messages.h"
#include "model/LabelConfig.h"
#include "ui/CategoryRows.h"
#include "ui/DistanceRows.h"
#include "ui/FormatTableControls.h"
#include "ui/MainWindow.h"
#include "ui/SettingNames.h"
#include "common/TableTexts.h"
#include "ui_MainWindow.h"

namespace {
enum OutsideChangeAnswer { Reload, Overwrite, Cancel };
enum LevelAnswer { ApplyFirst, DiscardThem, Stay };
enum LeaveAnswer { ApplyNow, Discard, StayHere };
enum RestoreAnswer { RestoreNow, NotNow };
enum YesNo { Yes, No };

std::optional<int> symbolSizeShown(const QLabel& label)
{
    bool ok = false;
    const int size = label.text().toInt(&ok);
    return ok ? std::optional<int>(size) : std::nullopt;
}
}  // namespace

// Only what differs from what the model last read or wrote is handed over; each
// comparison takes the value the window showed for a setting the model could not read.
std::vector<SettingChange> MainWindow::settingChanges() const
{
    std::vector<SettingChange> changes;
    const auto add = [&changes](const LabelSetting& setting, auto fill) {
        SettingValue value;
        fill(value);
        changes.push_back({&setting, value});
    };
    for (const auto& [side, colour] : {std::pair{Side::Enemies, blueSide}, std::pair{Side::Allies, redSide}}) {
        if (colour && colour != model.sideColour(side))
            add(model.sideColourSetting(side), [c = *colour](SettingValue& v) { v.colour = c; });
    }
    if (const std::optional<int> size = symbolSizeShown(*ui->label_symbol_size_real);
        size && size != model.symbolSizeValue())
        add(model.symbolSize(), [n = *size](SettingValue& v) { v.number = n; });
    for (const CategoryRow& row : categoryRows) {
        const bool on = (ui.get()->*row.visible)->isChecked();
        if (on != model.visibilityOn(row.category).value_or(false))
            add(model.visibility(row.category), [on](SettingValue& v) { v.on = on; });
    }
    for (const CategoryRow& row : categoryRows) {
        for (const SymbolRange range : symbolRanges) {
            const std::string symbol = row.symbolField(*ui, range).toPlainText().toStdString();
            if (symbol != model.symbolText(row.category, range).value_or(std::string()))
                add(model.symbol(row.category, range), [&symbol](SettingValue& v) { v.symbol = symbol; });
        }
    }
    return changes;
}

std::vector<SettingChange> MainWindow::alignmentChanges() const
{
    std::vector<SettingChange> changes;
    if (!currentLevel)
        return changes;
    for (const CategoryRow& row : categoryRows) {
        const int index = (ui.get()->*row.alignment)->currentIndex();
        if (index >= 0 && index != model.alignmentIndex(*currentLevel, row.category).value_or(-1)) {
            SettingValue value;
            value.number = index;
            changes.push_back({&model.alignment(*currentLevel, row.category), value});
        }
    }
    return changes;
}

bool MainWindow::levelChanged() const
{
    return currentLevel && (!alignmentChanges().empty() || distances->changed(model, *currentLevel) || tables->changed());
}

bool MainWindow::hasChanges() const
{
    return !settingChanges().empty() || levelChanged() || !heldChanges.empty() || !heldTables.empty();
}

void MainWindow::handOverChanges(LabelEdits& edits) const
{
    for (const SettingChange& change : settingChanges())
        edits.change(change);
    if (currentLevel) {
        for (const SettingChange& change : distances->changes(model, *currentLevel))
            edits.change(change);
    }
    tables->handOverChanges(edits);
    for (const SettingChange& change : alignmentChanges())
        edits.change(change);
    for (const SettingChange& change : heldChanges)
        edits.change(change);
    for (const FormatTable& table : heldTables)
        edits.changeTable(table);
}

QString MainWindow::describeRefusal(const EditRefusal& refusal) const
{
    QStringList tableNames;
    for (const OffendingTable& table : refusal.tables)
        tableNames << (ui.get()->*categoryRowOf(table.category).distanceHeading)->text() + " ("
                + ui->comboBox_profille->itemText(static_cast<int>(table.level)) + ")";
    switch (refusal.kind) {
    case EditRefusal::Kind::None: break;
    case EditRefusal::Kind::DistancesInvalid:
        return message(MessageId::DistancesInvalid).arg(describeSettings(refusal.settings, *ui));
    case EditRefusal::Kind::TablesInvalid: return tableText(TableText::TablesInvalid).arg(tableNames.join('\n'));
    case EditRefusal::Kind::TablesNotCarried: return tableText(TableText::TablesNotCarried).arg(tableNames.join('\n'));
    case EditRefusal::Kind::SymbolNotWritable:
        return message(MessageId::SymbolNotWritable)
            .arg(describeSettings(refusal.settings, *ui), QString::fromStdString(refusal.symbol),
                 refusalText(refusal.text));
    }
    return {};
}

// A field left empty has no value for the model's rules to judge: the window names it
// itself. Everything else is judged by the edits, before anything is handed over.
bool MainWindow::valuesCanBeWritten()
{
    if (!currentLevel)
        return true;
    std::vector<const LabelSetting*> offending;
    for (const DistanceRow* row : distances->offendingRows(model, *currentLevel))
        offending.push_back(&model.distance(*currentLevel, row->category, row->band));
    if (offending.empty())
        return true;
    showWarning(this, message(MessageId::DistancesInvalid).arg(describeSettings(offending, *ui)));
    return false;
}

// Another program's change is never written over unasked; keeping both sides is the
// default, since reloading drops the window's changes and overwriting drops the file's.
bool MainWindow::mayReplaceLabelFile()
{
    if (!model.labelFileChangedOnDisk())
        return true;
    const int answer
        = askQuestion(this, message(MessageId::ChangedElsewhere),
                      {MessageId::AnswerReload, MessageId::AnswerOverwrite, MessageId::AnswerCancel}, Cancel);
    if (answer == Reload)
        reloadModel(ReloadSource::LabelFile);
    return answer == Overwrite;
}

bool MainWindow::applyChanges()
{
    if (!valuesCanBeWritten())
        return false;
    LabelEdits edits(model);
    handOverChanges(edits);
    if (const EditRefusal refusal = edits.refusal()) {
        showWarning(this, describeRefusal(refusal));
        return false;
    }
    if ((!edits.empty() || model.hasUnsavedText()) && !mayReplaceLabelFile())
        return false;
    const bool anythingQueued = !edits.empty() || model.hasUnsavedText();
    const ApplyOutcome outcome = edits.apply();
    tables->handedOver();
    if (!outcome.written()) {
        const Reason reason = reasonOf(outcome.write);
        showWarning(this, message(MessageId::LabelFileNotWritten).arg(reason.text), reason.detail);
        return false;
    }
    if (!outcome.notSaved.empty()) {
        const MessageId said = anythingQueued ? MessageId::SettingsNotSaved : MessageId::NothingSaved;
        showWarning(this, message(said).arg(describeSettings(outcome.notSaved, *ui)));
        return false;
    }
    heldChanges.clear();
    heldTables.clear();
    emit applied(describeMovedKeys(outcome.moved, *ui));
    return true;
}

// Lua's check of a hostile script takes up to a few seconds: the window keeps drawing
// meanwhile, with a busy cursor, and takes no input (it is not disabled, which would
// flash grey at every Apply); a close asked for comes once the check is over, so that it
// can still ask about values not applied.
void MainWindow::runCheck(const std::function<void()>& check)
{
    checking = true;
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QEventLoop waiting;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            check();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    checking = false;
    if (closeAsked) {
        closeAsked = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
    if (failure)
        std::rethrow_exception(failure);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A shortcut comes as an event of its own, to the action (Reload would read the file
    // while the check reads the model).
    const bool input = event->isInputEvent() || event->type() == QEvent::Shortcut;
    return (checking && input) || QMainWindow::eventFilter(watched, event);
}

void MainWindow::on_pushButton_apply_clicked() { applyChanges(); }

void MainWindow::on_comboBox_profille_currentIndexChanged(int index) { switchLevel(index); }

// Values typed at one level are not lost by looking at another: the player decides.
void MainWindow::switchLevel(int index)
{
    if (levelChanged()) {
        const QString shown = ui->comboBox_profille->itemText(static_cast<int>(*currentLevel));
        const QString chosen = ui->comboBox_profille->itemText(index);
        const int answer = askQuestion(this, message(MessageId::LevelChangesPending).arg(shown, chosen),
                                       {MessageId::AnswerApply, MessageId::AnswerDiscard, MessageId::AnswerStay}, Stay);
        if (answer == Stay || (answer == ApplyFirst && !applyChanges())) {
            const QSignalBlocker quiet(ui->comboBox_profille);
            ui->comboBox_profille->setCurrentIndex(static_cast<int>(*currentLevel));
            return;
        }
    }
    loadLevel(index);
}

// Closing the window, reading the file again or going to another folder would throw the
// values typed here away: the player decides, and staying is the default.
bool MainWindow::mayLeaveChanges()
{
    if (!hasChanges() && !model.hasUnsavedText())
        return true;
    const int answer
        = askQuestion(this, message(MessageId::ChangesNotApplied),
                      {MessageId::AnswerApply, MessageId::AnswerDiscard, MessageId::AnswerCancel}, StayHere);
    return answer == Discard || (answer == ApplyNow && applyChanges());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (checking) {
        closeAsked = true;
        event->ignore();
        return;
    }
    if (mayLeaveChanges())
        event->accept();
    else
        event->ignore();
}

void MainWindow::restoreDefault()
{
    const int answer
        = askQuestion(this, message(MessageId::RestoreDefaultAsked), {MessageId::AnswerYes, MessageId::AnswerNo}, No);
    if (answer == Yes && mayReplaceLabelFile())
        reloadModel(ReloadSource::FactoryCopy);
}

// What is wrong with a label file as a whole, as the player reads it; none for a file
// that reads.
std::optional<QString> MainWindow::wholeFileProblem(const LabelConfig& file)
{
    switch (file.labelFileState()) {
    case LabelFileState::Readable: break;
    case LabelFileState::Empty: return message(MessageId::FileIsEmpty);
    case LabelFileState::Folder:
    case LabelFileState::Unreadable: return message(MessageId::FileUnreadable);
    case LabelFileState::NotUtf8: return message(MessageId::FileNotUtf8);
    case LabelFileState::DoesNotCompile: {
        const lua::CompileProblem& compile = *file.compileProblemAtLoad();
        return message(MessageId::LabelFileDoesNotCompile).arg(compile.line).arg(QString::fromStdString(compile.message));
    }
    }
    return std::nullopt;
}

// What is wrong with the file as a whole, in place of the list of settings it did not
// yield; true when the player was told.
bool MainWindow::reportUnusableFile()
{
    if (model.labelFileState() == LabelFileState::Folder) {
        const QString folder = QString::fromStdU16String(model.getLabelFilePath().parent_path().u16string());
        showWarning(this, message(MessageId::LabelFileIsFolder).arg(QDir::toNativeSeparators(folder)));
        return true;
    }
    const std::optional<QString> problem = wholeFileProblem(model);
    if (!problem)
        return false;
    const int answer = askQuestion(this, message(MessageId::LabelFileUnusable).arg(*problem),
                                   {MessageId::AnswerRestoreDefault, MessageId::AnswerNotNow}, NotNow);
    if (answer == RestoreNow && mayReplaceLabelFile())
        reloadModel(ReloadSource::FactoryCopy);
    return true;
}

void MainWindow::reloadModel(ReloadSource source)
{
    try {
        if (source == ReloadSource::FactoryCopy) {
            if (const ModelOutcome outcome = model.restoreDefault(); !outcome) {
                const Reason reason = reasonOf(outcome);
                showWarning(this, message(MessageId::DefaultNotRestored).arg(reason.text), reason.detail);
                return;
            }
        } else if (labelFileExists(profile)) {
            model.load();
        } else {
            const QString folder = QString::fromStdU16String(model.getLabelFilePath().parent_path().u16string());
            showWarning(this, message(MessageId::LabelFileGone).arg(QDir::toNativeSeparators(folder)));
            return;
        }
    } catch (const std::filesystem::filesystem_error& error) {
        const Reason reason = reasonOf(error.code());
        showWarning(this, message(MessageId::LabelFileNotRead).arg(reason.text), reason.detail);
        return;
    }
    fillFromModel();
    showLoadNotice();
}
