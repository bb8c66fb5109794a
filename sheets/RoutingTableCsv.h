// A routing table (FXS, FXO, GSM with its default route, or the free-minutes
// banks) as a spreadsheet: a header of column keys ("row", then the parameter
// names in grid order), one line per table row, and for the routing tables a
// line "default" holding each default parameter under its main column. Values
// as the grid shows them; an import checks every cell before it changes
// anything.
#pragma once

#include "PageDeclaration.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CLanguage;
class CParameters;

namespace kw::sheets {

enum class Table { Fxs, Fxo, Gsm, Banks };

// "fxs", "fxo", "gsm", "banks".
std::optional<Table> TableByName(std::string_view name);
// The FXO table exists only on gateways with an FXO line.
bool HasTable(Table table, const std::string& variant);

struct TColumn {
    std::string key;                       // the main parameter's name
    const pages::TRow* main = nullptr;     // its declaration
    const pages::TRow* fallback = nullptr; // the default route's, when it has one
};

// The columns after "row" for the variant, in grid order.
std::vector<TColumn> Columns(Table table, const std::string& variant);
// Lines after the header: 120 (4 for the banks), plus the default line.
int RowCount(Table table);
bool HasDefaultRow(Table table);

// The table as UTF-8 CSV; list cells as their item texts in `language`.
std::string ExportTable(const CParameters& parameters, Table table, const CLanguage& language);

enum class Fault {
    QuoteNotClosed,
    TextAfterQuote,
    NotUtf8,
    TooLarge,
    UnknownColumn,
    MissingColumn, // detail: the key
    DuplicateColumn,
    CellCount, // detail: cells found, cells expected
    UnknownRow,
    RowTwice,
    RowMissing, // detail: the row key
    NotInList,
    NotNumber,
    OutOfRange,     // detail: lowest, highest
    NoDefaultValue, // the default line has no value in this column
};

struct TCellFault {
    int line = 0;    // from 1
    int column = 0;  // from 1; 0 for the file as a whole
    std::string key; // the column's key, empty when it has none
    Fault fault = Fault::UnknownColumn;
    std::vector<std::string> detail;
};

// Largest file an import reads: a full table is some 30 kB.
inline constexpr size_t kMaxCsvBytes = 4 * 1024 * 1024;

// Checks the whole file, then, when every cell is good, sets the table's
// parameters through the registry (which marks the configuration modified
// where a value changed). `languages`: every installed language loaded for
// the configuration's variant, so a list cell may name its item in any of
// them (or give its number). Returns the faults, in file order; with any
// fault nothing is changed.
std::vector<TCellFault> ImportTable(CParameters& parameters, Table table, std::string_view csv,
                                    const std::vector<const CLanguage*>& languages);

// "Line 7, column 3 (FXSPermitted): the value is not in the list" in the
// language's words.
std::string DescribeFault(const TCellFault& fault, const CLanguage& language);

} // namespace kw::sheets
