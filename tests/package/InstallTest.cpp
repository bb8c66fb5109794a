// The installed tree: cmake --install to a fresh prefix gives exactly the
// package's files, the programs work from it after the prefix has been moved,
// and all three answer --version and --help without a display.
#include "ProgramVersion.h"
#include "Shell.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using kw::test::Lines;
using kw::test::Quoted;
using kw::test::Shell;
using kw::test::ShellRun;

// Every file below `root`, as "/usr/..." paths in order.
std::vector<std::string> FilesBelow(const fs::path& root) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_directory())
            files.push_back((fs::path("/") / fs::relative(entry.path(), root)).string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(Install, HoldsThePackagesFilesAndWorksFromAMovedPrefix) {
    kw::test::TempDir temp;
    const ShellRun install = Shell(std::string(KW_CMAKE) + " --install " + KW_BUILD_DIR +
                                   " --prefix " + Quoted(temp.Path("first/usr")));
    ASSERT_EQ(install.exitCode, 0) << install.err;
    const std::vector<std::string> listed =
        Lines(kw::test::ReadFileBytes(KW_PACKAGING_DIR "/package-files.txt"));
    EXPECT_EQ(FilesBelow(temp.Path("first")), listed);

    // Moved as a whole, the tree still finds its language files beside itself.
    fs::rename(temp.Path("first"), temp.Path("moved"));
    const ShellRun report =
        Shell("env -u KOLBRAWIN_PROGRAM_DIR " + Quoted(temp.Path("moved/usr/bin/kolbrawin-cli")) +
              " lang-report");
    EXPECT_EQ(report.exitCode, 0) << report.out << report.err;
    EXPECT_EQ(
        report.out.rfind("Program folder " + temp.Path("moved/usr/share/kolbrawin/") + ":", 0), 0u)
        << report.out;
}

TEST(Install, ProgramsAnswerVersionAndHelpWithoutADisplay) {
    for (const std::string program : {"kolbrawin", "kolbrawin-cli", "kolbrawin-gwsim"}) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                    std::string(KW_BIN_DIR) + "/" + program;
        const ShellRun version = Shell(command + " --version");
        EXPECT_EQ(version.exitCode, 0) << program << ": " << version.err;
        EXPECT_EQ(version.out, program + " " + kw::kProgramVersion + "\n");
        const ShellRun help = Shell(command + " --help");
        EXPECT_EQ(help.exitCode, 0) << program << ": " << help.err;
        EXPECT_NE(help.out.find("usage:"), std::string::npos) << help.out;
        EXPECT_NE(help.out.find(program + " --help | --version"), std::string::npos) << help.out;
    }
}

} // namespace
