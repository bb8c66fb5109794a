// A small command-line reader: positional arguments, "--name value" options and
// "--flag" switches, with bad usage reported as a UsageError.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kw::cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A failure the command reports with exit code 1: the message names the file and why.
struct CommandFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Ends a command with this exit code and nothing more said, for a command whose
// result is its code (diff: 1 when the files differ).
struct ExitCode {
    int code;
};

class CliArgs {
public:
    // valueOptions take one argument ("-o" included); flags take none.
    CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
            const std::set<std::string>& flags);

    std::optional<std::string> Value(const std::string& option) const;
    std::string Required(const std::string& option) const;
    bool Flag(const std::string& flag) const { return m_Flags.count(flag) != 0; }
    const std::vector<std::string>& Positional() const { return m_Positional; }
    // The single positional argument a command needs.
    std::string OnlyPositional(const char* what) const;
    // A command that takes none: the first one given is bad usage.
    void NoPositional() const;

private:
    std::map<std::string, std::string> m_Values;
    std::set<std::string> m_Flags;
    std::vector<std::string> m_Positional;
};

} // namespace kw::cli
