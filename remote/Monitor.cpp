#include "Monitor.h"

#include "AtReply.h"
#include "COMTermExp.h"
#include "COMTerminal.h"
#include "LinkError.h"
#include "LinkTime.h"
#include "MonitorRules.h"
#include "Words.h"

#include <QTimer>

namespace kw {
namespace {

constexpr int32_t kModuleRate = 57600;
constexpr int kBeforeOpenMs = 1000;
constexpr int kBetweenCommandsMs = 300;
constexpr int kBetweenPassesMs = 10000;

// Thrown by the checks after every command and wait once Stop was called.
struct TStopped {};

const char* const kOk = "OK\r\n";
const char* const kError = "ERROR\r\n";
const char* const kEquipmentError = "+CME ERROR:";
const char* const kNetworkError = "+CMS ERROR:";
// The pending clock text that means "the PC clock when it is sent".
const std::string kTakePcClock = "s";

TMonitorValue TextOrMissing(const std::optional<std::string>& text) {
    return text ? TMonitorValue::Text(*text) : TMonitorValue::Word(word::kValueNotAvailable);
}

// A composed text is missing when nothing went into it.
TMonitorValue TextOrMissing(const std::string& text) {
    return TextOrMissing(text.empty() ? std::nullopt : std::optional(text));
}

} // namespace

bool CMonitor::s_Busy = false;

CMonitor::CMonitor(THost host) : m_Host(std::move(host)) {}

void CMonitor::ResetDisplay() {
    ShowPcClock();
    for (int row = 0; row < kMonitorRowCount; ++row) {
        if (static_cast<MonitorRow>(row) != MonitorRow::PcClock)
            Show(static_cast<MonitorRow>(row), TMonitorValue::Word(word::kValueNotKnownYet));
    }
    Show(MonitorRow::Status, TMonitorValue::Word(word::kModuleSilent));
    m_Host.display.ShowSignalLabel();
}

void CMonitor::Stop() {
    m_Stop = true;
    // A reply wait in progress ends at its next look instead of after its time-out.
    m_Host.terminal.m_Cancel = 1;
}

CMonitor::RunEnd CMonitor::Run() {
    m_Stop = false;
    if (s_Busy)
        return RunEnd::Busy;
    s_Busy = true;
    struct TBusyGuard {
        ~TBusyGuard() { s_Busy = false; }
    } busy;
    CCOMTerminal& terminal = m_Host.terminal;
    try {
        if (m_Host.releaseGateway)
            m_Host.releaseGateway();
        terminal.ClosePort();
        Wait(kBeforeOpenMs);
        try {
            terminal.OpenPort(m_Host.port, kModuleRate);
        } catch (const CCOMTermExp& e) {
            ShowLinkError(e, m_Host.user);
            return RunEnd::PortFailed;
        }
        terminal.m_Terminator = 13;
        m_Identify = true;
        m_CentreKnown = false;
        Loop();
    } catch (const TStopped&) {
    }
    terminal.ClosePort();
    return RunEnd::Stopped;
}

void CMonitor::Loop() {
    for (;;) {
        try {
            if (m_Identify) {
                m_Identify = false;
                Identify();
            }
            PollingPass();
            if (m_PassEnded)
                m_PassEnded(PassEnd::Complete);
            Wait(kBetweenPassesMs);
        } catch (const CCOMTermExp& e) {
            if (e.Code() == CCOMTermExp::Cancelled)
                return;
            Show(MonitorRow::Status, TMonitorValue::Word(word::kModuleSilent));
            m_Identify = true;
            CheckStop();
            if (m_PassEnded)
                m_PassEnded(PassEnd::Failed);
            // A silent module is asked again at the pace of the reply time-out;
            // a line that fails at once (a port that went away) would otherwise
            // be retried without a pause and freeze the window.
            if (e.Code() != CCOMTermExp::TimedOut)
                Wait(m_Host.terminal.m_TimeOut);
        }
    }
}

void CMonitor::Identify() {
    m_Host.terminal.SendExpect("AT", {kOk});
    CheckStop();
    Wait(kBetweenCommandsMs);
    Show(MonitorRow::Status, TMonitorValue::Word(word::kModuleAnswers));

    const auto manufacturer = QueryText("AT+GMI", "AT+CGMI");
    Wait(kBetweenCommandsMs);
    const auto model = QueryText("AT+GMM", "AT+CGMM");
    Wait(kBetweenCommandsMs);
    const auto revision = QueryText("AT+GMR", "AT+CGMR");
    Wait(kBetweenCommandsMs);
    const std::string module = ModuleText(manufacturer, model, revision);
    Show(MonitorRow::Module, TextOrMissing(module));

    Show(MonitorRow::Imei, TextOrMissing(QueryText("AT+GSN", "AT+CGSN")));
    Wait(kBetweenCommandsMs);
    Show(MonitorRow::Imsi, TextOrMissing(QueryText("AT+CIMI")));
    Wait(kBetweenCommandsMs);
}

void CMonitor::PollingPass() {
    PollCentre();
    PollOperator();
    PollCall();
    SetModuleClock();
    PollModuleClock();
    PollSignal();
}

void CMonitor::PollCentre() {
    if (!m_PendingCentre.empty() && m_PendingCentre != "0") {
        const std::string number = m_PendingCentre;
        m_PendingCentre.clear();
        // Whether the module took it shows when the number is read back.
        Query("AT+CSCA=\"" + number + "\"");
        m_CentreKnown = false;
        Wait(kBetweenCommandsMs);
    }
    if (m_CentreKnown)
        return;
    const TAnswer answer = Query("AT+CSCA?");
    TMonitorValue value = TMonitorValue::Text({});
    if (answer.ok) {
        const auto number = AtQuotedValue(answer.received, "AT+CSCA?");
        value = TextOrMissing(number);
        if (number) {
            m_CentreKnown = true;
            m_LastCentre = *number;
        }
    }
    // A number the user entered meanwhile still waits to be written.
    if (m_PendingCentre.empty())
        Show(MonitorRow::SmsCentre, value);
    Wait(kBetweenCommandsMs);
}

void CMonitor::PollOperator() {
    std::string name;
    if (Query("AT+COPS=3,0").ok) {
        Wait(kBetweenCommandsMs);
        const TAnswer answer = Query("AT+COPS?");
        if (answer.ok)
            name = AtQuotedValue(answer.received, "AT+COPS?").value_or(std::string());
    }
    Wait(kBetweenCommandsMs);
    std::optional<TAtOperatorCode> code;
    if (Query("AT+COPS=3,2").ok) {
        Wait(kBetweenCommandsMs);
        const TAnswer answer = Query("AT+COPS?");
        if (answer.ok)
            code = AtOperatorCode(answer.received, "AT+COPS?");
    }
    const std::string text = OperatorText(name, code);
    Show(MonitorRow::Operator, TextOrMissing(text));
}

void CMonitor::PollCall() {
    Wait(kBetweenCommandsMs);
    const TAnswer answer = Query("AT+CLCC", "\r\nOK\r\n");
    if (!answer.ok) {
        Show(MonitorRow::Call, TMonitorValue::Word(word::kValueNotAvailable));
        return;
    }
    Show(MonitorRow::Call, CallValue(AtCalls(answer.received, "AT+CLCC")));
}

void CMonitor::SetModuleClock() {
    Wait(kBetweenCommandsMs);
    if (m_PendingClock.empty() || m_PendingClock == "0")
        return;
    std::string text = m_PendingClock;
    m_PendingClock.clear();
    if (text == kTakePcClock) {
        text = PcClockText(m_Host.localTime());
        Show(MonitorRow::PcClock, TMonitorValue::Text(text));
    }
    Query("AT+CCLK=\"" + text + "\"");
}

void CMonitor::PollModuleClock() {
    Wait(kBetweenCommandsMs);
    ShowPcClock();
    const TAnswer answer = Query("AT+CCLK?");
    const auto clock = answer.ok ? AtQuotedValue(answer.received, "AT+CCLK?") : std::nullopt;
    // A clock the user set meanwhile still waits to be sent.
    if (m_PendingClock.empty())
        Show(MonitorRow::ModuleClock, TextOrMissing(clock));
}

void CMonitor::PollSignal() {
    Wait(kBetweenCommandsMs);
    const TAnswer answer = Query("AT+CSQ");
    ShowSignal(m_Host.display,
               answer.ok ? AtSignalQuality(answer.received, "AT+CSQ") : std::nullopt);
}

CMonitor::TAnswer CMonitor::Query(const std::string& command, const char* okReply) {
    CCOMTerminal& terminal = m_Host.terminal;
    const int which =
        terminal.SendExpect(command, {okReply, kError, kEquipmentError, kNetworkError});
    CheckStop();
    const CReceiveBuffer& buffer = terminal.Buffer();
    return {which == 1, std::string(reinterpret_cast<const char*>(buffer.Data()),
                                    static_cast<size_t>(buffer.Count()))};
}

std::optional<std::string> CMonitor::QueryText(const std::string& command,
                                               const std::string& otherwise) {
    TAnswer answer = Query(command);
    const std::string* answered = &command;
    if (!answer.ok && !otherwise.empty()) {
        Wait(kBetweenCommandsMs);
        answer = Query(otherwise);
        answered = &otherwise;
    }
    if (!answer.ok)
        return std::nullopt;
    return AtInformationText(answer.received, *answered);
}

void CMonitor::Wait(int ms) {
    QTimer deadline; // wakes the blocking step when the time is up
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(ms);
    while (!m_Stop && deadline.isActive())
        HandleOneMessage();
    CheckStop();
}

void CMonitor::CheckStop() const {
    if (m_Stop)
        throw TStopped{};
}

void CMonitor::Show(MonitorRow row, const TMonitorValue& value) {
    m_Host.display.ShowValue(row, value);
}

void CMonitor::ShowPcClock() {
    Show(MonitorRow::PcClock, TMonitorValue::Text(PcClockText(m_Host.localTime())));
}

std::string CMonitor::CentreToOffer() const {
    return m_LastCentre == "0" ? std::string() : m_LastCentre;
}

bool CMonitor::ChangeCentre(const std::string& number) {
    // Nothing to write: an empty field or "0" would wait for ever.
    if (number == m_LastCentre || number.empty() || number == "0" || CheckCentreNumber(number) != 0)
        return false;
    m_PendingCentre = number;
    Show(MonitorRow::SmsCentre, TMonitorValue::Word(word::kCentreWaiting));
    return true;
}

void CMonitor::SetPendingClock(const std::string& clockText) {
    m_PendingClock = clockText;
    Show(MonitorRow::ModuleClock, TMonitorValue::Word(word::kClockWaitingToBeSet));
}

void CMonitor::Synchronise() {
    m_PendingClock = kTakePcClock;
    Show(MonitorRow::ModuleClock, TMonitorValue::Word(word::kClockWaitingToSync));
}

} // namespace kw
