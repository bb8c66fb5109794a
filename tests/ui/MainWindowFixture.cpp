#include "MainWindowFixture.h"

#include "Folders.h"
#include "TestLanguages.h"

#include <filesystem>
#include <fstream>

namespace kw::test {

std::optional<std::string> CScriptedFileDialogs::AskOpen(const QString& filter) {
    asked.push_back("open " + filter.toStdString());
    if (answers.empty()) {
        ADD_FAILURE() << "open dialog not expected";
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> CScriptedFileDialogs::AskSave(const QString& filter,
                                                         const QString& defaultSuffix) {
    asked.push_back("save " + filter.toStdString() + " " + defaultSuffix.toStdString());
    if (answers.empty()) {
        ADD_FAILURE() << "save dialog not expected";
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

MainWindowFixture::MainWindowFixture() {
    dataDir = temp.Path("data");
    programDir = temp.Path("program");
    std::filesystem::create_directories(dataDir);
    std::filesystem::create_directories(programDir);
    WriteTestLanguages(programDir);
    ::setenv("KOLBRAWIN_DATA_DIR", dataDir.c_str(), 1);
    ::setenv("KOLBRAWIN_PROGRAM_DIR", programDir.c_str(), 1);
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
    ::unsetenv("KOLBRAWIN_DATA_DIR");
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

TFMain& MainWindowFixture::Start() {
    window = std::make_unique<TFMain>(language);
    window->SetUserPort(&port);
    window->SetFileDialogs(&files);
    return *window;
}

TFMain& MainWindowFixture::StartWithConfiguration(const std::string& variant) {
    Start();
    window->Parameters().SetValue("HWVer", 0, variant);
    window->SetHardwareVariant(variant);
    window->RefreshConfig();
    window->Parameters().m_Modified = false;
    return *window;
}

std::string MainWindowFixture::IniPath() const {
    return SettingsFilePath(dataDir + "/");
}

void MainWindowFixture::WriteIni(const std::string& text) const {
    std::ofstream(IniPath(), std::ios::binary) << text;
}

std::string MainWindowFixture::IniText() const {
    return ReadFileBytes(IniPath());
}

} // namespace kw::test
