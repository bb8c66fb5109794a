// Where the programs find their own files and keep the user's: beside the
// executable in a build tree, relative to it in an installed or moved tree,
// and the data folder never in the program's own folder, which an installed
// program cannot write.
#include "Folders.h"
#include "ProgramFolder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

namespace {

namespace fs = std::filesystem;
using kw::test::TempDir;

// Environment variables set for one test and put back afterwards.
class ScopedEnvironment {
public:
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_Saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    void Set(const std::string& name, const std::string& value) {
        Save(name);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Save(name);
        ::unsetenv(name.c_str());
    }

private:
    void Save(const std::string& name) {
        if (m_Saved.count(name) == 0) {
            const char* value = std::getenv(name.c_str());
            m_Saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    std::map<std::string, std::optional<std::string>> m_Saved;
};

TEST(Folders, ProgramFolderBesideTheExecutableOrInItsInstallation) {
    TempDir tree;
    const std::string root = tree.Dir().string();
    fs::create_directories(root + "/usr/bin");
    fs::create_directories(root + "/usr/share/kolbrawin");
    tree.Write("usr/share/kolbrawin/L_Init.ini", "[Languages]\n");

    // Installed, or unpacked anywhere: <prefix>/share/kolbrawin seen from <prefix>/bin.
    EXPECT_EQ(kw::DataRootBeside(root + "/usr/bin/"), root + "/usr/share/");
    EXPECT_EQ(kw::ProgramFolderBeside(root + "/usr/bin/"), root + "/usr/share/kolbrawin/");
    // Nothing installed there yet: still the installation's place, so a
    // message names where the files belong.
    EXPECT_EQ(kw::ProgramFolderBeside(root + "/opt/bin/"), root + "/opt/share/kolbrawin/");
    // A folder holding the index itself is its own program folder (a build
    // tree or a portable copy).
    tree.Write("usr/bin/L_Init.ini", "[Languages]\n");
    EXPECT_EQ(kw::ProgramFolderBeside(root + "/usr/bin/"), root + "/usr/bin/");
}

TEST(Folders, DataFolderUnderDocumentsElseInTheXdgDataFolder) {
    TempDir temp;
    ScopedEnvironment environment;
    environment.Unset("KOLBRAWIN_DATA_DIR");
    environment.Set("HOME", temp.Path("home"));
    environment.Set("XDG_CONFIG_HOME", temp.Path("config")); // no user-dirs.dirs there
    environment.Set("XDG_DATA_HOME", temp.Path("data"));
    fs::create_directories(temp.Path("home"));

    const std::string documents = temp.Path("home") + "/Documents/KolbraWin program/";
    EXPECT_EQ(kw::DataFolder(), documents);
    EXPECT_TRUE(fs::is_directory(documents));

    // A home where no folder can be made: the XDG data folder, never the
    // executable's folder.
    temp.Write("home-file", "");
    environment.Set("HOME", temp.Path("home-file"));
    const std::string xdg = temp.Path("data") + "/kolbrawin/";
    EXPECT_EQ(kw::DataFolder(), xdg);
    EXPECT_TRUE(fs::is_directory(xdg));

    // Neither can be had: still not the executable's folder (the settings
    // then cannot be saved, which the program reports when it closes).
    environment.Set("XDG_DATA_HOME", temp.Path("home-file") + "/share");
    EXPECT_EQ(kw::DataFolder(), temp.Path("home-file") + "/share/kolbrawin/");
    EXPECT_NE(kw::DataFolder(), kw::ExecutableFolder());

    environment.Set("KOLBRAWIN_DATA_DIR", temp.Path("chosen"));
    EXPECT_EQ(kw::DataFolder(), temp.Path("chosen") + "/");
    EXPECT_TRUE(fs::is_directory(temp.Path("chosen")));
}

} // namespace
