// The six routing grids and how they stand together: each grid is declared in
// config/pages/RoutingPage.cpp (its columns with their parameters, header
// words, kinds, lists and widths); a default table lies under its main table.
#pragma once

#include "PageDeclaration.h"

namespace kw::routing {

enum class CellKind {
    Fixed,      // row numbers or the default row's label; never edited
    Text,       // typed, normalised with the column's parameter when left
    Enumerated, // a number shown as an item text and picked from a list
};

// Each main table comes just before the default table under it.
enum class TableId { FXS, FXSDef, FXO, FXODef, GSM, GSMDef };
inline constexpr TableId kTables[] = {TableId::FXS,    TableId::FXSDef, TableId::FXO,
                                      TableId::FXODef, TableId::GSM,    TableId::GSMDef};

// Main tables: 120 rows of values 0 to 119; default tables: one row.
constexpr int kRoutingRows = 120;
// The width of the row numbers ("120.") in digits.
constexpr int kRowNumberDigits = 4;

bool IsDefaultTable(TableId table);
// The main table a default table stands under (itself for a main table), and
// the default table under a main table.
TableId MainTableOf(TableId table);
TableId DefaultTableOf(TableId mainTable);

// The table's declaration: its word is the fixed column's, its rows the
// other columns for every variant.
const pages::TGroup& Declaration(TableId table);

// Default tables: column c (c >= 1) lies under main column c + offset, and
// column 0 spans main columns 0 to offset.
int DefaultColumnOffset(TableId defaultTable);

} // namespace kw::routing
