#include "Folders.h"

#include "ProgramFolder.h"

#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace kw {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string DataFolder() {
    std::string folder = Environment("KOLBRAWIN_DATA_DIR");
    if (folder.empty()) {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        folder = documents.isEmpty() ? ExecutableFolder()
                                     : documents.toStdString() + "/KolbraWin program/";
    }
    folder = WithSlash(folder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

std::string SettingsFilePath(const std::string& dataFolder) {
    return dataFolder + "KolbraWin.ini";
}

} // namespace kw
