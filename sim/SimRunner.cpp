#include "SimRunner.h"

#include "LinePacer.h"
#include "PtyLine.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace kw::sim {
namespace {

int g_SignalWrite = -1;

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_SignalWrite, &byte, 1);
}

int64_t Now() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

constexpr int64_t kMs = 1'000'000;

class Runner {
public:
    explicit Runner(const SimOptions& options) : m_Options(options) {}
    ~Runner();
    int Run();

private:
    bool Start();
    bool LoadMemory(MemoryImage& memory);
    bool LoadFlash();
    void InstallSignals();
    void Log(const std::string& line);
    void HandleIncoming(int64_t now);
    void HandleQuiet(int64_t now);
    void Flush(int64_t now);
    void ReadLine();
    void DropLine(const std::string& why);
    void DropWhenRead(const std::string& why, int64_t now);
    void CheckPendingDrop(int64_t now);
    void SaveMemory();
    void SaveFlash();
    timespec* Timeout(int64_t now, timespec& storage) const;

    const SimOptions& m_Options;
    FILE* m_LogFile = nullptr;
    std::unique_ptr<GatewayModel> m_Model;
    LinePacer m_Pacer{m_Options.baud, m_Options.faults.trickleMs};
    PtyLine m_Line;
    bool m_LineOpen = false;
    bool m_WriteBlocked = false;
    int m_SignalRead = -1;
    int64_t m_LastByte = 0;
    long long m_Sent = 0;
    long long m_Received = 0;
    bool m_MemoryDirty = false;
    bool m_FlashDirty = false;
    bool m_FlashSaveDue = false;
    std::string m_DropReason; // a drop waits until the tool has read what was sent
    int64_t m_DropSettled = 0;
    int64_t m_DropDeadline = 0;
};

Runner::~Runner() {
    if (m_LogFile != nullptr && m_LogFile != stderr)
        std::fclose(m_LogFile);
    if (m_SignalRead >= 0)
        ::close(m_SignalRead);
    if (g_SignalWrite >= 0)
        ::close(g_SignalWrite);
    g_SignalWrite = -1;
}

void Runner::Log(const std::string& line) {
    std::fputs(line.c_str(), m_LogFile);
    std::fputc('\n', m_LogFile);
    std::fflush(m_LogFile);
}

bool Runner::LoadMemory(MemoryImage& memory) {
    memory = DefaultMemoryImage();
    const std::string& path = m_Options.memoryFile;
    struct stat info {};
    if (path.empty() || (::stat(path.c_str(), &info) != 0 && errno == ENOENT))
        return true;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        std::fprintf(stderr, "kolbrawin-gwsim: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (bytes.size() != memory.size()) {
        std::fprintf(stderr, "kolbrawin-gwsim: %s: wrong size (%zu bytes, expected %zu)\n",
                     path.c_str(), bytes.size(), memory.size());
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), memory.begin());
    return true;
}

bool Runner::LoadFlash() {
    const std::string& path = m_Options.flashFile;
    struct stat info {};
    if (path.empty() || (::stat(path.c_str(), &info) != 0 && errno == ENOENT))
        return true;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        std::fprintf(stderr, "kolbrawin-gwsim: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (!m_Model->Flash().Assign(bytes)) {
        std::fprintf(stderr, "kolbrawin-gwsim: %s: wrong size (%zu bytes, expected %d)\n",
                     path.c_str(), bytes.size(), m_Model->Flash().Layout().size);
        return false;
    }
    return true;
}

void Runner::InstallSignals() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_SignalRead = fds[0];
    g_SignalWrite = fds[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}

bool Runner::Start() {
    m_LogFile = stderr;
    if (!m_Options.logFile.empty() && m_Options.logFile != "-") {
        m_LogFile = std::fopen(m_Options.logFile.c_str(), "w");
        if (m_LogFile == nullptr) {
            std::fprintf(stderr, "kolbrawin-gwsim: %s: %s\n", m_Options.logFile.c_str(),
                         std::strerror(errno));
            return false;
        }
    }
    MemoryImage memory{};
    if (!LoadMemory(memory))
        return false;
    m_Model = std::make_unique<GatewayModel>(m_Options.identity, m_Options.faults, memory);
    if (!LoadFlash())
        return false;
    m_Model->SetListener({[this](const std::string& line) { Log(line); },
                          [this] { m_MemoryDirty = true; },
                          [this] {
                              m_FlashDirty = true;
                              m_FlashSaveDue |= m_Model->Flash().UpgradeComplete();
                          },
                          [this] { m_FlashSaveDue = true; }});
    InstallSignals();
    std::string error;
    if (!m_Line.Open(m_Options.link, error)) {
        std::fprintf(stderr, "kolbrawin-gwsim: %s\n", error.c_str());
        return false;
    }
    m_LineOpen = true;
    std::printf("kolbrawin-gwsim: gateway %c on %s (%s)\n", m_Options.identity.hwLetter,
                m_Options.link.c_str(), m_Line.SlaveName().c_str());
    std::fflush(stdout);
    return true;
}

void Runner::DropLine(const std::string& why) {
    Log("drop " + why);
    m_Line.Drop();
    m_LineOpen = false;
    m_Pacer.Clear();
}

// Closing the master discards what the slave has not read yet, and a line that
// drops mid-reply still delivers the bytes that crossed it, so the drop waits
// for the tool to read them (a tool that never reads gets the drop after 1 s).
// Written bytes reach the slave's queue a moment later, so an empty queue
// counts only once they have had time to get there.
void Runner::DropWhenRead(const std::string& why, int64_t now) {
    if (!m_DropReason.empty())
        return;
    m_DropReason = why;
    m_DropSettled = now + 50 * kMs;
    m_DropDeadline = now + 1000 * kMs;
    m_Pacer.Clear();
}

void Runner::CheckPendingDrop(int64_t now) {
    if (!m_LineOpen || m_DropReason.empty())
        return;
    if ((now >= m_DropSettled && m_Line.Unread() == 0) || now >= m_DropDeadline)
        DropLine(m_DropReason);
}

void Runner::HandleIncoming(int64_t now) {
    while (m_LineOpen && m_DropReason.empty() && m_Pacer.IncomingDue(now)) {
        const LinePacer::TimedByte byte = m_Pacer.TakeIncoming();
        std::string reply;
        m_Model->Receive(&byte.byte, 1, reply);
        m_LastByte = byte.due;
        // The reply leaves when the byte that completed the command arrived,
        // not when this loop got round to it, so wake-up delays do not add up.
        m_Pacer.Queue(reply, byte.due + m_Model->TakeReplyDelayMs() * kMs);
        ++m_Received;
        if (m_Options.faults.dropAfterReceived >= 0 &&
            m_Received >= m_Options.faults.dropAfterReceived)
            DropWhenRead("after " + std::to_string(m_Received) + " bytes received", now);
    }
}

void Runner::HandleQuiet(int64_t now) {
    const int quiet = m_Model->QuietTimeoutMs();
    if (quiet >= 0 && m_Pacer.NextIncoming() < 0 && now >= m_LastByte + quiet * kMs)
        m_Model->LineQuiet();
}

void Runner::Flush(int64_t now) {
    while (m_LineOpen && !m_WriteBlocked && m_DropReason.empty()) {
        size_t max = 65536;
        const long long dropAt = m_Options.faults.dropAfter;
        if (dropAt >= 0)
            max = size_t(std::max(0LL, dropAt - m_Sent));
        const std::string bytes = m_Pacer.TakeOutgoing(now, max);
        if (bytes.empty()) {
            if (dropAt >= 0 && m_Sent >= dropAt && m_Pacer.OutgoingPending())
                DropWhenRead("after " + std::to_string(m_Sent) + " bytes sent", now);
            return;
        }
        const ssize_t n = ::write(m_Line.Master(), bytes.data(), bytes.size());
        const size_t written = n > 0 ? size_t(n) : 0;
        m_Sent += static_cast<long long>(written);
        if (written < bytes.size()) {
            m_Pacer.Unwrite(bytes.substr(written), now);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                DropLine(std::string("write failed: ") + std::strerror(errno));
                return;
            }
            m_WriteBlocked = n < 0 && errno == EAGAIN;
            if (!m_WriteBlocked && written == 0)
                return;
        }
    }
}

void Runner::ReadLine() {
    uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_Line.Master(), buffer, sizeof buffer);
        if (n > 0) {
            m_Pacer.Arrived(buffer, size_t(n), Now());
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN, or EIO which the kept slave descriptor prevents
    }
}

void Runner::SaveMemory() {
    m_MemoryDirty = false;
    if (m_Options.memoryFile.empty())
        return;
    std::string error;
    const MemoryImage& memory = m_Model->Memory();
    if (!SaveFileAtomically(m_Options.memoryFile, memory.data(), memory.size(), error))
        std::fprintf(stderr, "kolbrawin-gwsim: %s: cannot save (%s)\n",
                     m_Options.memoryFile.c_str(), error.c_str());
}

void Runner::SaveFlash() {
    m_FlashSaveDue = false;
    if (!m_FlashDirty || m_Options.flashFile.empty())
        return;
    m_FlashDirty = false;
    std::string error;
    const std::vector<uint8_t>& bytes = m_Model->Flash().Bytes();
    if (!SaveFileAtomically(m_Options.flashFile, bytes.data(), bytes.size(), error))
        std::fprintf(stderr, "kolbrawin-gwsim: %s: cannot save (%s)\n", m_Options.flashFile.c_str(),
                     error.c_str());
}

timespec* Runner::Timeout(int64_t now, timespec& storage) const {
    int64_t deadline = -1;
    auto consider = [&deadline](int64_t at) {
        if (at >= 0 && (deadline < 0 || at < deadline))
            deadline = at;
    };
    if (m_LineOpen && !m_DropReason.empty()) {
        consider(now + 10 * kMs); // no event tells when the tool has read
    } else if (m_LineOpen) {
        consider(m_Pacer.NextIncoming());
        if (!m_WriteBlocked)
            consider(m_Pacer.NextOutgoing());
        const int quiet = m_Model->QuietTimeoutMs();
        if (quiet >= 0)
            consider(m_LastByte + quiet * kMs);
    }
    if (deadline < 0)
        return nullptr;
    const int64_t wait = std::max<int64_t>(0, deadline - now);
    storage.tv_sec = wait / 1'000'000'000;
    storage.tv_nsec = wait % 1'000'000'000;
    return &storage;
}

int Runner::Run() {
    if (!Start())
        return 1;
    bool stop = false;
    while (!stop) {
        const int64_t now = Now();
        HandleIncoming(now);
        if (m_LineOpen)
            HandleQuiet(now);
        Flush(now);
        CheckPendingDrop(now);
        if (m_MemoryDirty)
            SaveMemory();
        if (m_FlashSaveDue)
            SaveFlash();

        pollfd fds[2] = {{m_SignalRead, POLLIN, 0}, {-1, 0, 0}};
        if (m_LineOpen)
            fds[1] = {m_Line.Master(), short(POLLIN | (m_WriteBlocked ? POLLOUT : 0)), 0};
        timespec storage{};
        const int ready = ::ppoll(fds, 2, Timeout(Now(), storage), nullptr);
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "kolbrawin-gwsim: poll: %s\n", std::strerror(errno));
            break;
        }
        if (ready <= 0)
            continue;
        if (fds[0].revents != 0)
            stop = true;
        if (m_LineOpen && (fds[1].revents & POLLOUT))
            m_WriteBlocked = false;
        if (m_LineOpen && (fds[1].revents & POLLIN))
            ReadLine();
        if (m_LineOpen && (fds[1].revents & (POLLHUP | POLLERR)) && !(fds[1].revents & POLLIN))
            DropLine("hang-up on the master"); // cannot happen while the slave is kept open
    }
    SaveFlash();
    return 0;
}

} // namespace

int RunSimulator(const SimOptions& options) {
    Runner runner(options);
    return runner.Run();
}

} // namespace kw::sim
