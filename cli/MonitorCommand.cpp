// monitor: the monitor window's polling loop against a gateway on a cable,
// printing the window's rows after every complete pass.
#include "CliArgs.h"
#include "CliCommands.h"
#include "GatewayProtocol.h"
#include "LinkSession.h"
#include "Monitor.h"
#include "MonitorText.h"
#include "Win1252.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kw::cli {
namespace {

// The rows in the window's order, under the names scripts read.
struct TRowKey {
    MonitorRow row;
    const char* key;
};
constexpr TRowKey kRowKeys[] = {
    {MonitorRow::Status, "status"},
    {MonitorRow::Module, "module"},
    {MonitorRow::Imei, "imei"},
    {MonitorRow::Imsi, "imsi"},
    {MonitorRow::SmsCentre, "sms-centre"},
    {MonitorRow::Operator, "operator"},
    {MonitorRow::Call, "call"},
    {MonitorRow::ModuleClock, "module-clock"},
    {MonitorRow::PcClock, "pc-clock"},
    {MonitorRow::Signal, "signal"},
};

const char* const kClockFormat = "--set-clock takes \"DD.MM.YYYY HH:MM\"";

// A value as UTF-8 for the terminal; control characters a module might send
// are shown as \xNN instead of reaching the terminal.
std::string PrintableValue(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
            shown += QString::asprintf("\\x%02X", unsigned(code));
        else
            shown += c;
    }
    return shown.toStdString();
}

void PrintRows(const CMonitorRows& rows, const WordText& word) {
    for (const TRowKey& entry : kRowKeys) {
        const QString value = entry.row == MonitorRow::Signal
                                  ? MonitorSignalText(rows, word)
                                  : MonitorValueText(rows.Value(entry.row), word);
        std::printf("%s: %s\n", entry.key, PrintableValue(value).c_str());
    }
    std::printf("\n");
    std::fflush(stdout);
}

// "DD.MM.YYYY HH:MM" split into the set-time dialog's fields, each no longer
// than the dialog lets one type; empty when the text has another shape.
std::optional<TSetTimeFields> ClockFields(const std::string& text) {
    const size_t dot1 = text.find('.');
    const size_t dot2 = dot1 == std::string::npos ? dot1 : text.find('.', dot1 + 1);
    const size_t space = dot2 == std::string::npos ? dot2 : text.find(' ', dot2 + 1);
    const size_t colon = space == std::string::npos ? space : text.find(':', space + 1);
    if (colon == std::string::npos)
        return std::nullopt;
    TSetTimeFields fields{text.substr(0, dot1), text.substr(dot1 + 1, dot2 - dot1 - 1),
                          text.substr(dot2 + 1, space - dot2 - 1),
                          text.substr(space + 1, colon - space - 1), text.substr(colon + 1)};
    using L = TSetTimeFieldLengths;
    if (fields.day.size() > L::kDay || fields.month.size() > L::kMonth ||
        fields.year.size() > L::kYear || fields.hour.size() > L::kHour ||
        fields.minute.size() > L::kMinute)
        return std::nullopt;
    return fields;
}

int PassesOption(const CliArgs& args) {
    const auto text = args.Value("--passes");
    if (args.Flag("--once")) {
        if (text)
            throw UsageError("--once and --passes exclude each other");
        return 1;
    }
    if (!text)
        return 0;
    char* end = nullptr;
    const long passes = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != 0 || passes < 1 || passes > 1000000)
        throw UsageError("--passes takes a number of passes from 1");
    return static_cast<int>(passes);
}

// SIGINT and SIGTERM stop the loop from inside its waits: the handler only
// writes to a pipe the event loop watches.
class StopOnSignal {
public:
    explicit StopOnSignal(CMonitor& monitor) {
        if (::pipe2(m_Pipe, O_CLOEXEC | O_NONBLOCK) != 0)
            throw CommandFailure("cannot set up the signal handling");
        s_Write = m_Pipe[1];
        m_Notifier = std::make_unique<QSocketNotifier>(m_Pipe[0], QSocketNotifier::Read);
        QObject::connect(m_Notifier.get(), &QSocketNotifier::activated, [this, &monitor] {
            char byte = 0;
            while (::read(m_Pipe[0], &byte, 1) > 0) {
            }
            m_Signalled = true;
            monitor.Stop();
        });
        struct sigaction action {};
        action.sa_handler = &StopOnSignal::Handle;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &m_OldInt);
        ::sigaction(SIGTERM, &action, &m_OldTerm);
    }
    ~StopOnSignal() {
        ::sigaction(SIGINT, &m_OldInt, nullptr);
        ::sigaction(SIGTERM, &m_OldTerm, nullptr);
        m_Notifier.reset();
        s_Write = -1;
        ::close(m_Pipe[0]);
        ::close(m_Pipe[1]);
    }
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

    bool Signalled() const { return m_Signalled; }

private:
    static void Handle(int) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(s_Write, &byte, 1);
    }

    static inline int s_Write = -1;
    int m_Pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_Notifier;
    struct sigaction m_OldInt {};
    struct sigaction m_OldTerm {};
    bool m_Signalled = false;
};

} // namespace

void RunMonitor(const Args& argv) {
    const CliArgs args(argv, {"--port", "--passes", "--set-centre", "--set-clock"},
                       {"--once", "--sync-clock"});
    if (!args.Positional().empty())
        throw UsageError("unexpected argument " + args.Positional().front());
    const std::string port = args.Required("--port");
    const int passes = PassesOption(args);
    const auto centreText = args.Value("--set-centre");
    const auto clockText = args.Value("--set-clock");
    if (clockText && args.Flag("--sync-clock"))
        throw UsageError("--set-clock and --sync-clock exclude each other");

    LinkSession session(port, 10, false);
    CCliUserPort& user = session.User();
    const WordText word = [&user](int id) { return user.Word(id); };

    std::string centre;
    if (centreText) {
        centre = QStringToBytes(QString::fromUtf8(*centreText));
        if (centre.empty() || centre == "0")
            throw UsageError("--set-centre needs a number");
        if (const int refused = CheckCentreNumber(centre))
            throw UsageError(word(refused));
    }
    std::string clock;
    if (clockText) {
        const auto fields = ClockFields(*clockText);
        if (!fields)
            throw UsageError(kClockFormat);
        const TSetTimeCheck check = CheckSetTime(*fields);
        if (check.refusedWord != 0)
            throw UsageError(word(check.refusedWord));
        clock = check.clockText;
    }

    CMonitorRows rows;
    CMonitor monitor({session.Link().Terminal(), user, rows, port,
                      // The one place the monitor ends a gateway exchange first.
                      [&session] { ReleaseGateway(session.Link()); }});
    monitor.ResetDisplay();
    if (!centre.empty())
        monitor.ChangeCentre(centre);
    if (!clock.empty())
        monitor.SetPendingClock(clock);
    else if (args.Flag("--sync-clock"))
        monitor.Synchronise();

    int finished = 0;
    bool answered = false;
    monitor.m_PassEnded = [&](CMonitor::PassEnd end) {
        answered = end == CMonitor::PassEnd::Complete;
        if (answered)
            PrintRows(rows, word);
        if (passes > 0 && ++finished >= passes)
            monitor.Stop();
    };
    StopOnSignal signalStop(monitor);
    if (monitor.Run() == CMonitor::RunEnd::PortFailed) {
        std::string why = session.Link().Terminal().LastOpenError();
        while (!why.empty() && why.back() == ' ')
            why.pop_back();
        throw CommandFailure(port + ": cannot open the port: " + why);
    }
    if (passes > 0 && !answered)
        throw CommandFailure(port + ": the GSM module did not answer");
}

} // namespace kw::cli
