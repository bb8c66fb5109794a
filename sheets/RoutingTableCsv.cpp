#include "RoutingTableCsv.h"

#include "Csv.h"
#include "FormatText.h"
#include "HardwareVariant.h"
#include "Language.h"
#include "PageQuery.h"
#include "Pages.h"
#include "ParNumbers.h"
#include "Parameters.h"
#include "RoutingColumns.h"
#include "Win1252.h"
#include "Words.h"

#include <QStringDecoder>

#include <charconv>
#include <map>
#include <set>

namespace kw::sheets {
namespace {

using routing::TableId;

constexpr std::string_view kRowKey = "row";
constexpr std::string_view kDefaultKey = "default";
constexpr int kBankRows = 4;

TableId MainTable(Table table) {
    switch (table) {
    case Table::Fxo:
        return TableId::FXO;
    case Table::Gsm:
        return TableId::GSM;
    default:
        return TableId::FXS;
    }
}

std::string Utf8(const std::string& bytes) {
    return BytesToQString(bytes).toUtf8().toStdString();
}

// The bytes a UTF-8 cell stands for; nothing when it is no valid UTF-8.
std::optional<std::string> FromUtf8(const std::string& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
    if (decoder.hasError())
        return std::nullopt;
    return QStringToBytes(decoded);
}

std::string Trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

// A whole decimal number and nothing else (blanks around it allowed).
std::optional<long long> WholeNumber(const std::string& text) {
    const std::string number = Trimmed(text);
    const char* begin = number.data();
    const char* end = number.data() + number.size();
    if (begin != end && *begin == '+')
        ++begin;
    long long value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

bool IsList(const pages::TRow& row) {
    return row.kind == pages::Kind::GridList || row.kind == pages::Kind::List;
}

// The value a list cell names: an item text in any of the languages, or the
// number an item carries.
std::optional<int> ListValue(const pages::TRow& row, const std::string& cell,
                             const std::vector<const CLanguage*>& languages) {
    const QString text = QString::fromUtf8(cell).trimmed();
    for (const CLanguage* language : languages)
        for (size_t i = 0; i < row.items.size(); ++i)
            if (text.compare(
                    QString::fromStdString(language->GetItem(row.ItemsWord(), static_cast<int>(i))),
                    Qt::CaseInsensitive) == 0)
                return row.items[i];
    if (const std::optional<long long> number = WholeNumber(cell))
        for (int item : row.items)
            if (item == *number)
                return item;
    return std::nullopt;
}

// The cell as the grid shows it: a list value as its item text (a number no
// item carries as the number, so nothing is lost), any other value as text.
std::string ExportCell(const pages::TRow& row, const std::string& value,
                       const CLanguage& language) {
    if (IsList(row)) {
        const std::string shown = pages::DisplayedValue(row, value, language);
        return shown.empty() ? Utf8(value) : shown;
    }
    return Utf8(value);
}

struct TPending {
    std::string param;
    int row;
    std::string value;
};

class CImport {
public:
    CImport(const CParameters& parameters, Table table,
            const std::vector<const CLanguage*>& languages)
        : m_Parameters(parameters), m_Table(table), m_Languages(languages),
          m_Columns(Columns(table, parameters.GetValue("HWVer", 0))) {}

    std::vector<TCellFault> Check(std::string_view csv);
    const std::vector<TPending>& Pending() const { return m_Pending; }

private:
    void Fault(int line, int column, std::string key, sheets::Fault fault,
               std::vector<std::string> detail = {}) {
        m_Faults.push_back({line, column, std::move(key), fault, std::move(detail)});
    }
    void CheckHeader(const csv::TRecord& header);
    void CheckRecord(const csv::TRecord& record);
    // One cell of a known column; `valueRow` -1 for the default line.
    void CheckCell(const csv::TRecord& record, size_t field, const TColumn& column, int valueRow);

    const CParameters& m_Parameters;
    Table m_Table;
    const std::vector<const CLanguage*>& m_Languages;
    std::vector<TColumn> m_Columns;
    std::vector<const TColumn*> m_ByField; // per header field; nullptr for "row" and unknowns
    std::map<int, int> m_RowsSeen;         // table row (0: default) -> its line
    std::vector<TCellFault> m_Faults;
    std::vector<TPending> m_Pending;
};

std::vector<TCellFault> CImport::Check(std::string_view csv) {
    if (csv.size() > kMaxCsvBytes) {
        Fault(1, 1, {}, sheets::Fault::TooLarge);
        return m_Faults;
    }
    if (csv.substr(0, 3) == "\xEF\xBB\xBF")
        csv.remove_prefix(3);
    const csv::TParsed parsed = csv::Parse(csv);
    if (!parsed.error.empty()) {
        Fault(parsed.errorLine, parsed.errorColumn, {},
              parsed.error == "quote not closed" ? sheets::Fault::QuoteNotClosed
                                                 : sheets::Fault::TextAfterQuote);
        return m_Faults;
    }
    if (parsed.records.empty()) {
        Fault(1, 1, std::string(kRowKey), sheets::Fault::MissingColumn, {std::string(kRowKey)});
        return m_Faults;
    }
    CheckHeader(parsed.records.front());
    if (!m_Faults.empty())
        return m_Faults;
    for (size_t r = 1; r < parsed.records.size(); ++r)
        CheckRecord(parsed.records[r]);
    const int end = parsed.records.back().line + 1;
    for (int row = 1; row <= RowCount(m_Table); ++row)
        if (m_RowsSeen.count(row) == 0)
            Fault(end, 1, std::string(kRowKey), sheets::Fault::RowMissing, {std::to_string(row)});
    if (HasDefaultRow(m_Table) && m_RowsSeen.count(0) == 0)
        Fault(end, 1, std::string(kRowKey), sheets::Fault::RowMissing, {std::string(kDefaultKey)});
    return m_Faults;
}

void CImport::CheckHeader(const csv::TRecord& header) {
    std::set<std::string> seen;
    m_ByField.assign(header.fields.size(), nullptr);
    for (size_t f = 0; f < header.fields.size(); ++f) {
        const std::string key = Trimmed(header.fields[f]);
        const int column = static_cast<int>(f) + 1;
        if (f == 0) {
            if (key != kRowKey)
                Fault(header.line, 1, key, sheets::Fault::MissingColumn, {std::string(kRowKey)});
            continue;
        }
        const TColumn* known = nullptr;
        for (const TColumn& c : m_Columns)
            if (c.key == key)
                known = &c;
        if (known == nullptr)
            Fault(header.line, column, key, sheets::Fault::UnknownColumn);
        else if (!seen.insert(key).second)
            Fault(header.line, column, key, sheets::Fault::DuplicateColumn);
        else
            m_ByField[f] = known;
    }
    for (const TColumn& c : m_Columns)
        if (seen.count(c.key) == 0)
            Fault(header.line, static_cast<int>(header.fields.size()) + 1, c.key,
                  sheets::Fault::MissingColumn, {c.key});
}

void CImport::CheckRecord(const csv::TRecord& record) {
    const size_t expected = m_ByField.size();
    if (record.fields.size() != expected) {
        const int column = static_cast<int>(std::min(record.fields.size(), expected)) + 1;
        Fault(record.line, column, {}, sheets::Fault::CellCount,
              {std::to_string(record.fields.size()), std::to_string(expected)});
        return;
    }
    const std::string key = Trimmed(record.fields[0]);
    int row = -1;
    if (HasDefaultRow(m_Table) && QString::fromStdString(key).compare(
                                      QLatin1String(kDefaultKey.data()), Qt::CaseInsensitive) == 0)
        row = 0;
    else if (const std::optional<long long> number = WholeNumber(key);
             number && *number >= 1 && *number <= RowCount(m_Table))
        row = static_cast<int>(*number);
    if (row < 0) {
        Fault(record.line, 1, std::string(kRowKey), sheets::Fault::UnknownRow);
        return;
    }
    if (!m_RowsSeen.emplace(row, record.line).second) {
        Fault(record.line, 1, std::string(kRowKey), sheets::Fault::RowTwice);
        return;
    }
    for (size_t f = 1; f < record.fields.size(); ++f)
        CheckCell(record, f, *m_ByField[f], row - 1);
}

void CImport::CheckCell(const csv::TRecord& record, size_t field, const TColumn& column,
                        int valueRow) {
    const std::string& cell = record.fields[field];
    const int at = static_cast<int>(field) + 1;
    const pages::TRow* row = valueRow < 0 ? column.fallback : column.main;
    if (row == nullptr) {
        if (!Trimmed(cell).empty())
            Fault(record.line, at, column.key, sheets::Fault::NoDefaultValue);
        return;
    }
    const std::string param(row->param);
    const int index = valueRow < 0 ? 0 : valueRow;
    if (IsList(*row)) {
        const std::optional<int> value = ListValue(*row, cell, m_Languages);
        if (!value)
            Fault(record.line, at, column.key, sheets::Fault::NotInList);
        else
            m_Pending.push_back({param, index, std::to_string(*value)});
        return;
    }
    const std::optional<std::string> bytes = FromUtf8(cell);
    if (!bytes) {
        Fault(record.line, at, column.key, sheets::Fault::NotUtf8);
        return;
    }
    const TMultiPar* record_ = m_Parameters.Find(param);
    if (record_ == nullptr)
        return;
    if (const auto* number = dynamic_cast<const CParInt*>(record_->Type.get())) {
        const std::optional<long long> value = WholeNumber(*bytes);
        if (!value) {
            Fault(record.line, at, column.key, sheets::Fault::NotNumber);
            return;
        }
        if (*value < number->m_Min || *value > number->m_Max) {
            Fault(record.line, at, column.key, sheets::Fault::OutOfRange,
                  {std::to_string(number->m_Min), std::to_string(number->m_Max)});
            return;
        }
    }
    // What typing the text into the grid's cell and leaving it would keep.
    std::string text = *bytes;
    m_Parameters.NormalizeByName(param, text);
    m_Pending.push_back({param, index, std::move(text)});
}

} // namespace

std::optional<Table> TableByName(std::string_view name) {
    if (name == "fxs")
        return Table::Fxs;
    if (name == "fxo")
        return Table::Fxo;
    if (name == "gsm")
        return Table::Gsm;
    if (name == "banks")
        return Table::Banks;
    return std::nullopt;
}

bool HasTable(Table table, const std::string& variant) {
    return table != Table::Fxo || HasFxoLine(variant);
}

std::vector<TColumn> Columns(Table table, const std::string& variant) {
    std::vector<TColumn> columns;
    if (table == Table::Banks) {
        for (const pages::TGroup& group : pages::RoutingPage().groups)
            if (group.name == "Banks")
                for (const pages::TRow& row : group.rows)
                    if (!row.param.empty() && row.row == 0)
                        columns.push_back({std::string(row.param), &row, nullptr});
        return columns;
    }
    const TableId main = MainTable(table);
    const TableId fallback = routing::DefaultTableOf(main);
    const pages::TGroup& mainGrid = routing::Declaration(main);
    const pages::TGroup& defaultGrid = routing::Declaration(fallback);
    // The default table's declared columns lie under the main table's, shifted
    // by the columns it has no field for.
    const int offset = routing::DefaultColumnOffset(fallback);
    for (size_t i = 0; i < mainGrid.rows.size(); ++i) {
        const pages::TRow& row = mainGrid.rows[i];
        if (!pages::Shows(row.variants, variant))
            continue;
        const int under = static_cast<int>(i) - offset;
        const pages::TRow* def = under >= 0 && under < static_cast<int>(defaultGrid.rows.size()) &&
                                         pages::Shows(defaultGrid.rows[under].variants, variant)
                                     ? &defaultGrid.rows[under]
                                     : nullptr;
        columns.push_back({std::string(row.param), &row, def});
    }
    return columns;
}

int RowCount(Table table) {
    return table == Table::Banks ? kBankRows : routing::kRoutingRows;
}

bool HasDefaultRow(Table table) {
    return table != Table::Banks;
}

std::string ExportTable(const CParameters& parameters, Table table, const CLanguage& language) {
    const std::vector<TColumn> columns = Columns(table, parameters.GetValue("HWVer", 0));
    std::vector<std::string> fields{std::string(kRowKey)};
    for (const TColumn& column : columns)
        fields.push_back(column.key);
    std::string out = csv::Record(fields);
    for (int r = 0; r < RowCount(table); ++r) {
        fields.assign(1, std::to_string(r + 1));
        for (const TColumn& column : columns)
            fields.push_back(ExportCell(
                *column.main, parameters.GetValue(std::string(column.main->param), r), language));
        out += csv::Record(fields);
    }
    if (HasDefaultRow(table)) {
        fields.assign(1, std::string(kDefaultKey));
        for (const TColumn& column : columns)
            fields.push_back(
                column.fallback == nullptr
                    ? std::string()
                    : ExportCell(*column.fallback,
                                 parameters.GetValue(std::string(column.fallback->param), 0),
                                 language));
        out += csv::Record(fields);
    }
    return out;
}

std::vector<TCellFault> ImportTable(CParameters& parameters, Table table, std::string_view csv,
                                    const std::vector<const CLanguage*>& languages) {
    CImport import(parameters, table, languages);
    std::vector<TCellFault> faults = import.Check(csv);
    if (!faults.empty())
        return faults;
    for (const TPending& value : import.Pending())
        parameters.SetValue(value.param, value.row, value.value);
    return faults;
}

std::string DescribeFault(const TCellFault& fault, const CLanguage& language) {
    const int reasonWord = word::kCsvQuoteNotClosed + static_cast<int>(fault.fault);
    const std::string reason = FormatText(language.GetText(reasonWord), fault.detail);
    return FormatText(
        language.GetText(word::kCellFault),
        {std::to_string(fault.line), std::to_string(fault.column), fault.key, reason});
}

} // namespace kw::sheets
