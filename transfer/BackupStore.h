// Backups of every configuration read from a gateway and of every one written
// to it: <data folder>/backups/<serial number>/<YYYY-MM-DD_HH-MM-SS>.sgd, the
// written ones with "_written" before the extension. Folders and files are
// owner-only (a configuration holds the PIN and passwords), files replace
// atomically, and only the newest ones of each gateway are kept.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

class CParameters;
class CUserPort;

namespace kw {

inline constexpr int kDefaultBackupsKept = 50;
inline constexpr const char* kUnknownSerialFolder = "unknown";

// The folder name for a serial number from a gateway: the number itself when it
// is a plain name (letters, digits, '-', '_', '.', not starting with '.'),
// otherwise "unknown", so no serial number can lead outside backups/.
std::string SerialFolderName(const std::string& serialNum);

struct TBackupEntry {
    std::string path;
    std::string serialFolder;
    std::string time; // YYYY-MM-DD_HH-MM-SS, local time
    bool written = false;
};

class CBackupStore {
public:
    explicit CBackupStore(std::string dataFolder, int kept = kDefaultBackupsKept);

    // <data folder>/backups/, with a separator at the end.
    const std::string& Folder() const { return m_Folder; }
    void SetKept(int kept) { m_Kept = kept > 0 ? kept : kDefaultBackupsKept; }
    // The clock the names are made from; tests set it. Default: now.
    void SetTimeSource(std::time_t (*now)()) { m_Now = now; }

    // Saves the configuration under its SerialNum and drops the oldest beyond
    // the number kept. The path saved, or nothing with `error` saying why.
    std::optional<std::string> Save(const CParameters& parameters, bool written,
                                    std::string& error) const;

    // Every backup, newest first; with a serial number only that gateway's.
    std::vector<TBackupEntry> List() const;
    std::vector<TBackupEntry> List(const std::string& serialNum) const;
    // The newest backup read from the gateway with this serial number.
    std::optional<TBackupEntry> NewestRead(const std::string& serialNum) const;

private:
    std::vector<TBackupEntry> ListFolder(const std::string& serialFolder) const;
    void DropOldest(const std::string& serialFolder) const;

    std::string m_Folder;
    int m_Kept;
    std::time_t (*m_Now)() = nullptr;
};

// The hardware letter (HWVer) a backup file holds; empty when it holds none.
std::string BackupHardwareLetter(const std::string& path);

// Saves a backup as a read or write does: a failure never fails the exchange,
// it is told once, as a warning. Nothing happens without a store.
void BackUpConfiguration(const CBackupStore* store, const CParameters& parameters, bool written,
                         CUserPort& user);

} // namespace kw
