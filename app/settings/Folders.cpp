#include "Folders.h"

#include "ProgramFolder.h"

#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kw {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Creates every missing level; true when the folder is there afterwards and
// the settings can be written into it.
bool Usable(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

std::string DataFolder() {
    const std::string chosen = Environment("KOLBRAWIN_DATA_DIR");
    if (!chosen.empty()) {
        const std::string folder = WithSlash(chosen);
        Usable(folder);
        return folder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) {
        const std::string folder = documents.toStdString() + "/KolbraWin program/";
        if (Usable(folder))
            return folder;
    }
    // Never the program's own folder: an installed program cannot write there.
    const std::string folder = WithSlash(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
        "/kolbrawin");
    Usable(folder);
    return folder;
}

std::string SettingsFilePath(const std::string& dataFolder) {
    return dataFolder + "KolbraWin.ini";
}

} // namespace kw
