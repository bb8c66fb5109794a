// kolbrawin-gwsim: a gateway without hardware, on a pseudo-terminal.
#include "MemoryImage.h"
#include "ProgramVersion.h"
#include "SimOptions.h"
#include "SimRunner.h"
#include "SyntheticFirmware.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    kw::sim::SimOptions options;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string error = kw::sim::ParseSimOptions(args, options);
    if (options.help) {
        std::fputs(kw::sim::kSimUsage, stdout);
        std::fputs(kw::sim::kFaultGrammar, stdout);
        std::fputs(kw::sim::kGsmGrammar, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("kolbrawin-gwsim %s\n", kw::kProgramVersion);
        return 0;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "kolbrawin-gwsim: %s\n", error.c_str());
        std::fputs("usage: kolbrawin-gwsim --link PATH [options]... (see --help)\n", stderr);
        return 2;
    }
    if (!options.writeFirmware.empty()) {
        const std::vector<uint8_t> file = kw::SyntheticFirmware(options.identity.fwVersion);
        std::string why;
        if (!kw::sim::SaveFileAtomically(options.writeFirmware, file.data(), file.size(), why)) {
            std::fprintf(stderr, "kolbrawin-gwsim: %s: %s\n", options.writeFirmware.c_str(),
                         why.c_str());
            return 1;
        }
        return 0;
    }
    return kw::sim::RunSimulator(options);
}
