#pragma once
// Messages the editor shows in dialogs, in the four interface languages.
//
// To add a message: add an id to MessageId (before Count) and, in Messages.cpp, one
// row at the same position of the table with its English, Chinese, Russian and
// Japanese text. Placeholders %1, %2 are filled with QString::arg by the caller.
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <system_error>

#include "model/ModelOutcome.h"

class QWidget;

enum class MessageId {
    WarningTitle,         // title of every warning box
    ProfileNotSaved,      // %1: why the profile could not be written
    FolderUnreadable,     // %1: the folder, %2: the system's reason
    VisibilitySection,    // heading of the category visibility settings in a list of settings
    SettingsUnreadable,   // %1: the settings Labels.lua did not yield, one line per section
    OwnSymbolSizes,       // %1: the levels whose symbol size differs from FULL's
    SettingsNotSaved,     // %1: changed settings Apply could not save (the others were written)
    NothingSaved,         // %1: changed settings Apply could not save (nothing else to write)
    LabelFileNotWritten,  // %1: why Labels.lua could not be written
    LabelFileNotRead,     // %1: why Labels.lua could not be read again
    DistancesInvalid,     // %1: the distance settings that break the rules, one line per section
    SymbolNotWritable,    // %1: the symbol setting, %2: the symbol
    DefaultNotRestored,   // %1: why data/default.lua could not be put in place
    NoLabelFileYet,       // %1: the folder chosen; create Labels.lua from the factory copy?
    LabelFileNotCreated,  // %1: why
    LabelFileGone,        // %1: the folder Labels.lua was in
    AboutTitle,
    AboutText,            // %1: the version
    QuestionTitle,        // title of every question box
    ChangedElsewhere,     // Labels.lua changed on disk: reload, overwrite or cancel
    RestoreDefaultAsked,  // replace Labels.lua with the factory copy?
    LevelChangesPending,  // %1: the level shown, %2: the level chosen; apply, discard or stay
    ChangesNotApplied,    // closing, reloading or choosing another folder: apply, discard or cancel
    LabelFileUnusable,    // %1: what is wrong with Labels.lua; offer Restore Default
    LabelFileIsFolder,    // %1: the folder Labels.lua should be in
    RunStopsAtLoad,       // %1: the levels, %2: where and why Lua stops; a second line on Apply
    RunUncheckedAtLoad,   // %1: the levels, %2: why Lua cannot run it to its end; a second line on Apply
    AnswerReload,
    AnswerOverwrite,
    AnswerCancel,
    AnswerYes,
    AnswerNo,
    AnswerApply,
    AnswerDiscard,
    AnswerStay,
    AnswerRestoreDefault,
    AnswerNotNow,

    // Reasons, the %1 of the messages above. Texts the player may not use are named as
    // what "may not contain" / "contains" takes.
    WriteNoFileName,
    WriteFolderMissing,
    WriteFolderInTheWay,
    WriteFolderReadOnly,
    WritePermissionDenied,
    WriteNoSpace,
    WriteIncomplete,
    WriteOther,
    LanguageUnknown,
    DirectoryNotStorable,  // %1: what the path contains
    DataFolderNotCreated,
    LabelFileNotReadAtLoad,
    NoLabelFile,
    FactoryCopyUnreadable,
    FactoryCopyDamaged,
    BackupFailed,  // %1: why
    LabelFolderNotCreated,
    LuaCannotCompile,         // %1: the line, %2: Lua's message; the changed file
    LuaRunStops,              // %1: the level, %2: where and why the changed file stops
    LuaWouldAlsoChange,       // %1: the values, %2: the level
    LuaStopsBeforeChange,     // %1: the level, %2: where and why the file stops
    LuaCannotCheck,           // %1: the level, %2: where and why the file stops
    LabelFileDoesNotCompile,  // %1: the line, %2: Lua's message; the file as it is
    FileIsEmpty,
    FileUnreadable,
    FileNotUtf8,
    FileSystemSilent,  // a folder or file whose state the file system could not tell
    StopAtLine,        // %1: the line, %2: Lua's message or one of the bounds below
    StopInstructions,
    StopMemory,
    StopTime,
    StopTooLarge,
    TextDoubleQuote,
    TextLineBreak,
    TextControlCharacter,
    TextCodePage,
    Count
};

// The text of the current language (English when the index is outside 0-3).
QString message(MessageId id);

// Why something failed, worded in the current language, and the system's own words (if
// any) for the box's details.
struct Reason {
    QString text;
    QString detail;
};
Reason reasonOf(lua::WriteFailure failure, const std::string& detail = {});
Reason reasonOf(const ModelOutcome& outcome);
Reason reasonOf(const std::error_code& error);
// What a refused text contains ("a line break").
QString refusalText(const TextRefusal& refusal);
// Where and why a run of Lua stopped ("line 12: attempt to call a nil value").
QString stopText(const lua::RunStop& stop);
// What the runs of Labels.lua found: one notice for each way the script stops, naming
// its levels (its first line alone says it; the second says what it means for Apply).
// Empty when the script runs to its end at every level.
QStringList runStopNotices(const lua::LevelRuns& runs);

// Asks through the dialog seam, with the title and the answers in the current language;
// the index of the answer chosen (the default when the box is closed).
int askQuestion(QWidget* parent, const QString& text, std::initializer_list<MessageId> answers, int defaultAnswer);

// Shows a warning box (through the dialog seam) with the title of the current language;
// a detail goes into the box's details.
void showWarning(QWidget* parent, const QString& text, const QString& detail = {});
