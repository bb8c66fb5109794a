#include "SimProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kw::test {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

std::string SimProcess::ProgramPath() {
    return KW_GWSIM_PATH;
}

SimProcess::SimProcess() {
    char pattern[] = "/tmp/kw-sim-XXXXXX";
    const char* folder = ::mkdtemp(pattern);
    if (folder == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder: " << std::strerror(errno);
        return;
    }
    m_Folder = folder;
    m_Link = m_Folder + "/gw";
    m_Log = m_Folder + "/commands.log";
    m_Watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_Watch >= 0)
        ::inotify_add_watch(m_Watch, m_Folder.c_str(), IN_MODIFY | IN_CREATE | IN_CLOSE_WRITE);
}

SimProcess::SimProcess(const std::vector<std::string>& options) : SimProcess() {
    Start(options);
}

SimProcess::~SimProcess() {
    Stop();
    if (m_Watch >= 0)
        ::close(m_Watch);
    if (!m_Folder.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_Folder, ec);
    }
}

bool SimProcess::Start(const std::vector<std::string>& options, int timeoutMs) {
    if (m_Folder.empty() || Running())
        return false;
    std::vector<std::string> args{ProgramPath(), "--link", m_Link, "--log", m_Log};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    m_Output = pipeFds[0];
    if (failed != 0) {
        ADD_FAILURE() << "cannot start " << argv[0] << ": " << std::strerror(failed);
        ::close(m_Output);
        m_Output = -1;
        return false;
    }
    m_Pid = pid;

    // The program prints one line once the symlink exists.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string output;
    while (output.find('\n') == std::string::npos) {
        pollfd fd{m_Output, POLLIN, 0};
        if (::poll(&fd, 1, RemainingMs(deadline)) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(m_Output, buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, size_t(n));
    }
    if (output.find('\n') == std::string::npos) {
        const int status = Stop(1000);
        ADD_FAILURE() << "kolbrawin-gwsim did not come up (exit status " << status << ")";
        return false;
    }
    return true;
}

std::vector<std::string> SimProcess::LogLines() const {
    std::vector<std::string> lines;
    std::ifstream file(m_Log);
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

bool SimProcess::WaitForChange(int timeoutMs) const {
    if (m_Watch < 0 || timeoutMs <= 0)
        return false;
    pollfd fd{m_Watch, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) <= 0)
        return false;
    char events[4096];
    while (::read(m_Watch, events, sizeof events) > 0) {
    }
    return true;
}

bool SimProcess::WaitForLogLines(size_t count, int timeoutMs) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (LogLines().size() >= count)
            return true;
        if (!WaitForChange(RemainingMs(deadline)))
            return LogLines().size() >= count;
    }
}

bool SimProcess::WaitForLogLine(const std::string& line, int timeoutMs) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto present = [&] {
        for (const std::string& logged : LogLines())
            if (logged == line)
                return true;
        return false;
    };
    for (;;) {
        if (present())
            return true;
        if (!WaitForChange(RemainingMs(deadline)))
            return present();
    }
}

int SimProcess::Stop(int timeoutMs) {
    if (m_Pid <= 0)
        return -1;
    ::kill(m_Pid, SIGTERM);
    // The program's stdout closes when it exits: a bounded wait without polling.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool ended = false;
    while (!ended && m_Output >= 0) {
        pollfd fd{m_Output, POLLIN, 0};
        if (::poll(&fd, 1, RemainingMs(deadline)) <= 0)
            break;
        char buffer[256];
        ended = ::read(m_Output, buffer, sizeof buffer) <= 0;
    }
    int status = 0;
    int result = -1;
    if (!ended)
        ::kill(m_Pid, SIGKILL);
    if (::waitpid(m_Pid, &status, 0) == m_Pid && ended && WIFEXITED(status))
        result = WEXITSTATUS(status);
    m_Pid = -1;
    if (m_Output >= 0)
        ::close(m_Output);
    m_Output = -1;
    return result;
}

} // namespace kw::test
