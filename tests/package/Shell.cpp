#include "Shell.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kw::test {
namespace {

// A file name of its own for one captured stream.
std::string CaptureFile(const char* stream) {
    static int s_Count = 0;
    return (std::filesystem::temp_directory_path() /
            ("kw-shell-" + std::to_string(::getpid()) + "-" + std::to_string(++s_Count) + "." +
             stream))
        .string();
}

} // namespace

ShellRun Shell(const std::string& command) {
    const std::string out = CaptureFile("out");
    const std::string err = CaptureFile("err");
    const int status = std::system(("( " + command + " ) >" + out + " 2>" + err).c_str());
    ShellRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(out),
                 ReadFileBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace kw::test
