// A main window started on test folders: the data folder and a program folder
// with the two test languages, the scripted user port and file dialogs that
// answer from a script; its controls found by their form names.
#pragma once

#include "FileDialogs.h"
#include "Language.h"
#include "MainWindow.h"
#include "ScriptedUserPort.h"
#include "SectionArea.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kw::test {

// The control of type T under `parent` with the form name `name`. A test that
// names a control the window lacks cannot go on: it ends the test program,
// also from inside a dialog's event loop, where an exception must not pass.
template <class T> T& Control(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << name << " under " << parent.objectName().toStdString();
        std::abort();
    }
    return *found;
}

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

    // The started window's controls.
    QToolButton& Button(const char* name) const { return Control<QToolButton>(*window, name); }
    QAction& Action(const char* name) const { return Control<QAction>(*window, name); }
    QMenu& Menu(const char* name) const { return Control<QMenu>(*window, name); }
    QListWidget& SectionList() const { return Control<QListWidget>(*window, "ListBox1"); }
    QScrollArea& PageArea() const { return Control<QScrollArea>(*window, "ScrollBox1"); }
    QLabel& SectionCaption() const { return Control<QLabel>(*window, "Panel1C"); }

    TempDir temp;
    std::string dataDir;
    std::string programDir;
    CLanguage language;
    ScriptedUserPort port;
    CScriptedFileDialogs files;
    std::unique_ptr<TFMain> window;
};

} // namespace kw::test
