// Routing tables to and from spreadsheets: random configurations survive the
// round trip in either language, and a bad file changes nothing and names the
// cell. The command-line tests run the real program.
#include "RoutingTableCsv.h"
#include "Csv.h"
#include "Language.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/wait.h>

namespace {

using namespace kw::sheets;

constexpr Table kAllTables[] = {Table::Fxs, Table::Fxo, Table::Gsm, Table::Banks};

// Czech and English, loaded for a variant.
struct TLanguages {
    explicit TLanguages(const std::string& variant) {
        for (const char* id : {"Cze", "Eng"}) {
            auto language = std::make_unique<CLanguage>();
            language->Init(KW_PROGRAM_DIR "/");
            language->Load(language->FindLangById(id), variant);
            loaded.push_back(std::move(language));
        }
    }
    const CLanguage& Czech() const { return *loaded[0]; }
    const CLanguage& English() const { return *loaded[1]; }
    std::vector<const CLanguage*> All() const { return {&Czech(), &English()}; }
    std::vector<std::unique_ptr<CLanguage>> loaded;
};

std::map<std::string, std::vector<std::string>> Values(const CParameters& parameters) {
    std::map<std::string, std::vector<std::string>> values;
    for (const auto& [name, record] : parameters.Records())
        values[name] = record.Values;
    return values;
}

// A random configuration the grids could hold: every list cell one of its items.
void FillRandomRoutable(CParameters& p, const std::string& variant, std::mt19937& random) {
    kw::test::FillRandom(p, random);
    p.SetValue("HWVer", 0, variant);
    for (Table table : kAllTables)
        for (const TColumn& column : Columns(table, variant))
            for (const kw::pages::TRow* row : {column.main, column.fallback}) {
                if (row == nullptr || row->items.empty())
                    continue;
                const int rows = row == column.main ? RowCount(table) : 1;
                for (int r = 0; r < rows; ++r)
                    p.SetValue(std::string(row->param), r,
                               std::to_string(row->items[random() % row->items.size()]));
            }
}

TEST(RoutingTableCsv, ExportThenImportGivesTheSameTables) {
    for (const char* variant : {"A", "E"}) {
        const TLanguages languages(variant);
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(variant) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            CParameters original;
            kw::RegisterCatalogue(original);
            FillRandomRoutable(original, variant, random);
            CParameters copy;
            kw::RegisterCatalogue(copy);
            copy.SetValue("HWVer", 0, variant);
            for (Table table : kAllTables) {
                if (!HasTable(table, variant))
                    continue;
                const CLanguage& language = seed % 2 ? languages.Czech() : languages.English();
                const std::string csv = ExportTable(original, table, language);
                const std::vector<TCellFault> faults =
                    ImportTable(copy, table, csv, languages.All());
                ASSERT_TRUE(faults.empty()) << DescribeFault(faults[0], languages.English());
                for (const TColumn& column : Columns(table, variant)) {
                    const std::string param(column.main->param);
                    for (int r = 0; r < RowCount(table); ++r)
                        ASSERT_EQ(copy.GetValue(param, r), original.GetValue(param, r))
                            << param << " row " << r;
                    if (column.fallback != nullptr) {
                        const std::string def(column.fallback->param);
                        ASSERT_EQ(copy.GetValue(def, 0), original.GetValue(def, 0)) << def;
                    }
                }
            }
        }
    }
}

TEST(RoutingTableCsv, LayoutIsHeaderRowsThenDefault) {
    CParameters p;
    kw::RegisterCatalogue(p);
    p.SetValue("HWVer", 0, "A");
    p.SetValue("FXSNumBegin", 0, "0042");
    p.SetValue("FXSPermitted", 0, "1");
    p.SetValue("FXSDefCallTime", 0, "17");
    const TLanguages languages("A");
    const std::string csv = ExportTable(p, Table::Fxs, languages.English());
    const kw::csv::TParsed parsed = kw::csv::Parse(csv);
    ASSERT_TRUE(parsed.error.empty());
    ASSERT_EQ(parsed.records.size(), 122u);
    const std::vector<std::string> header = {"row",          "FXSNumBegin",  "FXSPermitted",
                                             "FXSDirection", "FXSNumLength", "FXSNumEnd",
                                             "FXSRemove",    "FXSAdd",       "FXSExtraTar",
                                             "FXSTarif",     "FXSCallTime",  "FXSBankNumber"};
    EXPECT_EQ(parsed.records[0].fields, header);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "row,FXSNumBegin,FXSPermitted,FXSDirection,"
                                               "FXSNumLength,FXSNumEnd,FXSRemove,FXSAdd,"
                                               "FXSExtraTar,FXSTarif,FXSCallTime,FXSBankNumber");
    EXPECT_EQ(parsed.records[1].fields[0], "1");
    EXPECT_EQ(parsed.records[1].fields[1], "0042");
    EXPECT_EQ(parsed.records[1].fields[2], languages.English().GetItem(26, 1));
    EXPECT_EQ(parsed.records[120].fields[0], "120");
    const std::vector<std::string>& def = parsed.records[121].fields;
    EXPECT_EQ(def[0], "default");
    EXPECT_EQ(def[1], ""); // the default route has no number begin
    EXPECT_EQ(def[10], "17");
    // Without an FXO line the direction column is gone.
    p.SetValue("HWVer", 0, "E");
    const std::string e = ExportTable(p, Table::Fxs, languages.English());
    EXPECT_EQ(e.find("FXSDirection"), std::string::npos);
    const kw::csv::TParsed banks = kw::csv::Parse(ExportTable(p, Table::Banks, languages.Czech()));
    ASSERT_EQ(banks.records.size(), 5u);
    EXPECT_EQ(banks.records[0].fields,
              (std::vector<std::string>{"row", "FreeMins", "StartTime", "TimeAmount"}));
}

TEST(RoutingTableCsv, HostileFilesChangeNothingAndNameTheCell) {
    const TLanguages languages("A");
    CParameters p;
    kw::RegisterCatalogue(p);
    std::mt19937 random(7);
    FillRandomRoutable(p, "A", random);
    p.m_Modified = false;
    const std::string good = ExportTable(p, Table::Fxs, languages.English());
    const std::vector<std::string> goodLines = [&] {
        std::vector<std::string> lines;
        for (const kw::csv::TRecord& record : kw::csv::Parse(good).records)
            lines.push_back(kw::csv::Record(record.fields));
        return lines;
    }();
    const auto joined = [](const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line;
        return text;
    };
    const auto withCell = [&](int line, int column, const std::string& value) {
        std::vector<std::string> lines = goodLines;
        std::vector<std::string> fields = kw::csv::Parse(lines[line - 1]).records[0].fields;
        fields[column - 1] = value;
        lines[line - 1] = kw::csv::Record(fields);
        return joined(lines);
    };
    std::string wide = goodLines[0].substr(0, goodLines[0].size() - 2);
    for (int i = 0; i < 10000; ++i)
        wide += ",X" + std::to_string(i);
    std::vector<std::string> wideLines = goodLines;
    wideLines[0] = wide + "\r\n";
    std::vector<std::string> missingRow = goodLines;
    missingRow.erase(missingRow.begin() + 57);
    std::vector<std::string> openQuote = goodLines;
    openQuote.back() = "default,\"1,2\r\n";

    struct Case {
        const char* what;
        std::string csv;
        int line;
        int column;
        std::string key;
        Fault fault;
        size_t count; // faults found in all
    };
    const Case cases[] = {
        {"quote not closed", joined(openQuote), 122, 2, "", Fault::QuoteNotClosed, 1},
        {"10 000 columns", joined(wideLines), 1, 13, "X0", Fault::UnknownColumn, 10000},
        {"bad number in the last row", withCell(121, 11, "300"), 121, 11, "FXSCallTime",
         Fault::OutOfRange, 1},
        {"no number", withCell(121, 5, "three"), 121, 5, "FXSNumLength", Fault::NotNumber, 1},
        {"list value in no installed language", withCell(121, 3, "Vielleicht"), 121, 3,
         "FXSPermitted", Fault::NotInList, 1},
        {"list number not carried", withCell(60, 4, "9"), 60, 4, "FXSDirection", Fault::NotInList,
         1},
        {"a row missing", joined(missingRow), 122, 1, "row", Fault::RowMissing, 1},
        {"default where there is none", withCell(122, 2, "123"), 122, 2, "FXSNumBegin",
         Fault::NoDefaultValue, 1},
        {"row out of the table", withCell(30, 1, "121"), 30, 1, "row", Fault::UnknownRow, 2},
        {"not UTF-8", withCell(9, 8, "\xC3("), 9, 8, "FXSAdd", Fault::NotUtf8, 1},
    };
    const auto before = Values(p);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TCellFault> faults = ImportTable(p, Table::Fxs, c.csv, languages.All());
        ASSERT_EQ(faults.size(), c.count);
        EXPECT_EQ(faults[0].line, c.line);
        EXPECT_EQ(faults[0].column, c.column);
        EXPECT_EQ(faults[0].key, c.key);
        EXPECT_EQ(faults[0].fault, c.fault);
        EXPECT_EQ(Values(p), before);
        EXPECT_FALSE(p.m_Modified);
    }
    EXPECT_EQ(DescribeFault({121, 11, "FXSCallTime", Fault::OutOfRange, {"0", "255"}},
                            languages.English()),
              "Line 121, column 11 (FXSCallTime): number outside 0 to 255");
    // A good file with a cell typed as the grid would take it: normalised,
    // list items named in the other language or by number.
    const std::string typed =
        withCell(2, 3, languages.Czech().GetItem(26, 0)); // FXSPermitted row 1 by its Czech item
    ASSERT_TRUE(ImportTable(p, Table::Fxs, withCell(5, 4, " 2 "), languages.All()).empty());
    EXPECT_EQ(p.GetValue("FXSDirection", 3), "2");
    ASSERT_TRUE(ImportTable(p, Table::Fxs, typed, languages.All()).empty());
    EXPECT_EQ(p.GetValue("FXSPermitted", 0), "0");
    ASSERT_TRUE(ImportTable(p, Table::Fxs, withCell(3, 5, "2"), languages.All()).empty());
    EXPECT_EQ(p.GetValue("FXSNumLength", 1), "3"); // a length of 2 becomes 3
}

TEST(Csv, QuotedFieldsKeepCommasQuotesAndLineBreaks) {
    const std::vector<std::string> fields = {"a,b", "say \"hi\"", "two\r\nlines", "", " pad "};
    const std::string text = kw::csv::Record(fields) + kw::csv::Record({"x"}) + "\ny,z";
    const kw::csv::TParsed parsed = kw::csv::Parse(text);
    ASSERT_TRUE(parsed.error.empty());
    ASSERT_EQ(parsed.records.size(), 3u);
    EXPECT_EQ(parsed.records[0].fields, fields);
    EXPECT_EQ(parsed.records[1].line, 3); // the quoted line break counts
    EXPECT_EQ(parsed.records[2].line, 5);
    EXPECT_EQ(parsed.records[2].fields, (std::vector<std::string>{"y", "z"}));
    const kw::csv::TParsed stray = kw::csv::Parse("a,\"b\"c\n");
    EXPECT_EQ(stray.error, "text after a closing quote");
    EXPECT_EQ(stray.errorColumn, 2);
}

// The two commands, run as the real program.
class TableCli : public ::testing::Test {
protected:
    int Run(const std::string& args) {
        const std::string command = std::string(KW_CLI) + " " + args + " 2>" + temp.Path("err.txt");
        const int status = std::system(command.c_str());
        err = temp.Read("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    kw::test::TempDir temp;
    std::string err;
};

TEST_F(TableCli, ExportEditImport) {
    const std::string in = temp.Path("in.sgd");
    ASSERT_EQ(Run("defaults -o " + in), 0);
    ASSERT_EQ(Run("table-export " + in + " --table gsm --language Cze -o " + temp.Path("g.csv")),
              0);
    std::string csv = temp.Read("g.csv");
    ASSERT_EQ(csv.rfind("row,GSMNum,GSMSubString,GSMDirection,GSMDialNUm,GSMCallTime\r\n", 0), 0u);
    const size_t row2 = csv.find("\r\n2,");
    ASSERT_NE(row2, std::string::npos);
    csv.replace(row2 + 2, csv.find("\r\n", row2 + 2) - row2 - 2, "2,777,3,4,123,60");
    temp.Write("edited.csv", csv);
    ASSERT_EQ(Run("table-import " + in + " --table gsm " + temp.Path("edited.csv") + " -o " +
                  temp.Path("out.sgd")),
              0)
        << err;
    CParameters out;
    kw::RegisterCatalogue(out);
    ASSERT_TRUE(out.LoadFromFile(temp.Path("out.sgd")));
    EXPECT_EQ(out.GetValue("GSMNum", 1), "777");
    EXPECT_EQ(out.GetValue("GSMDirection", 1), "4");
    EXPECT_EQ(out.GetValue("GSMCallTime", 1), "60");

    // Two bad cells: the first named, OUT not written; --all-errors names both.
    csv.replace(csv.find("\r\n2,777,3,4,") + 2, 16, "2,777,3,9,123,999");
    temp.Write("bad.csv", csv);
    const std::string bad = "table-import " + in + " --table gsm " + temp.Path("bad.csv") + " -o " +
                            temp.Path("no.sgd");
    EXPECT_EQ(Run(bad), 1);
    EXPECT_NE(err.find("Line 3, column 4 (GSMDirection)"), std::string::npos) << err;
    EXPECT_EQ(err.find("GSMCallTime"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(temp.Path("no.sgd")));
    EXPECT_EQ(Run(bad + " --all-errors"), 1);
    EXPECT_NE(err.find("column 6 (GSMCallTime)"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(temp.Path("no.sgd")));

    ASSERT_EQ(Run("defaults --variant E -o " + temp.Path("e.sgd")), 0);
    EXPECT_EQ(Run("table-export " + temp.Path("e.sgd") + " --table fxo -o " + temp.Path("x.csv")),
              1);
    EXPECT_EQ(Run("table-export " + in + " --table nope -o " + temp.Path("x.csv")), 2);
}

} // namespace
