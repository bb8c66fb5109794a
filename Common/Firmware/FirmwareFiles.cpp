#include "FirmwareFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace kw {
namespace {

constexpr const char* kPrefix = "kolbra";
constexpr const char* kExtension = ".bin";

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameLetters(const std::string& text, size_t at, const char* lowerCase) {
    for (size_t i = 0; lowerCase[i] != 0; ++i)
        if (at + i >= text.size() || Lower(text[at + i]) != lowerCase[i])
            return false;
    return true;
}

std::string Lowered(const std::string& text) {
    std::string lowered = text;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    return lowered;
}

// Alphabetical as a sorted list shows it: letter case ignored, ties by bytes.
bool Alphabetical(const std::string& a, const std::string& b) {
    const std::string lowerA = Lowered(a), lowerB = Lowered(b);
    return lowerA != lowerB ? lowerA < lowerB : a < b;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool OffersSlice(const std::string& path, const FirmwareSlice& slice) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0 || std::ftell(file.get()) != kFirmwareFileSize)
        return false;
    if (std::fseek(file.get(), slice.offset + slice.VersionOffset(), SEEK_SET) != 0)
        return false;
    unsigned char version = 0;
    return std::fread(&version, 1, 1, file.get()) == 1 && std::isdigit(version) != 0;
}

} // namespace

bool IsFirmwareFileName(const std::string& name) {
    const size_t prefix = std::char_traits<char>::length(kPrefix);
    const size_t extension = std::char_traits<char>::length(kExtension);
    return name.size() >= prefix + extension && SameLetters(name, 0, kPrefix) &&
           SameLetters(name, name.size() - extension, kExtension);
}

std::vector<std::string> FindFirmwareCandidates(const std::string& folder,
                                                const FirmwareSlice& slice) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::directory_entry& entry = *entries;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        const std::string name = entry.path().filename().string();
        if (IsFirmwareFileName(name) && OffersSlice(entry.path().string(), slice))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), Alphabetical);
    return names;
}

FirmwareCandidates FindFirmwareCandidates(const std::vector<std::string>& folders,
                                          const FirmwareSlice& slice) {
    FirmwareCandidates found;
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        if (found.folder.empty())
            found.folder = folder;
        std::vector<std::string> names = FindFirmwareCandidates(folder, slice);
        if (!names.empty())
            return {folder, std::move(names)};
    }
    return found;
}

FirmwareLoad LoadFirmwareFile(const std::string& path, std::vector<uint8_t>& buffer) {
    buffer.assign(kFirmwareFileSize, 0);
    // A folder opens for reading here but holds no bytes: it is no file.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return FirmwareLoad::CannotOpen;
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return FirmwareLoad::CannotOpen;
    const size_t read = std::fread(buffer.data(), 1, buffer.size(), file.get());
    return read < buffer.size() ? FirmwareLoad::TooShort : FirmwareLoad::Loaded;
}

bool SliceVersionAcceptable(const uint8_t* slice, const FirmwareSlice& layout) {
    const uint8_t* version = slice + layout.VersionOffset();
    return std::isdigit(version[0]) != 0 || version[1] == '.';
}

bool DeviceAreaEmpty(const uint8_t* slice) {
    return std::all_of(slice + kDeviceAreaOffset, slice + kDeviceAreaOffset + kDeviceAreaSize,
                       [](uint8_t byte) { return byte == 0; });
}

} // namespace kw
