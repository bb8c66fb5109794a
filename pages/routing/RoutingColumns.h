// The columns of the six routing grids: which parameter each column shows, its
// header word, whether it is typed or picked from a list, and which hidden
// control of the page gives its width. Plain data, so the page and the tests
// read the same tables.
#pragma once

#include <string>
#include <vector>

namespace kw::routing {

enum class CellKind {
    Fixed,      // row numbers or the default row's label; never edited
    Text,       // typed, normalised with the column's parameter when left
    Enumerated, // a number shown as an item text and picked from a list
};

enum class TableId { FXS, FXSDef, FXO, FXODef, GSM, GSMDef };

struct TColumn {
    CellKind kind = CellKind::Fixed;
    // The parameter: per row in a main table, single-valued in a default table;
    // empty for a fixed column.
    std::string param;
    // The header word of a main table; in a default table the word whose hint
    // the column shows (for column 0 the row label's word).
    int word = 0;
    // objectName of the page's hidden drop-down list that carries the values and
    // item texts of an enumerated column.
    std::string list;
};

// Main tables: 120 rows of values 0 to 119; default tables: one row.
constexpr int kRoutingRows = 120;

bool IsDefaultTable(TableId table);
// The main table a default table stands under (itself for a main table).
TableId MainTableOf(TableId table);

// The columns of a table for a variant with or without an FXO line.
std::vector<TColumn> Columns(TableId table, bool hasFxo);

// Main tables: per column the objectName of the hidden control whose width,
// minus 3 pixels, the column takes.
std::vector<std::string> WidthTemplates(TableId mainTable, bool hasFxo);

// Default tables: column c (c >= 1) lies under main column c + offset, and
// column 0 spans main columns 0 to offset.
int DefaultColumnOffset(TableId defaultTable);

} // namespace kw::routing
