#include "Telephony.h"

#include "COMTerminal.h"
#include "DiallingWindow.h"
#include "LinkLog.h"
#include "LinkTime.h"
#include "Words.h"

namespace kw {
namespace {

// How long a modem may take over a command it answers at once.
constexpr int32_t kCommandMs = 3000;
// How long an aborted dial or an "ATH" may take to be confirmed.
constexpr int32_t kHangUpReplyMs = 2000;
// DTR stays down this long, so the modem surely sees it.
constexpr int32_t kDtrDropMs = 500;

// Sets a pointer for as long as a scope lasts.
class WindowInUse {
public:
    WindowInUse(CDiallingWindow*& slot, CDiallingWindow& window) : m_Slot(slot) {
        m_Slot = &window;
    }
    ~WindowInUse() { m_Slot = nullptr; }
    WindowInUse(const WindowInUse&) = delete;
    WindowInUse& operator=(const WindowInUse&) = delete;

private:
    CDiallingWindow*& m_Slot;
};

// Handles messages until `done` says so or `ms` have passed.
void WaitFor(const std::function<bool()>& done, int32_t ms) {
    const uint32_t since = TickCount();
    const uint32_t limit = ms > 0 ? static_cast<uint32_t>(ms) : 0;
    while (!done() && TicksSince(since) < limit)
        HandleOneMessage();
}

} // namespace

std::string DiallingLineText(const std::string& wordText, const std::string& quoted) {
    return quoted.empty() ? wordText : wordText + " '" + quoted + "'";
}

CTelephony::CTelephony(CCOMTerminal& terminal) : m_Terminal(terminal) {
    m_Modem.OnRxChar = [this](TCustomComm&, int count) { Received(count); };
    m_Modem.OnError = [this](TCustomComm&, uint32_t) {
        m_Modem.Close();
        if (m_Dialling)
            Idle(TCallEnd::LineClosed);
    };
}

void CTelephony::SetFlags(bool dataCall, bool callActive) {
    if (dataCall == m_DataCall && callActive == m_CallActive)
        return;
    if (dataCall && !m_DataCall)
        m_Terminal.Tap().Event("call connected");
    else if (!callActive && m_CallActive)
        m_Terminal.Tap().Event("hang-up");
    m_DataCall = dataCall;
    m_CallActive = callActive;
    if (m_StateCallback)
        m_StateCallback(dataCall, callActive);
}

// ---------------------------------------------------------------- command phase

bool CTelephony::OpenLine(const TModemLine& line) {
    TBaudrate rate = br57600;
    if (!BaudRateCode(line.Speed, rate)) {
        m_OpenError = "speed " + std::to_string(line.Speed) + " not supported";
        return false;
    }
    try {
        m_Modem.Close();
        m_Modem.SetDeviceName(line.Device);
        m_Modem.SetBaudRate(rate);
        m_Modem.SetDatabits(da8);
        m_Modem.SetParity(paNone);
        m_Modem.SetStopbits(sb10);
        m_Modem.SetFlowControl(fcNone);
        m_Modem.Open();
        m_Modem.PurgeIn();
        m_Reader = {};
        m_AfterConnect.clear();
        m_Terminal.Tap().Event("open modem " + line.Device + " " + std::to_string(line.Speed));
        return true;
    } catch (const ECommError& e) {
        m_OpenError = e.Advice().empty() ? e.what() : e.Advice();
        while (!m_OpenError.empty() && m_OpenError.back() == ' ')
            m_OpenError.pop_back();
        m_Terminal.Tap().Event("open modem " + line.Device + " failed: " + m_OpenError);
        return false;
    }
}

void CTelephony::CloseLine() {
    // Closing drops DTR: a modem set up to hang up on it does so.
    m_Modem.Close();
}

bool CTelephony::WriteCommand(const std::string& text) {
    m_Terminal.Tap().Sent(TLinkTapEvent::Kind::Command, text.data(), text.size(), 0);
    const std::string line = text + "\r";
    try {
        return m_Modem.Write(line.data(), static_cast<int>(line.size())) ==
               static_cast<int>(line.size());
    } catch (const ECommError&) {
        return false;
    }
}

THayesResult CTelephony::Command(const std::string& text, int32_t ms) {
    m_Result = THayesResult::None;
    if (!WriteCommand(text))
        return THayesResult::None;
    WaitFor(
        [this] {
            return m_Result != THayesResult::None || !m_Modem.Enabled() ||
                   (m_Window != nullptr && !m_Window->Visible());
        },
        ms);
    return m_Result;
}

bool CTelephony::Initialise(CDiallingWindow& window) {
    // A plain "AT" first tells a silent modem from one refusing the settings.
    THayesResult result = Command("AT", kCommandMs);
    if (result == THayesResult::Ok && !m_Line.Init.empty())
        result = Command(m_Line.Init, kCommandMs);
    if (result == THayesResult::Ok)
        return true;
    if (!window.Visible()) {
        m_End = TCallEnd::Cancelled;
    } else if (result == THayesResult::None) {
        window.AddLine(word::kModemNotAnswering);
        m_End = TCallEnd::NotAnswering;
    } else {
        window.AddLine(word::kInitRefused);
        m_End = TCallEnd::InitRefused;
    }
    return false;
}

void CTelephony::Received(int count) {
    uint8_t bytes[512];
    while (count > 0 && m_Modem.Enabled() && m_Result != THayesResult::Connect) {
        int got = 0;
        try {
            got = m_Modem.Read(bytes, std::min<int>(count, int(sizeof bytes)));
        } catch (const ECommError&) {
            return;
        }
        if (got <= 0)
            return;
        m_Terminal.Tap().Received(bytes, got, 0);
        count -= got;
        for (int i = 0; i < got; ++i) {
            for (const std::string& line : m_Reader.Take(bytes + i, 1))
                ResultLine(line);
            if (m_Result == THayesResult::Connect) {
                // What follows CONNECT is the gateway's, for the terminal.
                m_AfterConnect.assign(reinterpret_cast<const char*>(bytes) + i + 1,
                                      size_t(got - i - 1));
                return;
            }
        }
    }
}

void CTelephony::ResultLine(const std::string& line) {
    const THayesResult result = HayesResultOf(line);
    if (result == THayesResult::None)
        return; // an echo or an information text
    qCDebug(LinkLog) << "modem:" << line.c_str();
    if (m_Dialling)
        CallProgress(result);
    else
        m_Result = result;
}

// ---------------------------------------------------------------- the call

void CTelephony::CallProgress(THayesResult result) {
    switch (result) {
    case THayesResult::Connect:
        m_Result = result;
        return;
    case THayesResult::Busy:
        m_Window->AddLine(word::kBusy);
        Idle(TCallEnd::Busy);
        return;
    case THayesResult::NoAnswer:
        m_Window->AddLine(word::kNoAnswer);
        Idle(TCallEnd::NoAnswer);
        return;
    case THayesResult::NoDialTone:
        m_Window->AddLine(word::kNoDialTone);
        Idle(TCallEnd::NoDialTone);
        return;
    case THayesResult::NoCarrier:
    case THayesResult::Error:
        Idle(TCallEnd::NoCarrier);
        return;
    case THayesResult::None:
    case THayesResult::Ok:
    case THayesResult::Ring:
        return;
    }
}

void CTelephony::Idle(TCallEnd end) {
    m_Dialling = false;
    if (m_Window != nullptr)
        m_Window->AddLine(end == TCallEnd::LineClosed ? word::kLineClosed : word::kCallIdle);
    if (!m_CallActive)
        return;
    m_End = end;
    CloseLine();
    SetFlags(false, false);
}

void CTelephony::Fail(CDiallingWindow& window, TCallEnd end) {
    m_End = end;
    window.WaitUntilClosed();
}

void CTelephony::Dial(CDiallingWindow& window, const std::string& lineName,
                      const std::string& number) {
    m_Number = number;
    m_End = TCallEnd::None;
    m_OpenError.clear();
    if (m_Terminal.Comm().Enabled())
        m_Terminal.ClosePort();
    if (m_Terminal.Comm().Enabled() || m_CallActive)
        return;
    window.Show();
    const WindowInUse inUse(m_Window, window);
    const int index = FindLine(lineName);
    if (index < 0) {
        window.AddLine(word::kLineNotFound, lineName);
        return Fail(window, TCallEnd::LineNotFound);
    }
    m_Line = m_Lines.Line(index);
    if (HoldsControlCharacter(number) || HoldsControlCharacter(m_Line.Init)) {
        window.AddLine(word::kControlCharacters);
        return Fail(window, TCallEnd::TextRefused);
    }
    window.AddLine(word::kOpeningLine, lineName);
    HandlePendingMessages(); // let the window show the line
    if (!OpenLine(m_Line)) {
        window.AddLine(word::kCannotOpenModem, m_Line.Device);
        return Fail(window, TCallEnd::CannotOpen);
    }
    if (!Initialise(window)) {
        CloseLine();
        if (m_End != TCallEnd::Cancelled)
            window.WaitUntilClosed();
        return;
    }
    HandlePendingMessages();
    if (!window.Visible()) {
        CloseLine();
        m_End = TCallEnd::Cancelled;
        return;
    }
    SetFlags(false, false);
    m_Result = THayesResult::None;
    if (!WriteCommand("ATD" + number)) {
        CloseLine();
        window.AddLine(word::kLineClosed);
        return Fail(window, TCallEnd::LineClosed);
    }
    SetFlags(false, true);
    window.AddLine(word::kDialling, number);
    m_Dialling = true;
    while (window.Visible() && m_CallActive && m_Result != THayesResult::Connect)
        HandleOneMessage();
    m_Dialling = false;
    if (m_CallActive && m_Result == THayesResult::Connect) {
        if (HandOver()) {
            m_End = TCallEnd::Connected;
            window.Close();
            return;
        }
        window.AddLine(word::kCallIdle);
        return Fail(window, TCallEnd::LineClosed);
    }
    if (m_CallActive) {
        // The user closed the window before the call connected.
        AbortDialling();
        m_End = TCallEnd::Cancelled;
        return;
    }
    window.WaitUntilClosed();
}

bool CTelephony::HandOver() {
    // The line end of the CONNECT line is no gateway data.
    std::string rest = m_Reader.TakeRest() + m_AfterConnect;
    m_AfterConnect.clear();
    rest.erase(0, rest.find_first_not_of("\r\n"));
    const int descriptor = m_Modem.Release();
    if (descriptor < 0 || !m_Terminal.AdoptCall(descriptor, rest)) {
        qCWarning(LinkLog, "the connected call's port could not be taken over");
        SetFlags(false, false);
        return false;
    }
    SetFlags(true, true);
    return true;
}

void CTelephony::AbortDialling() {
    // Any character ends a dial in progress; the modem answers NO CARRIER.
    m_Result = THayesResult::None;
    if (WriteCommand(""))
        WaitFor([this] { return m_Result != THayesResult::None || !m_Modem.Enabled(); },
                kHangUpReplyMs);
    CloseLine();
    SetFlags(false, false);
}

// ---------------------------------------------------------------- hanging up

bool CTelephony::AwaitTerminalReply(const std::string& reply, int32_t ms) {
    CReceiveBuffer& buffer = m_Terminal.Buffer();
    TComm& comm = m_Terminal.Comm();
    const std::vector<std::string> replies{reply};
    WaitFor([&] { return !comm.Enabled() || buffer.FindReply(replies) != 0; }, ms);
    return comm.Enabled() && buffer.FindReply(replies) != 0;
}

void CTelephony::HangUpConnected() {
    TComm& comm = m_Terminal.Comm();
    if (comm.SetDtr(false)) {
        WaitFor([] { return false; }, kDtrDropMs);
    } else {
        // No DTR to drop: the escape sequence, framed by the guard time of
        // silence, returns the modem to commands; "ATH" goes on hook.
        const int32_t guard = EscapeGuardMs(m_Line.Init);
        try {
            WaitFor([&] { return !comm.Enabled(); }, guard + guard / 5);
            m_Terminal.Buffer().Clear();
            m_Terminal.Tap().Sent(TLinkTapEvent::Kind::Raw, "+++", 3, 0);
            if (comm.Enabled() && comm.Write("+++", 3) == 3 &&
                AwaitTerminalReply("OK", guard * 2 + kHangUpReplyMs)) {
                m_Terminal.Buffer().Clear();
                m_Terminal.Tap().Sent(TLinkTapEvent::Kind::Command, "ATH", 3, 0);
                if (comm.Write("ATH\r", 4) == 4)
                    AwaitTerminalReply("OK", kHangUpReplyMs);
            }
        } catch (const ECommError&) {
            // The port is going anyway.
        }
    }
    comm.Close();
}

void CTelephony::Drop() {
    if (m_CallActive) {
        if (m_Modem.Enabled())
            AbortDialling();
        else if (m_Terminal.Comm().Enabled())
            HangUpConnected();
    }
    m_Terminal.Comm().Close();
    SetFlags(false, false);
}

void CTelephony::HangUp(CDiallingWindow& window) {
    if (!m_CallActive) {
        m_Terminal.Comm().Close();
        SetFlags(false, false);
        return;
    }
    window.Show();
    const WindowInUse inUse(m_Window, window);
    window.AddLine(word::kHangingUp);
    HandlePendingMessages();
    Drop();
    window.AddLine(word::kCallIdle);
    window.WaitUntilClosed();
}

void CTelephony::LineGone() {
    if (!m_CallActive)
        return;
    qCDebug(LinkLog) << "the call's line went away";
    m_Terminal.Comm().Close();
    m_End = TCallEnd::LineClosed;
    if (m_Window != nullptr)
        m_Window->AddLine(word::kLineClosed);
    SetFlags(false, false);
}

} // namespace kw
