// diff and backups: what differs between two configuration files, and the
// backups the program and the command line keep of every read and write.
#include "BackupStore.h"
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigFiles.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "ParametersDiff.h"

#include <iostream>

namespace kw::cli {
namespace {

// As the program loads a file: the defaults fill what it lacks. An unreadable
// file is trouble, exit code 2, as diff has it.
void LoadForDiff(CParameters& parameters, const std::string& file) {
    RegisterCatalogue(parameters);
    try {
        LoadConfiguration(parameters, file);
    } catch (const CommandFailure& e) {
        std::cerr << "kolbrawin-cli: " << e.what() << "\n";
        throw ExitCode{2};
    }
}

} // namespace

void RunDiff(const Args& argv) {
    const CliArgs args(argv, {}, {});
    if (args.Positional().size() != 2)
        throw UsageError("two .sgd files are needed");
    CParameters first;
    CParameters second;
    LoadForDiff(first, args.Positional()[0]);
    LoadForDiff(second, args.Positional()[1]);
    const std::vector<TValueDifference> differences = Differences(first, second);
    for (const TValueDifference& difference : differences)
        std::cout << DifferenceLine(difference) << "\n";
    std::cout.flush();
    if (!differences.empty())
        throw ExitCode{1};
}

void RunBackups(const Args& argv) {
    const CliArgs args(argv, {"--serial"}, {});
    args.NoPositional();
    const CBackupStore backups = DataFolderBackups();
    const auto serial = args.Value("--serial");
    for (const TBackupEntry& entry : serial ? backups.List(*serial) : backups.List())
        std::cout << entry.path << "\n";
}

} // namespace kw::cli
