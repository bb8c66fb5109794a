#include "BackupStore.h"

#include "ParFile.h"
#include "Parameters.h"
#include "PrivateFolder.h"
#include "UserPort.h"
#include "Words.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace kw {
namespace {

constexpr size_t kTimeLength = 19; // YYYY-MM-DD_HH-MM-SS
constexpr size_t kMaxSerialLength = 64;
const std::string kExtension = ".sgd";
const std::string kWrittenSuffix = "_written.sgd";

bool IsTimeText(const std::string& text) {
    if (text.size() != kTimeLength)
        return false;
    for (size_t i = 0; i < kTimeLength; ++i) {
        const char c = text[i];
        const bool separator = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
        if (separator ? c != (i == 10 ? '_' : '-') : (c < '0' || c > '9'))
            return false;
    }
    return true;
}

// A backup's name: the time, "_N" when that second already had one, then
// "_written" for a write.
std::optional<TBackupEntry> ParseName(const std::string& name) {
    if (name.size() < kTimeLength + kExtension.size() || !IsTimeText(name.substr(0, kTimeLength)))
        return std::nullopt;
    if (name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
        return std::nullopt;
    TBackupEntry entry;
    entry.time = name.substr(0, kTimeLength);
    std::string middle = name.substr(kTimeLength, name.size() - kTimeLength - kExtension.size());
    const std::string written = "_written";
    entry.written = middle.size() >= written.size() &&
                    middle.compare(middle.size() - written.size(), written.size(), written) == 0;
    if (entry.written)
        middle.resize(middle.size() - written.size());
    // Nothing else but the number of a second backup in the same second.
    if (!middle.empty() && (middle.size() < 2 || middle[0] != '_' ||
                            middle.find_first_not_of("0123456789", 1) != std::string::npos))
        return std::nullopt;
    return entry;
}

std::string SystemReason(const std::string& path) {
    return path + ": " + (errno != 0 ? std::strerror(errno) : "cannot be written");
}

} // namespace

std::string SerialFolderName(const std::string& serialNum) {
    std::string name = serialNum;
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0'))
        name.pop_back();
    const size_t first = name.find_first_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first);
    if (name.empty() || name.size() > kMaxSerialLength || name.front() == '.')
        return kUnknownSerialFolder;
    for (const char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!plain)
            return kUnknownSerialFolder;
    }
    return name;
}

CBackupStore::CBackupStore(std::string dataFolder, int kept)
    : m_Folder(std::move(dataFolder)), m_Kept(kDefaultBackupsKept) {
    if (!m_Folder.empty() && m_Folder.back() != '/')
        m_Folder += '/';
    m_Folder += "backups/";
    SetKept(kept);
}

std::optional<std::string> CBackupStore::Save(const CParameters& parameters, bool written,
                                              std::string& error) const {
    const std::string serialFolder = SerialFolderName(parameters.GetValue("SerialNum", 0));
    const fs::path folder = fs::path(m_Folder) / serialFolder;
    if (!OwnerOnlyFolder(m_Folder, error) || !OwnerOnlyFolder(folder, error))
        return std::nullopt;

    const std::string time = FileTimeText(m_Now ? m_Now() : std::time(nullptr));
    const std::string suffix = written ? kWrittenSuffix : kExtension;
    // Two in one second keep both: the second one gets a number.
    fs::path target = folder / (time + suffix);
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(target, ec)); ++n)
        target = folder / (time + "_" + std::to_string(n) + suffix);

    errno = 0;
    if (!parameters.SaveToFile(target.string())) {
        error = SystemReason(target.string());
        return std::nullopt;
    }
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, ec);
    DropOldest(serialFolder);
    return target.string();
}

std::vector<TBackupEntry> CBackupStore::ListFolder(const std::string& serialFolder) const {
    std::vector<std::pair<TBackupEntry, fs::file_time_type>> found;
    std::error_code ec;
    const fs::path folder = fs::path(m_Folder) / serialFolder;
    if (!fs::is_directory(fs::symlink_status(folder, ec)))
        return {};
    for (const fs::directory_entry& file : fs::directory_iterator(folder, ec)) {
        if (!file.is_regular_file(ec) || file.is_symlink(ec))
            continue;
        std::optional<TBackupEntry> entry = ParseName(file.path().filename().string());
        if (!entry)
            continue;
        entry->path = file.path().string();
        entry->serialFolder = serialFolder;
        found.emplace_back(*entry, file.last_write_time(ec));
    }
    // Newest first: by the time in the name, within one second by when saved.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.time != b.first.time)
            return a.first.time > b.first.time;
        if (a.second != b.second)
            return a.second > b.second;
        return a.first.path > b.first.path;
    });
    std::vector<TBackupEntry> entries;
    for (auto& [entry, when] : found)
        entries.push_back(std::move(entry));
    return entries;
}

void CBackupStore::DropOldest(const std::string& serialFolder) const {
    const std::vector<TBackupEntry> entries = ListFolder(serialFolder);
    std::error_code ec;
    for (size_t i = static_cast<size_t>(m_Kept); i < entries.size(); ++i)
        fs::remove(entries[i].path, ec);
}

std::vector<TBackupEntry> CBackupStore::List() const {
    std::vector<TBackupEntry> all;
    std::error_code ec;
    if (!fs::is_directory(m_Folder, ec))
        return all;
    for (const fs::directory_entry& folder : fs::directory_iterator(m_Folder, ec)) {
        if (!folder.is_directory(ec) || folder.is_symlink(ec))
            continue;
        const std::string name = folder.path().filename().string();
        if (SerialFolderName(name) != name)
            continue;
        for (TBackupEntry& entry : ListFolder(name))
            all.push_back(std::move(entry));
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const TBackupEntry& a, const TBackupEntry& b) { return a.time > b.time; });
    return all;
}

std::vector<TBackupEntry> CBackupStore::List(const std::string& serialNum) const {
    return ListFolder(SerialFolderName(serialNum));
}

std::optional<TBackupEntry> CBackupStore::NewestRead(const std::string& serialNum) const {
    for (const TBackupEntry& entry : List(serialNum))
        if (!entry.written)
            return entry;
    return std::nullopt;
}

std::string BackupHardwareLetter(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    const std::string key = "HWVer=";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0) {
            const auto values = sgd::ParseValues(line.substr(key.size()), 1);
            return values.empty() ? std::string() : values.front().substr(0, 1);
        }
    return {};
}

void BackUpConfiguration(const CBackupStore* store, const CParameters& parameters, bool written,
                         CUserPort& user) {
    if (store == nullptr)
        return;
    std::string error;
    if (!store->Save(parameters, written, error))
        user.ShowMessage(CUserPort::Icon::Warning, word::kBackupFailed, {}, {error});
}

} // namespace kw
