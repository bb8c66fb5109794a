// Runs a shell command line for the package tests and keeps what it printed.
#pragma once

#include <string>
#include <vector>

namespace kw::test {

struct ShellRun {
    int exitCode; // -1 when the command did not end normally
    std::string out;
    std::string err;
};

ShellRun Shell(const std::string& command);

// The text's lines, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// A word quoted for the shell.
std::string Quoted(const std::string& word);

} // namespace kw::test
