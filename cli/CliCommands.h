// The subcommands of kolbrawin-cli. Each returns normally on success and throws
// UsageError or CommandFailure otherwise.
#pragma once

#include <string>
#include <vector>

namespace kw {
class CBackupStore;
}

namespace kw::cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    std::string usage;
    void (*run)(const Args& args);
};

void RunDefaults(const Args& args);
void RunEncode(const Args& args);
void RunDecode(const Args& args);
void RunLangReport(const Args& args);
void RunRead(const Args& args);
void RunWrite(const Args& args);
void RunFwInfo(const Args& args);
void RunUpgrade(const Args& args);
void RunMonitor(const Args& args);
void RunPdu(const Args& args);
void RunTableExport(const Args& args);
void RunTableImport(const Args& args);
void RunReport(const Args& args);
void RunDiff(const Args& args);
void RunBackups(const Args& args);

// The backups of the data folder the program uses (KOLBRAWIN_DATA_DIR first),
// keeping as many as its settings say.
CBackupStore DataFolderBackups();

} // namespace kw::cli
