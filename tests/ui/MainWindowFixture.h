// A main window started on test folders: the data folder and a program folder
// with the two test languages, the scripted user port and file dialogs that
// answer from a script.
#pragma once

#include "FileDialogs.h"
#include "Language.h"
#include "MainWindow.h"
#include "ScriptedUserPort.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kw::test {

// File dialogs that give the answers queued beforehand (nullopt: cancelled)
// and note the filters they were opened with.
class CScriptedFileDialogs : public CFileDialogs {
public:
    std::optional<std::string> AskOpen(const QString& filter) override;
    std::optional<std::string> AskSave(const QString& filter,
                                       const QString& defaultSuffix) override;

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> asked; // "open <filter>" / "save <filter> <suffix>"
};

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Builds the window; an INI written before is read.
    TFMain& Start();
    void WriteIni(const std::string& text) const;
    std::string IniText() const;
    std::string IniPath() const;
    // The window with a configuration of `variant` held (as after a new one).
    TFMain& StartWithConfiguration(const std::string& variant);

    TempDir temp;
    std::string dataDir;
    std::string programDir;
    CLanguage language;
    ScriptedUserPort port;
    CScriptedFileDialogs files;
    std::unique_ptr<TFMain> window;
};

} // namespace kw::test
