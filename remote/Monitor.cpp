#include "Monitor.h"

#include "AtReply.h"
#include "COMTermExp.h"
#include "COMTerminal.h"
#include "LinkError.h"
#include "LinkTime.h"
#include "Words.h"

#include <QTimer>

namespace kw {
namespace {

constexpr int32_t kModuleRate = 57600;
constexpr int kBeforeOpenMs = 1000;
constexpr int kBetweenCommandsMs = 300;
constexpr int kBetweenPassesMs = 10000;
constexpr int kHighestSignal = 32;
constexpr int kAccessGsm = 0;
constexpr int kAccessUmts = 2;

// Thrown by the checks after every command and wait once Stop was called.
struct TStopped {};

const char* const kOk = "OK\r\n";
const char* const kError = "ERROR\r\n";
const char* const kEquipmentError = "+CME ERROR:";
const char* const kNetworkError = "+CMS ERROR:";

// "Manufacturer, Inc." shows as "Manufacturer"; a text that starts with the
// comma stays whole.
std::string BeforeFirstComma(const std::string& text) {
    const size_t comma = text.find(',');
    return comma == std::string::npos || comma == 0 ? text : text.substr(0, comma);
}

// One maker's revision texts carry a long tail after the version itself.
std::string ShortRevision(const std::string& text) {
    if (text.find("Sierra") == std::string::npos)
        return text;
    const size_t space = text.find(' ');
    return space == std::string::npos || space == 0 ? text : text.substr(0, space);
}

void Append(std::string& text, const std::optional<std::string>& part) {
    if (!part || part->empty())
        return;
    if (!text.empty())
        text += ' ';
    text += *part;
}

TMonitorValue TextOrMissing(const std::optional<std::string>& text) {
    return text ? TMonitorValue::Text(*text) : TMonitorValue::Word(word::kValueNotAvailable);
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

    std::string module;
    const auto manufacturer = QueryText("AT+GMI", "AT+CGMI");
    Append(module, manufacturer ? std::optional(BeforeFirstComma(*manufacturer)) : std::nullopt);
    Wait(kBetweenCommandsMs);
    Append(module, QueryText("AT+GMM", "AT+CGMM"));
    Wait(kBetweenCommandsMs);
    const auto revision = QueryText("AT+GMR", "AT+CGMR");
    Append(module, revision ? std::optional(ShortRevision(*revision)) : std::nullopt);
    Wait(kBetweenCommandsMs);
    Show(MonitorRow::Module, TextOrMissing(module.empty() ? std::nullopt : std::optional(module)));

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
    std::string text = name;
    if (Query("AT+COPS=3,2").ok) {
        Wait(kBetweenCommandsMs);
        const TAnswer answer = Query("AT+COPS?");
        const auto code = answer.ok ? AtOperatorCode(answer.received, "AT+COPS?") : std::nullopt;
        if (code) {
            Append(text, "(" + code->code + ")");
            if (code->accessTechnology == kAccessGsm)
                text += " GSM";
            else if (code->accessTechnology == kAccessUmts)
                text += " UMTS";
        }
    }
    Show(MonitorRow::Operator, TextOrMissing(text.empty() ? std::nullopt : std::optional(text)));
}

void CMonitor::PollCall() {
    Wait(kBetweenCommandsMs);
    const TAnswer answer = Query("AT+CLCC", "\r\nOK\r\n");
    if (!answer.ok) {
        Show(MonitorRow::Call, TMonitorValue::Word(word::kValueNotAvailable));
        return;
    }
    const TAtCalls calls = AtCalls(answer.received, "AT+CLCC");
    if (!calls.readable)
        Show(MonitorRow::Call, TMonitorValue::Word(word::kValueNotAvailable));
    else if (!calls.first)
        Show(MonitorRow::Call, TMonitorValue::Word(word::kNoCall));
    else
        Show(MonitorRow::Call,
             {calls.first->direction == 0 ? word::kOutgoingCall : word::kIncomingCall,
              " (" + calls.first->number + ")"});
}

void CMonitor::SetModuleClock() {
    Wait(kBetweenCommandsMs);
    if (m_PendingClock.empty() || m_PendingClock == "0")
        return;
    std::string text = m_PendingClock;
    m_PendingClock.clear();
    if (text == "s") {
        ShowPcClock();
        text = PcClockText(m_Host.localTime());
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
    const auto quality = answer.ok ? AtSignalQuality(answer.received, "AT+CSQ") : std::nullopt;
    if (quality && *quality >= 0 && *quality <= kHighestSignal) {
        m_Host.display.ShowSignalBar(static_cast<int>(*quality));
        return;
    }
    // 99 (not known) keeps the label's text; a failed query says so.
    if (!quality)
        Show(MonitorRow::Signal, TMonitorValue::Word(word::kValueNotAvailable));
    m_Host.display.ShowSignalLabel();
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
    m_PendingClock = "s";
    Show(MonitorRow::ModuleClock, TMonitorValue::Word(word::kClockWaitingToSync));
}

} // namespace kw
