// Runs the real simulated gateway for a test: kolbrawin-gwsim in a fresh
// temporary folder, its pseudo-terminal symlink and command log there, every
// wait bounded. Stopped with SIGTERM when the object goes.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kw::test {

class SimProcess {
public:
    // Makes the temporary folder; Start launches the program.
    SimProcess();
    // Makes the folder and starts at once (see Start).
    explicit SimProcess(const std::vector<std::string>& options);
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess(); // Stop, then removes the folder

    // Starts kolbrawin-gwsim with --link LinkPath() --log LogPath() and the
    // given options, and waits (bounded) until it reports the symlink ready.
    // On failure the test gets a failure naming why, and Running() is false.
    bool Start(const std::vector<std::string>& options, int timeoutMs = 10000);
    bool Running() const { return m_Pid > 0; }
    pid_t Pid() const { return m_Pid; }

    const std::string& Folder() const { return m_Folder; }
    // A path inside the temporary folder, for --memory, --flash and the like.
    std::string Path(const std::string& name) const { return m_Folder + "/" + name; }
    const std::string& LinkPath() const { return m_Link; }
    const std::string& LogPath() const { return m_Log; }

    // The command log so far, one entry per line.
    std::vector<std::string> LogLines() const;
    // Wait until the log has at least count lines, or holds line; false when
    // the time runs out.
    bool WaitForLogLines(size_t count, int timeoutMs = 5000) const;
    bool WaitForLogLine(const std::string& line, int timeoutMs = 5000) const;

    // SIGTERM and a bounded wait (SIGKILL after it); returns the exit status,
    // or -1 when the program had to be killed or was not running.
    int Stop(int timeoutMs = 5000);

    static std::string ProgramPath();

private:
    bool WaitForChange(int timeoutMs) const;

    std::string m_Folder;
    std::string m_Link;
    std::string m_Log;
    pid_t m_Pid = -1;
    int m_Output = -1; // the program's stdout: its ready line, then end of file at exit
    int m_Watch = -1;  // inotify on the folder, wakes the log waits
};

} // namespace kw::test
