#include "SimRunner.h"

#include "CallbackGreeting.h"
#include "HayesModem.h"
#include "LineEndpoint.h"
#include "PtyLine.h"
#include "WakeupModem.h"
#include "WakeupText.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <vector>

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

void Complain(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "kolbrawin-gwsim: %s: %s\n", what.c_str(), why.c_str());
}

// The gateway's own line shares the gateway with a connect-back and a modem
// call. A command that came in over one of them must not be abandoned for the
// quiet of the line, where nothing arrives meanwhile: while one is open, the
// line keeps no quiet time-out of its own.
class CableLinePeer : public LinePeer {
public:
    CableLinePeer(GatewayModel& model, std::function<bool()> connectBackOpen)
        : m_Model(model), m_ConnectBackOpen(std::move(connectBackOpen)) {}

    void Receive(const uint8_t* data, size_t size, std::string& reply) override {
        m_Model.Receive(data, size, reply);
    }
    int QuietTimeoutMs() const override {
        return m_ConnectBackOpen() ? -1 : m_Model.QuietTimeoutMs();
    }
    void LineQuiet() override { m_Model.LineQuiet(); }
    int TakeReplyDelayMs() override { return m_Model.TakeReplyDelayMs(); }

private:
    GatewayModel& m_Model;
    std::function<bool()> m_ConnectBackOpen;
};

class Runner {
public:
    explicit Runner(const SimOptions& options) : m_Options(options) {}
    ~Runner();
    int Run();

private:
    bool Start();
    bool StartWakeupModem();
    bool StartHayesModem();
    bool ReadOptionalFile(const std::string& path, size_t expectedSize,
                          const std::function<bool(const std::vector<uint8_t>&)>& take);
    bool LoadMemory(MemoryImage& memory);
    bool LoadFlash();
    void InstallSignals();
    void Log(const std::string& line);
    void OnSms(const SmsSubmit& sms);
    void ConnectBack(const std::string& host, int port);
    void ConnectBackWhenDue(int64_t now);
    void FinishConnect(short revents);
    void SaveMemory();
    void SaveFlash();
    timespec* Timeout(int64_t now, timespec& storage) const;

    const SimOptions& m_Options;
    FILE* m_LogFile = nullptr;
    int m_SignalRead = -1;
    std::unique_ptr<GatewayModel> m_Model;
    std::unique_ptr<CableLinePeer> m_CablePeer;
    PtyLine m_Line;
    std::unique_ptr<LineEndpoint> m_Gateway;
    PtyLine m_ModemLine;
    WakeupModem m_Modem;
    std::unique_ptr<LineEndpoint> m_ModemEndpoint;
    PtyLine m_HayesLine;
    std::unique_ptr<HayesModem> m_Hayes;
    std::unique_ptr<LineEndpoint> m_HayesEndpoint;
    int m_Connecting = -1; // a connect-back socket whose connect is under way
    // A connect-back waiting for the modem to have sent its SMS (--sms-delay).
    struct PendingConnect {
        int64_t due = -1;
        std::string host;
        int port = 0;
    } m_Pending;
    std::unique_ptr<CallbackGreeting> m_Greeting;
    std::unique_ptr<LineEndpoint> m_ConnectBack;
    bool m_MemoryDirty = false;
    bool m_FlashDirty = false;
    bool m_FlashSaveDue = false;
};

Runner::~Runner() {
    if (m_LogFile != nullptr && m_LogFile != stderr)
        std::fclose(m_LogFile);
    if (m_ConnectBack)
        m_ConnectBack->Close(std::string());
    if (m_Connecting >= 0)
        ::close(m_Connecting);
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

// An optional file: none named or none there leaves the default alone; one that
// cannot be read, or whose bytes `take` refuses, is a complaint that stops the start.
bool Runner::ReadOptionalFile(const std::string& path, size_t expectedSize,
                              const std::function<bool(const std::vector<uint8_t>&)>& take) {
    struct stat info {};
    if (path.empty() || (::stat(path.c_str(), &info) != 0 && errno == ENOENT))
        return true;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        Complain(path, error);
        return false;
    }
    if (!take(bytes)) {
        Complain(path, "wrong size (" + std::to_string(bytes.size()) + " bytes, expected " +
                           std::to_string(expectedSize) + ")");
        return false;
    }
    return true;
}

bool Runner::LoadMemory(MemoryImage& memory) {
    memory = DefaultMemoryImage();
    return ReadOptionalFile(m_Options.memoryFile, memory.size(), [&](const auto& bytes) {
        if (bytes.size() != memory.size())
            return false;
        std::copy(bytes.begin(), bytes.end(), memory.begin());
        return true;
    });
}

bool Runner::LoadFlash() {
    return ReadOptionalFile(m_Options.flashFile, m_Model->Flash().Layout().size,
                            [&](const auto& bytes) { return m_Model->Flash().Assign(bytes); });
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
            Complain(m_Options.logFile, std::strerror(errno));
            return false;
        }
    }
    MemoryImage memory{};
    if (!LoadMemory(memory))
        return false;
    m_Model = std::make_unique<GatewayModel>(m_Options.identity, m_Options.faults, memory);
    m_Model->Gsm().Configure(m_Options.gsm);
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
        Complain("--link", error);
        return false;
    }
    const GatewayFaults& faults = m_Options.faults;
    m_CablePeer = std::make_unique<CableLinePeer>(*m_Model, [this] {
        return (m_ConnectBack && m_ConnectBack->IsOpen()) || (m_Hayes && m_Hayes->InCall());
    });
    m_Gateway = std::make_unique<LineEndpoint>(
        "", m_Line.Master(), m_Options.baud, faults.trickleMs,
        LineEndpoint::Limits{faults.dropAfter, faults.dropAfterReceived}, *m_CablePeer,
        LineEndpoint::Hooks{[this] { m_Line.Drop(); },
                            [this] { return m_Line.Unread(); },
                            [this](const std::string& line) { Log(line); },
                            {}});
    if (!m_Options.wakeupModem.empty() && !StartWakeupModem())
        return false;
    if (!m_Options.hayesModem.empty() && !StartHayesModem())
        return false;
    std::printf("kolbrawin-gwsim: gateway %c on %s (%s)\n", m_Options.identity.hwLetter,
                m_Options.link.c_str(), m_Line.SlaveName().c_str());
    std::fflush(stdout);
    return true;
}

bool Runner::StartWakeupModem() {
    std::string error;
    if (!m_ModemLine.Open(m_Options.wakeupModem, error)) {
        Complain("--wakeup-modem", error);
        return false;
    }
    m_Modem.SetListener({[this](const std::string& line) { Log(line); },
                         [this](const SmsSubmit& sms) { OnSms(sms); }});
    m_Modem.SetBehaviour({m_Options.cmsError, m_Options.smsDelayMs});
    m_ModemEndpoint = std::make_unique<LineEndpoint>(
        "modem", m_ModemLine.Master(), 0, 0, LineEndpoint::Limits{}, m_Modem,
        LineEndpoint::Hooks{[this] { m_ModemLine.Drop(); },
                            {},
                            [this](const std::string& line) { Log(line); },
                            {}});
    return true;
}

// The data modem keeps no descriptor of its slave, so the tool closing the port
// reaches it as a hang-up: the stand-in for dropping DTR.
bool Runner::StartHayesModem() {
    std::string error;
    if (!m_HayesLine.Open(m_Options.hayesModem, error, false)) {
        Complain("--hayes-modem", error);
        return false;
    }
    auto log = [this](const std::string& line) { Log(line); };
    m_Hayes = std::make_unique<HayesModem>(*m_Model, m_Options.hayes, log);
    const GatewayFaults& faults = m_Options.faults;
    m_HayesEndpoint = std::make_unique<LineEndpoint>(
        "hayes", m_HayesLine.Master(), m_Options.baud, faults.trickleMs, LineEndpoint::Limits{},
        *m_Hayes,
        LineEndpoint::Hooks{
            [this] { m_HayesLine.Drop(); }, {}, log, [this] { m_Hayes->PortClosed(); }});
    return true;
}

// A gateway acts on a wake-up SMS that names its own serial number (and its
// password, when one is set) by opening a TCP connection to the address given.
void Runner::OnSms(const SmsSubmit& sms) {
    WakeupRequest request;
    const std::string error = ParseWakeupText(sms.text, request);
    if (!error.empty()) {
        Log("wake-up ignored: " + error);
        return;
    }
    if (request.serial != m_Options.identity.serial) {
        Log("wake-up ignored: serial number " + request.serial);
        return;
    }
    if (!m_Options.ipPassword.empty() && request.password != m_Options.ipPassword) {
        Log("wake-up ignored: wrong password");
        return;
    }
    if (m_ConnectBack || m_Connecting >= 0 || m_Pending.due >= 0) {
        Log("wake-up ignored: already connected");
        return;
    }
    const std::string host =
        m_Options.connectHost.empty() ? request.address : m_Options.connectHost;
    if (m_Options.smsDelayMs == 0) {
        ConnectBack(host, request.port);
        return;
    }
    // The gateway reads the SMS only once the modem has sent it.
    m_Pending = {Now() + int64_t(m_Options.smsDelayMs) * 1'000'000, host, request.port};
}

void Runner::ConnectBackWhenDue(int64_t now) {
    if (m_Pending.due < 0 || now < m_Pending.due)
        return;
    const PendingConnect pending = m_Pending;
    m_Pending = {};
    ConnectBack(pending.host, pending.port);
}

void Runner::ConnectBack(const std::string& host, int port) {
    Log("connect-back to " + host + ":" + std::to_string(port));
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (lookup != 0 || found == nullptr) {
        Log("connect-back failed: " + std::string(::gai_strerror(lookup)));
        return;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int result = fd < 0 ? -1 : ::connect(fd, found->ai_addr, found->ai_addrlen);
    const int error = errno;
    ::freeaddrinfo(found);
    if (fd < 0 || (result != 0 && error != EINPROGRESS)) {
        Log("connect-back failed: " + std::string(std::strerror(error)));
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_Connecting = fd;
    if (result == 0)
        FinishConnect(POLLOUT);
}

void Runner::FinishConnect(short revents) {
    if (!(revents & (POLLOUT | POLLERR | POLLHUP)))
        return;
    const int fd = m_Connecting;
    m_Connecting = -1;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
        Log("connect-back failed: " + std::string(std::strerror(error != 0 ? error : errno)));
        ::close(fd);
        return;
    }
    Log("connect-back connected");
    m_Greeting = std::make_unique<CallbackGreeting>(*m_Model, m_Options.callback,
                                                    [this](const std::string& line) { Log(line); });
    // GPRS has no line rate to speak of: the connection is not paced.
    m_ConnectBack = std::make_unique<LineEndpoint>(
        "connect-back", fd, 0, m_Options.faults.trickleMs,
        LineEndpoint::Limits{m_Options.callbackDropAfter, -1}, *m_Greeting,
        LineEndpoint::Hooks{
            [fd] { ::close(fd); }, {}, [this](const std::string& line) { Log(line); }, {}});
}

void Runner::SaveMemory() {
    m_MemoryDirty = false;
    if (m_Options.memoryFile.empty())
        return;
    std::string error;
    const MemoryImage& memory = m_Model->Memory();
    if (!SaveFileAtomically(m_Options.memoryFile, memory.data(), memory.size(), error))
        Complain(m_Options.memoryFile, "cannot save (" + error + ")");
}

void Runner::SaveFlash() {
    m_FlashSaveDue = false;
    if (!m_FlashDirty || m_Options.flashFile.empty())
        return;
    m_FlashDirty = false;
    std::string error;
    const std::vector<uint8_t>& bytes = m_Model->Flash().Bytes();
    if (!SaveFileAtomically(m_Options.flashFile, bytes.data(), bytes.size(), error))
        Complain(m_Options.flashFile, "cannot save (" + error + ")");
}

timespec* Runner::Timeout(int64_t now, timespec& storage) const {
    int64_t deadline = -1;
    for (const auto* endpoint : {&m_Gateway, &m_ModemEndpoint, &m_ConnectBack, &m_HayesEndpoint}) {
        const int64_t at = *endpoint ? (*endpoint)->Deadline(now) : -1;
        if (at >= 0 && (deadline < 0 || at < deadline))
            deadline = at;
    }
    if (m_Pending.due >= 0 && (deadline < 0 || m_Pending.due < deadline))
        deadline = m_Pending.due;
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
    std::vector<LineEndpoint*> endpoints;
    auto collectOpen = [&] {
        endpoints.clear();
        for (const auto* endpoint :
             {&m_Gateway, &m_ModemEndpoint, &m_ConnectBack, &m_HayesEndpoint})
            if (*endpoint && (*endpoint)->IsOpen())
                endpoints.push_back(endpoint->get());
    };
    while (!stop) {
        collectOpen();
        const int64_t now = Now();
        for (LineEndpoint* endpoint : endpoints)
            endpoint->Process(now);
        if (m_ConnectBack && !m_ConnectBack->IsOpen())
            m_ConnectBack.reset(); // a later wake-up may connect again
        ConnectBackWhenDue(now);
        collectOpen(); // a connect-back that ended is gone, a new one polled
        if (m_MemoryDirty)
            SaveMemory();
        if (m_FlashSaveDue)
            SaveFlash();

        std::vector<pollfd> fds{{m_SignalRead, POLLIN, 0}};
        for (LineEndpoint* endpoint : endpoints)
            fds.push_back(
                {endpoint->IsOpen() ? endpoint->PollFd() : -1, endpoint->PollEvents(), 0});
        fds.push_back({m_Connecting, POLLOUT, 0});
        timespec storage{};
        const int ready = ::ppoll(fds.data(), fds.size(), Timeout(Now(), storage), nullptr);
        if (ready < 0 && errno != EINTR) {
            Complain("poll", std::strerror(errno));
            break;
        }
        if (ready <= 0)
            continue;
        stop = fds[0].revents != 0;
        const int64_t after = Now();
        for (size_t i = 0; i < endpoints.size(); ++i)
            if (fds[i + 1].revents != 0)
                endpoints[i]->HandleEvents(fds[i + 1].revents, after);
        if (m_Connecting >= 0)
            FinishConnect(fds.back().revents);
    }
    SaveFlash();
    // What crossed the gateway's line, so line time can be set against wall time.
    Log("totals " + std::to_string(m_Gateway->Received()) + " bytes received " +
        std::to_string(m_Gateway->Sent()) + " bytes sent");
    return 0;
}

} // namespace

int RunSimulator(const SimOptions& options) {
    Runner runner(options);
    return runner.Run();
}

} // namespace kw::sim
