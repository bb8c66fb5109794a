#include "RoutingColumns.h"

#include "Fatal.h"

namespace kw::routing {
namespace {

// One field of a routing row and of its default route.
struct TField {
    const char* rowParam;
    const char* defParam; // nullptr: the default route has no such field
    int word;
    const char* list;    // enumerated: the main table's list, else nullptr
    const char* defList; // enumerated: the default table's list
    const char* width;   // width template of the main table's column
    bool fxoOnly;        // only for variants with an FXO line
};

constexpr int kRowNumberWord = 24;
constexpr const char* kRowNumberWidth = "Edit18";

// clang-format off
const TField kFxsFields[] = {
    {"FXSNumBegin",   nullptr,            25,  nullptr,     nullptr,      "Edit17",    false},
    {"FXSPermitted",  "FXSDefPermitted",  26,  "ComboBox5", "ComboBox10", "ComboBox5", false},
    {"FXSDirection",  "FXSDefDirection",  216, "ComboBox7", "ComboBox11", "ComboBox7", true},
    {"FXSNumLength",  "FXSDefNumLength",  27,  nullptr,     nullptr,      "ComboBox8", false},
    {"FXSNumEnd",     "FXSDefNumEnd",     28,  "ComboBox8", "ComboBox12", "ComboBox8", false},
    {"FXSRemove",     "FXSDefRemove",     29,  nullptr,     nullptr,      "ComboBox8", false},
    {"FXSAdd",        "FXSDefAdd",        30,  nullptr,     nullptr,      "Edit17",    false},
    {"FXSExtraTar",   "FXSDefExtraTar",   150, nullptr,     nullptr,      "ComboBox8", false},
    {"FXSTarif",      "FXSDefTarif",      151, nullptr,     nullptr,      "ComboBox8", false},
    {"FXSCallTime",   "FXSDefCallTime",   290, nullptr,     nullptr,      "Edit17",    false},
    {"FXSBankNumber", "FXSDefBankNumber", 300, nullptr,     nullptr,      "ComboBox8", false},
};

const TField kFxoFields[] = {
    {"FXONumBegin",   nullptr,            217, nullptr,     nullptr,      "Edit17",    false},
    {"FXOPermitted",  "FXODefPermitted",  218, "ComboBox1", "ComboBox9",  "ComboBox5", false},
    {"FXONumLength",  "FXODefNumLength",  219, nullptr,     nullptr,      "ComboBox7", false},
    {"FXONumEnd",     "FXODefNumEnd",     220, "ComboBox6", "ComboBox13", "ComboBox8", false},
    {"FXORemove",     "FXODefRemove",     221, nullptr,     nullptr,      "ComboBox8", false},
    {"FXOAdd",        "FXODefAdd",        222, nullptr,     nullptr,      "Edit17",    false},
    {"FXOCallTime",   "FXODefCallTime",   290, nullptr,     nullptr,      "Edit17",    false},
    {"FXOBankNumber", "FXODefBankNumber", 300, nullptr,     nullptr,      "ComboBox8", false},
};

// The GSM direction lists differ by variant (see GsmDirectionList).
const TField kGsmFields[] = {
    {"GSMNum",       nullptr,           224, nullptr,     nullptr,      "Edit17",    false},
    {"GSMSubString", nullptr,           225, nullptr,     nullptr,      "ComboBox3", false},
    {"GSMDirection", "GSMDefDirection", 226, "ComboBox3", "ComboBox15", "ComboBox3", false},
    {"GSMDialNUm",   "GSMDefDialNum",   227, nullptr,     nullptr,      "Edit17",    false},
    {"GSMCallTime",  "GSMDefCallTime",  290, nullptr,     nullptr,      "Edit17",    false},
};
// clang-format on

struct TFields {
    const TField* begin;
    const TField* end;
    int labelWord; // the default row's label
};

TFields FieldsOf(TableId table) {
    switch (MainTableOf(table)) {
    case TableId::FXS:
        return {std::begin(kFxsFields), std::end(kFxsFields), 31};
    case TableId::FXO:
        return {std::begin(kFxoFields), std::end(kFxoFields), 223};
    default:
        return {std::begin(kGsmFields), std::end(kGsmFields), 228};
    }
}

// Without an FXO line the GSM direction lists leave out value 1 (FXO).
std::string ListFor(const TField& field, bool defaultTable, bool hasFxo) {
    const char* list = defaultTable ? field.defList : field.list;
    if (list == nullptr)
        return {};
    const std::string name = list;
    if (!hasFxo && name == "ComboBox3")
        return "ComboBox16";
    if (!hasFxo && name == "ComboBox15")
        return "ComboBox17";
    return name;
}

} // namespace

bool IsDefaultTable(TableId table) {
    return table == TableId::FXSDef || table == TableId::FXODef || table == TableId::GSMDef;
}

TableId MainTableOf(TableId table) {
    switch (table) {
    case TableId::FXSDef:
        return TableId::FXS;
    case TableId::FXODef:
        return TableId::FXO;
    case TableId::GSMDef:
        return TableId::GSM;
    default:
        return table;
    }
}

std::vector<TColumn> Columns(TableId table, bool hasFxo) {
    const TFields fields = FieldsOf(table);
    const bool defaultTable = IsDefaultTable(table);
    std::vector<TColumn> columns;
    columns.push_back({CellKind::Fixed, {}, defaultTable ? fields.labelWord : kRowNumberWord, {}});
    for (const TField* f = fields.begin; f != fields.end; ++f) {
        if (f->fxoOnly && !hasFxo)
            continue;
        const char* param = defaultTable ? f->defParam : f->rowParam;
        if (param == nullptr)
            continue;
        const std::string list = ListFor(*f, defaultTable, hasFxo);
        columns.push_back(
            {list.empty() ? CellKind::Text : CellKind::Enumerated, param, f->word, list});
    }
    return columns;
}

std::vector<std::string> WidthTemplates(TableId mainTable, bool hasFxo) {
    KW_ASSERT(!IsDefaultTable(mainTable));
    const TFields fields = FieldsOf(mainTable);
    std::vector<std::string> widths{kRowNumberWidth};
    for (const TField* f = fields.begin; f != fields.end; ++f)
        if (!f->fxoOnly || hasFxo)
            widths.push_back(f->width);
    return widths;
}

int DefaultColumnOffset(TableId defaultTable) {
    KW_ASSERT(IsDefaultTable(defaultTable));
    return MainTableOf(defaultTable) == TableId::GSM ? 2 : 1;
}

} // namespace kw::routing
