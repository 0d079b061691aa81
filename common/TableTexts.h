#pragma once
// The texts of the format-table controls (the table button of a category, the table
// dialog), of a symbol size set by a name and of the entries Apply moved with their
// band, in the four interface languages.
#include <QString>

enum class TableText {
    TableButton,         // %1: the number of entries
    TableButtonTip,      // why the category shows a button instead of its band rows
    DialogTitle,         // %1: the category, %2: the level
    DialogIntro,         // what an entry means
    ColumnDistance,
    ColumnText,
    ColumnAlignment,
    ColumnColourBlend,
    ColumnOpacity,
    ColumnShiftX,
    ColumnShiftY,
    WrittenAs,           // %1: an entry that is not a table, as the file writes it
    AddEntry,
    RemoveEntry,
    Ok,
    Cancel,
    DistancesInvalid,    // %1: the offending entries' distances as typed
    FieldNotStored,      // %1: why the typed text cannot be stored
    FieldNotANumber,
    TablesInvalid,       // %1: the tables whose distances break the rules, one a line
    TablesNotCarried,    // %1: the tables written whole whose texts' brackets do not pair up
    SymbolSizeVariable,  // %1: the name that sets the symbol size
    KeysMoved,           // %1: the entries Apply moved with their band, one KeyMoved a line
    KeyMoved,            // %1: the level, %2: the category, %3: the band, %4 and %5: its distance before and after
    Count
};

// The text in the current language (English when the index is outside 0-3).
QString tableText(TableText id);
