// kolbrawin-cli monitor against the simulated gateway, run as the real
// programs: the printed rows, the options that change the module, exit codes
// and signals.
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <regex>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// kolbrawin-cli with its stdout read here and its stderr in a file.
class CliProcess {
public:
    CliProcess(std::vector<std::string> args, const std::string& errFile) : m_ErrFile(errFile) {
        args.insert(args.begin(), KW_CLI);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::posix_spawn(&m_Pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_Pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_Out = fds[0];
    }
    ~CliProcess() {
        if (m_Pid > 0)
            Finish(0);
    }

    // Reads stdout until it holds `text`, ends, or the time runs out.
    bool ReadUntil(const std::string& text, int timeoutMs) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.find(text) == std::string::npos && m_Out >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd fd{m_Out, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, int(left.count())) <= 0)
                return false;
            char buffer[512];
            const ssize_t n = ::read(m_Out, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(m_Out);
                m_Out = -1;
                break;
            }
            out.append(buffer, size_t(n));
        }
        return out.find(text) != std::string::npos;
    }
    void Signal(int signal) { ::kill(m_Pid, signal); }
    // Reads stdout to its end (the program exits) and returns the exit code;
    // -1 when the program had to be killed.
    int Finish(int timeoutMs) {
        ReadUntil(std::string(1, '\0'), timeoutMs); // never printed: reads to the end
        const bool ended = m_Out < 0;
        if (!ended)
            ::kill(m_Pid, SIGKILL);
        int status = 0;
        ::waitpid(m_Pid, &status, 0);
        m_Pid = -1;
        if (m_Out >= 0)
            ::close(m_Out);
        m_Out = -1;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Err() const { return kw::test::ReadFileBytes(m_ErrFile); }

    std::string out;

private:
    std::string m_ErrFile;
    pid_t m_Pid = -1;
    int m_Out = -1;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class CliMonitor : public ::testing::Test {
protected:
    // Runs the command to its end.
    int Run(std::vector<std::string> args, std::string* out = nullptr) {
        CliProcess cli(std::move(args), dir.Path("stderr.txt"));
        const int code = cli.Finish(30000);
        err = cli.Err();
        if (out != nullptr)
            *out = cli.out;
        return code;
    }
    std::vector<std::string> Monitor(std::vector<std::string> options) {
        options.insert(options.begin(), {"monitor", "--port", sim.LinkPath()});
        return options;
    }

    kw::test::TempDir dir;
    kw::test::SimProcess sim;
    std::string err;
};

TEST_F(CliMonitor, OncePrintsTheRowsOfOnePassWithTheChangesMade) {
    ASSERT_TRUE(sim.Start({"--gsm", "urc", "--gsm", "call:in:+420777123456"}));
    std::string out;
    ASSERT_EQ(
        Run(Monitor({"--once", "--set-centre", "+420111222333", "--set-clock", "29.02.2024 23:58"}),
            &out),
        0)
        << err;
    // Patterns: the PC clock is whatever time it is.
    const char* const expected[] = {
        "status: Module responding",
        "module: GWSIM Modules GS-2G Revision 1.0.3",
        "imei: 351234560012345",
        "imsi: 230011234567890",
        R"(sms-centre: \+420111222333)",
        R"(operator: GWSIM NET \(23099\) UMTS)",
        R"(call: Incoming call \(\+420777123456\))",
        R"(module-clock: 24/02/29,23:58:0\d\+04)",
        R"(pc-clock: \d\d/\d\d/\d\d,\d\d:\d\d:\d\d)",
        "signal: -67 dB",
        "",
    };
    const std::vector<std::string> lines = Lines(out);
    ASSERT_EQ(lines.size(), std::size(expected)) << out;
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(std::regex_match(lines[i], std::regex(expected[i]))) << lines[i];
    EXPECT_TRUE(sim.WaitForLogLine("AT+CCLK=\"24/02/29,23:58:00\""));
    EXPECT_TRUE(sim.WaitForLogLine("AT+CSCA=\"+420111222333\""));
}

TEST_F(CliMonitor, BadOptionsExit2BeforeTouchingThePort) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--set-clock", "29.02.2023 10:00"}, "The date entered is not valid."},
        {{"--set-clock", "1.1.2024 24:00"}, "The time entered is not valid"},
        {{"--set-clock", "1.1.2024"}, "DD.MM.YYYY HH:MM"},
        {{"--set-clock", "1.1.2024 10:00", "--sync-clock"}, "exclude each other"},
        {{"--set-centre", "+420\"1"}, "must not contain double quotes"},
        {{"--set-centre", ""}, "needs a number"},
        {{"--once", "--passes", "2"}, "exclude each other"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args{"monitor", "--port", dir.Path("no-port")};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Run(args), 2) << message;
        EXPECT_NE(err.find(message), std::string::npos) << err;
    }
    EXPECT_EQ(Run({"monitor", "--once"}), 2);
    EXPECT_NE(err.find("--port is required"), std::string::npos) << err;
}

TEST_F(CliMonitor, PollsUntilASignalAndPrintsOnlyCompletePasses) {
    ASSERT_TRUE(sim.Start({}));
    CliProcess cli(Monitor({}), dir.Path("stderr.txt"));
    ASSERT_TRUE(cli.ReadUntil("\n\n", 30000)) << cli.out;
    // Now inside the 10 s wait: SIGTERM ends it at once.
    cli.Signal(SIGTERM);
    EXPECT_EQ(cli.Finish(3000), 0) << cli.Err();
    EXPECT_EQ(Lines(cli.out).size(), 11u) << cli.out;

    // Interrupted during identification: nothing printed, and with --passes
    // the module never answered a pass.
    const size_t logged = sim.LogLines().size();
    CliProcess early(Monitor({"--passes", "3"}), dir.Path("stderr.txt"));
    ASSERT_TRUE(sim.WaitForLogLines(logged + 2, 10000)); // "AT", "AT+GMI"
    early.Signal(SIGINT);
    EXPECT_EQ(early.Finish(3000), 1);
    EXPECT_EQ(early.out, "");
    EXPECT_NE(early.Err().find("did not answer"), std::string::npos) << early.Err();
}

} // namespace
