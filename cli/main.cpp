// kolbrawin-cli: headless use of the configuration and link code.
#include "CliArgs.h"
#include "CliCommands.h"
#include "Fatal.h"
#include "GatewayWay.h"
#include "ProgramVersion.h"

#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

using namespace kw::cli;

const Command kCommands[] = {
    {"defaults", "defaults [--variant X] -o OUT.sgd", &RunDefaults},
    {"encode", "encode IN.sgd -o OUT.bin", &RunEncode},
    {"decode", "decode IN.bin [--variant X] [--force] -o OUT.sgd", &RunDecode},
    {"lang-report", "lang-report [--program-dir DIR]", &RunLangReport},
    {"read", "read " + WayUsage() + " -o OUT.sgd [--attach-timeout SEC] [--trace FILE]", &RunRead},
    {"write",
     "write " + WayUsage() +
         " IN.sgd [--yes] [--pin PIN] [--password PASSWORD] [--attach-timeout SEC]"
         " [--trace FILE]",
     &RunWrite},
    {"fw-info", "fw-info FILE", &RunFwInfo},
    {"upgrade",
     "upgrade " + WayUsage() + " [--firmware FILE] [--yes] [--attach-timeout SEC] [--trace FILE]",
     &RunUpgrade},
    {"monitor",
     "monitor --port DEV [--once | --passes N] [--set-centre NUMBER]"
     " [--set-clock \"DD.MM.YYYY HH:MM\" | --sync-clock]",
     &RunMonitor},
    {"pdu", "pdu NUMBER TEXT", &RunPdu},
    {"diff", "diff A.sgd B.sgd", &RunDiff},
    {"backups", "backups [--serial S]", &RunBackups},
    {"table-export",
     "table-export IN.sgd --table fxs|fxo|gsm|banks [--language Cze|Eng] -o OUT.csv",
     &RunTableExport},
    {"table-import",
     "table-import IN.sgd --table fxs|fxo|gsm|banks TABLE.csv -o OUT.sgd [--all-errors]",
     &RunTableImport},
    {"report", "report IN.sgd -o OUT.pdf|OUT.html [--language Cze|Eng] [--variant X]", &RunReport},
};

void PrintUsage(std::ostream& out) {
    out << "usage:";
    for (const Command& command : kCommands)
        out << "\n  kolbrawin-cli " << command.usage;
    out << "\n  kolbrawin-cli --help | --version\n";
}

void FatalToStderr(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "kolbrawin-cli: %s: %s\n", caption.c_str(), text.c_str());
}

} // namespace

int main(int argc, char** argv) {
    kw::SetFatalHook(&FatalToStderr);
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(std::cout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "kolbrawin-cli " << kw::kProgramVersion << "\n";
        return 0;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0)
            continue;
        try {
            command.run(Args(argv + 2, argv + argc));
            return 0;
        } catch (const UsageError& e) {
            std::cerr << "kolbrawin-cli " << command.name << ": " << e.what()
                      << "\nusage: kolbrawin-cli " << command.usage << "\n";
            return 2;
        } catch (const CommandFailure& e) {
            std::cerr << "kolbrawin-cli: " << e.what() << "\n";
            return 1;
        } catch (const ExitCode& e) {
            return e.code;
        }
    }
    std::cerr << "kolbrawin-cli: unknown command " << argv[1] << "\n";
    PrintUsage(std::cerr);
    return 2;
}
