#include "COMTerminal.h"

#include "COMTermExp.h"
#include "Fatal.h"
#include "LinkError.h"
#include "LinkTime.h"
#include "PortName.h"
#include "ReplyWait.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int32_t kMaxReadAtOnce = 4999;
constexpr int kOpenAttempts = 21;
constexpr int kReleasePauseRounds = 100;

// The rates the terminal offers.
TBaudrate RateCode(int32_t rate) {
    for (const TBaudrate code : {br9600, br19200, br57600})
        if (BaudRateValue(code) == rate)
            return code;
    kw::FatalError("Error", "Speed not supported");
}

} // namespace

CCOMTerminal::CCOMTerminal() {
    // Wakes the waits at least every 100 ms so a silent line still sees its
    // time-out; the handler has nothing to do.
    m_IdleTimer.setInterval(100);
    QObject::connect(&m_IdleTimer, &QTimer::timeout, [] {});
    m_IdleTimer.start();
}

CCOMTerminal::~CCOMTerminal() {
    ClosePort();
}

bool CCOMTerminal::OpenPort(const std::string& name, int32_t rate) {
    const std::string path = kw::DevicePathForPort(name);
    if (m_Line != nullptr) {
        m_LastRate = rate;
        RateCode(rate);
        return OpenLine(path);
    }
    bool closedOne = false;
    std::string closedPath;
    if (m_Comm.Enabled()) {
        closedPath = m_Comm.DeviceName();
        m_Comm.Close();
        kw::PauseHandlingMessages(kReleasePauseRounds);
        closedOne = true;
    }
    const TBaudrate code = RateCode(rate);
    m_LastRate = rate;
    m_Comm.SetDeviceName(path);
    m_Comm.SetBaudRate(code);
    m_Comm.SetStopbits(sb10);
    m_Comm.SetDatabits(da8);
    m_Comm.SetParity(paNone);
    m_Comm.SetFlowControl(fcNone);
    m_Comm.SetReadBufSize(10000);
    m_Comm.SetWriteBufSize(10000);
    for (int attempt = 1;; ++attempt) {
        try {
            m_Comm.Close();
            m_Comm.Open();
            m_Buffer.Clear();
            m_Terminator = 13;
            m_Comm.OnRxChar = [this](TCustomComm&, int count) { ReceiveChars(count); };
            m_Comm.PurgeIn();
            m_Comm.PurgeOut();
            m_Tap.Event("open " + path + " " + std::to_string(rate));
            return true;
        } catch (const ECommError& e) {
            m_LastOpenError = e.what();
            const bool sameAsClosed = closedOne && path == closedPath;
            if (!sameAsClosed || attempt >= kOpenAttempts ||
                e.Message().find("Error updating DataControlBlock") != std::string::npos) {
                m_Tap.Event("open " + path + " failed: " + e.Message());
                throw CCOMTermExp(CCOMTermExp::PortUnavailable, e.Advice());
            }
            kw::PauseHandlingMessages(kReleasePauseRounds);
        }
    }
}

bool CCOMTerminal::OpenLine(const std::string& path) {
    if (m_Line->IsOpen()) {
        m_Line->Close();
        kw::PauseHandlingMessages(kReleasePauseRounds);
    }
    try {
        m_Line->Open(path);
    } catch (const ECommError& e) {
        m_LastOpenError = e.what();
        m_Tap.Event("open " + path + " failed: " + e.Message());
        throw CCOMTermExp(CCOMTermExp::PortUnavailable, e.Advice());
    }
    m_Buffer.Clear();
    m_Terminator = 13;
    m_Line->m_Received = [this](const uint8_t* bytes, int n) { Append(bytes, n); };
    m_Tap.Event("open " + path + " " + std::to_string(m_LastRate));
    return true;
}

void CCOMTerminal::ClosePort() {
    const bool open = m_Line != nullptr ? m_Line->IsOpen() : m_Comm.Enabled();
    if (m_Line != nullptr)
        m_Line->Close();
    m_Telephony.Drop();
    if (open)
        m_Tap.Event("close");
}

bool CCOMTerminal::AdoptCall(int descriptor, const std::string& received) {
    m_Comm.Close();
    // A call's data may come in larger bursts than a cable's replies.
    m_Comm.SetReadBufSize(100000);
    m_Comm.SetWriteBufSize(100000);
    m_Buffer.Clear();
    Append(reinterpret_cast<const uint8_t*>(received.data()),
           static_cast<int32_t>(received.size()));
    m_Comm.OnRxChar = [this](TCustomComm&, int count) { ReceiveChars(count); };
    m_Comm.OnError = [this](TCustomComm&, uint32_t) { m_Telephony.LineGone(); };
    try {
        m_Comm.OpenTAPI(descriptor, true);
        return true;
    } catch (const ECommError& e) {
        m_LastOpenError = e.what();
        // Adopting stopped before the port took the descriptor over.
        if (!m_Comm.Enabled() && ::fcntl(descriptor, F_GETFD) >= 0) {
            ::ioctl(descriptor, TIOCNXCL);
            ::close(descriptor);
        }
        return false;
    }
}

int CCOMTerminal::Write(const void* bytes, int n) {
    m_Tap.Sent(kw::TLinkTapEvent::Kind::Raw, bytes, size_t(std::max(n, 0)), m_TimeOut);
    return PutBytes(bytes, n);
}

int CCOMTerminal::PutBytes(const void* bytes, int n) {
    return m_Line != nullptr ? m_Line->Write(bytes, n) : m_Comm.Write(bytes, n);
}

void CCOMTerminal::Append(const uint8_t* bytes, int32_t n) {
    m_Tap.Received(bytes, n, m_Buffer.Count());
    m_Buffer.Append(bytes, n);
}

void CCOMTerminal::ReceiveChars(int count) {
    if (!m_Comm.Enabled())
        return;
    uint8_t bytes[kMaxReadAtOnce];
    int got = 0;
    try {
        got = m_Comm.Read(bytes, std::min<int32_t>(count, kMaxReadAtOnce));
    } catch (const ECommError&) {
        return; // the waits see the silence and time out
    }
    if (got > 0)
        Append(bytes, got);
}

void CCOMTerminal::SendPhase(const std::string& text) {
    m_Cancel = 0;
    const size_t length = std::strlen(text.c_str());
    m_Tap.Sent(kw::TLinkTapEvent::Kind::Command, text.c_str(), length, m_TimeOut);
    if (length == 0)
        return;
    try {
        PutBytes(text.data(), static_cast<int>(length));
        m_Buffer.Clear();
        if (m_Terminator != 0)
            PutBytes(&m_Terminator, 1);
    } catch (const ECommError&) {
        m_Tap.Event(kw::LinkFailureEvent(CCOMTermExp::WriteFailed));
        throw CCOMTermExp(CCOMTermExp::WriteFailed);
    }
}

int CCOMTerminal::Wait(const std::function<int()>& complete, bool traceTimeout) {
    return kw::WaitForReply(
        m_Buffer, m_TimeOut,
        [this] {
            if (m_Cancel != 0)
                throw CCOMTermExp(CCOMTermExp::Cancelled);
        },
        complete, traceTimeout, m_Tap);
}

bool CCOMTerminal::SendWait(const std::string& text, int32_t count) {
    SendPhase(text);
    return Wait([&] { return m_Buffer.Count() >= count ? 1 : 0; }, true) != 0;
}

int CCOMTerminal::SendExpect(const std::string& text, const std::vector<std::string>& replies) {
    KW_ASSERT(replies.size() <= 10);
    SendPhase(text);
    if (replies.empty())
        return Wait([&] { return m_Buffer.EndsWithZero() ? 1 : 0; }, false);
    return Wait([&] { return m_Buffer.FindReply(replies); }, false);
}

bool CCOMTerminal::SendExpectRepeat(const std::string& text, const std::string& reply, int times) {
    SendPhase(text);
    return Wait([&] { return m_Buffer.Occurs(reply, times) ? 1 : 0; }, true) != 0;
}

std::string CCOMTerminal::ExtractBetween(const std::string& prefix, const std::string& suffix) {
    auto text = m_Buffer.ExtractBetween(prefix, suffix);
    if (!text)
        throw CCOMTermExp(CCOMTermExp::ParsingError);
    return *text;
}
