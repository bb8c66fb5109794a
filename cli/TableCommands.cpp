// table-export, table-import: a routing table of a configuration file to and
// from a spreadsheet (CSV).
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigFiles.h"
#include "InstalledLanguages.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "ProgramFolder.h"
#include "RoutingTableCsv.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace kw::cli {
namespace {

sheets::Table TableOption(const CliArgs& args) {
    const std::optional<sheets::Table> table = sheets::TableByName(args.Required("--table"));
    if (!table)
        throw UsageError("--table must be one of fxs, fxo, gsm, banks");
    return *table;
}

// Every installed language, loaded for the configuration's variant.
class CLanguages : public sheets::CInstalledLanguages {
public:
    explicit CLanguages(const std::string& variant)
        : CInstalledLanguages(ProgramFolder(), variant) {}
    // The language of an id; a usage error when none is installed.
    const CLanguage& Named(const std::string& id) const {
        const CLanguage* language = Find(id);
        if (language == nullptr)
            throw UsageError("--language: no language " + id + " is installed");
        return *language;
    }
};

void LoadWithTable(CParameters& parameters, const std::string& in, sheets::Table table) {
    RegisterCatalogue(parameters);
    LoadConfiguration(parameters, in);
    if (!sheets::HasTable(table, parameters.GetValue("HWVer", 0)))
        throw CommandFailure(in + ": this gateway has no FXO line, so no FXO routing table");
}

std::string ReadText(const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw CommandFailure(file + ": missing or not a file");
    if (std::filesystem::file_size(file, ec) > sheets::kMaxCsvBytes)
        throw CommandFailure(file + ": too large for a routing table");
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    if (!stream)
        throw CommandFailure(file + ": unreadable");
    return text.str();
}

} // namespace

void RunTableExport(const Args& argv) {
    const CliArgs args(argv, {"--table", "--language", "-o"}, {});
    const std::string in = args.OnlyPositional("input .sgd file");
    const sheets::Table table = TableOption(args);
    const std::string out = args.Required("-o");
    CParameters parameters;
    LoadWithTable(parameters, in, table);
    const CLanguages languages(parameters.GetValue("HWVer", 0));
    const CLanguage& language = languages.Named(args.Value("--language").value_or("Eng"));
    const std::string csv = sheets::ExportTable(parameters, table, language);
    errno = 0;
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << csv;
    file.close();
    if (!file)
        throw CommandFailure(out + ": cannot write" +
                             (errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : ""));
}

void RunTableImport(const Args& argv) {
    const CliArgs args(argv, {"--table", "-o"}, {"--all-errors"});
    if (args.Positional().size() != 2)
        throw UsageError("expected the input .sgd file and the table's .csv file");
    const std::string in = args.Positional()[0];
    const std::string csvFile = args.Positional()[1];
    const sheets::Table table = TableOption(args);
    const std::string out = args.Required("-o");
    CParameters parameters;
    LoadWithTable(parameters, in, table);
    const CLanguages languages(parameters.GetValue("HWVer", 0));
    const std::vector<sheets::TCellFault> faults =
        sheets::ImportTable(parameters, table, ReadText(csvFile), languages.All());
    if (!faults.empty()) {
        const CLanguage& english = languages.Named("Eng");
        const size_t shown = args.Flag("--all-errors") ? faults.size() : 1;
        for (size_t i = 0; i + 1 < shown; ++i)
            std::cerr << csvFile << ": " << sheets::DescribeFault(faults[i], english) << "\n";
        throw CommandFailure(csvFile + ": " + sheets::DescribeFault(faults[shown - 1], english));
    }
    Save(parameters, out);
}

} // namespace kw::cli
