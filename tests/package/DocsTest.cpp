// The manual pages and the bash completion against what the programs say they
// take: every command and option of a program's --help has its entry in its
// manual page, and the completion offers each command exactly its options.
// The pages also render without a single warning.
#include "Shell.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

namespace {

using kw::test::Lines;
using kw::test::Quoted;
using kw::test::Shell;
using kw::test::ShellRun;
using Words = std::set<std::string>;

std::string Program(const std::string& name) {
    return std::string(KW_BIN_DIR) + "/" + name;
}

// The options named in a text: "--name" and "-o", also first in a group of
// alternatives "(--port DEV | --ip ...)".
Words OptionsIn(const std::string& text) {
    static const std::regex option(R"((^|[\s\[|(])(--[a-z][a-z-]*|-o)\b)");
    Words found;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        found.insert((*it)[2]);
    return found;
}

// kolbrawin-cli's commands with their options, from its --help.
std::map<std::string, Words> CliCommands() {
    const ShellRun help = Shell(Program("kolbrawin-cli") + " --help");
    EXPECT_EQ(help.exitCode, 0);
    std::map<std::string, Words> commands;
    for (const std::string& line : Lines(help.out)) {
        const std::string prefix = "  kolbrawin-cli ";
        if (line.rfind(prefix, 0) != 0 || line[prefix.size()] == '-')
            continue;
        const std::string rest = line.substr(prefix.size());
        commands[rest.substr(0, rest.find(' '))] = OptionsIn(rest);
    }
    return commands;
}

// A manual page's source split into its sections, "\-" read as "-".
std::map<std::string, std::vector<std::string>> ManSections(const std::string& page) {
    std::string text = kw::test::ReadFileBytes(std::string(KW_PACKAGING_DIR) + "/man/" + page);
    EXPECT_FALSE(text.empty()) << page;
    for (size_t at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at))
        text.erase(at, 1);
    std::map<std::string, std::vector<std::string>> sections;
    std::string current;
    for (const std::string& line : Lines(text)) {
        if (line.rfind(".SH ", 0) == 0)
            current = line.substr(4);
        else
            sections[current].push_back(line);
    }
    return sections;
}

// True when a bold line of the section names `word` as its entry: the word
// stands alone or is followed by ':' (a fault's argument) or a space.
bool HasEntry(const std::vector<std::string>& section, const std::string& word) {
    // Commands, options and faults hold no character a pattern treats specially.
    const std::regex entry("^\\.B[IR]? (.*[ ,\"])?" + word + "([: \"]|$)");
    for (const std::string& line : section)
        if (std::regex_search(line, entry))
            return true;
    return false;
}

// What the completion offers for the words typed so far (the last is being typed).
Words Complete(const std::vector<std::string>& words, const std::string& folder = ".") {
    std::string array;
    for (const std::string& word : words)
        array.append(" ").append(Quoted(word));
    // Bash ignores a completion function's status, and so does this.
    const std::string script =
        "cd " + Quoted(folder) + " && source " +
        Quoted(std::string(KW_PACKAGING_DIR) + "/bash-completion/kolbrawin-cli") +
        " && COMP_WORDS=(" + array + ") && COMP_CWORD=" + std::to_string(words.size() - 1) +
        " && { _kolbrawin_cli; printf '%s\\n' \"${COMPREPLY[@]}\"; }";
    const ShellRun run = Shell("bash -c " + Quoted(script));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    Words offered;
    for (const std::string& line : Lines(run.out))
        if (!line.empty())
            offered.insert(line);
    return offered;
}

TEST(Manuals, CliPageHasEveryCommandAndOption) {
    const std::map<std::string, Words> commands = CliCommands();
    ASSERT_GE(commands.size(), 8u);
    const auto man = ManSections("kolbrawin-cli.1.in");
    for (const auto& [command, options] : commands) {
        EXPECT_TRUE(HasEntry(man.at("COMMANDS"), command)) << command;
        EXPECT_TRUE(HasEntry(man.at("SYNOPSIS"), "kolbrawin-cli " + command)) << command;
        for (const std::string& option : options)
            EXPECT_TRUE(HasEntry(man.at("OPTIONS"), option)) << command << " " << option;
    }
    for (const char* option : {"--help", "--version"})
        EXPECT_TRUE(HasEntry(man.at("OPTIONS"), option)) << option;
    for (const char* section : {"EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES"})
        EXPECT_TRUE(man.count(section)) << section;
}

TEST(Manuals, SimulatorPageHasEveryOptionAndFault) {
    const ShellRun help = Shell(Program("kolbrawin-gwsim") + " --help");
    ASSERT_EQ(help.exitCode, 0);
    const size_t faultsAt = help.out.find("\nFaults");
    ASSERT_NE(faultsAt, std::string::npos);
    const Words options = OptionsIn(help.out.substr(0, faultsAt));
    EXPECT_GE(options.size(), 16u);
    const auto man = ManSections("kolbrawin-gwsim.1.in");
    for (const std::string& option : options)
        EXPECT_TRUE(HasEntry(man.at("OPTIONS"), option)) << option;

    int faults = 0;
    static const std::regex fault(R"(^  ([a-z][a-z-]*))");
    for (const std::string& line : Lines(help.out.substr(faultsAt))) {
        std::smatch match;
        if (std::regex_search(line, match, fault)) {
            ++faults;
            EXPECT_TRUE(HasEntry(man.at("FAULTS"), match[1])) << match[1];
        }
    }
    EXPECT_GE(faults, 18);
}

TEST(Manuals, ProgramPageHasItsOptions) {
    const ShellRun help = Shell("env -u DISPLAY " + Program("kolbrawin") + " --help");
    ASSERT_EQ(help.exitCode, 0);
    const Words options = OptionsIn(help.out);
    EXPECT_EQ(options, (Words{"--help", "--version"}));
    const auto man = ManSections("kolbrawin.1.in");
    for (const std::string& option : options)
        EXPECT_TRUE(HasEntry(man.at("OPTIONS"), option)) << option;
}

TEST(Manuals, RenderWithoutWarnings) {
    for (const char* page : {"kolbrawin.1", "kolbrawin-cli.1", "kolbrawin-gwsim.1"}) {
        const ShellRun run = Shell("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l " +
                                   std::string(KW_GENERATED_DIR) + "/man/" + page);
        EXPECT_EQ(run.exitCode, 0) << page;
        EXPECT_EQ(run.err, "") << page;
        EXPECT_NE(run.out.find("EXIT STATUS"), std::string::npos) << page;
    }
}

TEST(Completion, OffersEachCommandExactlyItsOptions) {
    const std::map<std::string, Words> commands = CliCommands();
    Words first{"--help", "--version"};
    for (const auto& [command, options] : commands)
        first.insert(command);
    EXPECT_EQ(Complete({"kolbrawin-cli", ""}), first);
    EXPECT_EQ(Complete({"kolbrawin-cli", "fw"}), Words{"fw-info"});
    for (const auto& [command, options] : commands)
        EXPECT_EQ(Complete({"kolbrawin-cli", command, "-"}), options) << command;
}

TEST(Completion, OffersVariantsAndTheFilesACommandReads) {
    EXPECT_EQ(Complete({"kolbrawin-cli", "decode", "x.bin", "--variant", ""}),
              (Words{"A", "C", "D", "E", "F", "G"}));
    EXPECT_TRUE(Complete({"kolbrawin-cli", "write", "--pin", ""}).empty());

    kw::test::TempDir folder;
    for (const char* name : {"gw.sgd", "gw.bin", "Kolbra.Bin"})
        folder.Write(name, "");
    std::filesystem::create_directory(folder.Path("sub"));
    const std::string here = folder.Dir().string();
    EXPECT_EQ(Complete({"kolbrawin-cli", "encode", ""}, here), (Words{"gw.sgd", "sub"}));
    EXPECT_EQ(Complete({"kolbrawin-cli", "decode", ""}, here), (Words{"gw.bin", "sub"}));
    EXPECT_EQ(Complete({"kolbrawin-cli", "fw-info", ""}, here),
              (Words{"gw.sgd", "gw.bin", "Kolbra.Bin", "sub"}));
    EXPECT_EQ(Complete({"kolbrawin-cli", "upgrade", "--firmware", "K"}, here), Words{"Kolbra.Bin"});
    // A port that is no device of the usual kinds is completed as a path.
    EXPECT_EQ(Complete({"kolbrawin-cli", "read", "--port", here + "/gw.s"}),
              Words{here + "/gw.sgd"});
    // Commands that read no file offer their options instead.
    EXPECT_EQ(Complete({"kolbrawin-cli", "defaults", ""}), (Words{"--variant", "-o"}));
}

} // namespace
