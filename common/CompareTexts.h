#pragma once
// The texts of taking values from another label file or a backup (the compare dialog
// and the list of backups), in the four interface languages.
#include <QString>

enum class CompareText {
    ChooseFileTitle,     // the file dialog of Import Values From…
    FileFilter,          // its filter
    DialogTitle,         // %1: the other file's name
    DialogIntro,         // %1: the other file's name
    ColumnSetting,
    ColumnHere,
    ColumnThere,
    TakeAll,
    TakeNone,
    TakeChecked,
    Cancel,
    NotTakeable,         // why a row has no check box to tick
    TableValue,          // %1: the entries' distances
    TableName,           // %1: the category, %2: the level
    NoDifferences,       // %1: the other file's name
    FileNotCompared,     // %1: the other file, %2: why it cannot be read
    BackupsTitle,
    BackupsIntro,
    ColumnMade,
    ColumnDiffering,
    CompareBackup,
    NoBackups,
    Close,
    BackupUnreadable,
    Shown,               // a category whose labels are shown (visibility on)
    Hidden,
    Count
};

// The text in the current language (English when the index is outside 0-3).
QString compareText(CompareText id);
