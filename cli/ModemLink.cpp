#include "ModemLink.h"

#include "COMTermExp.h"
#include "CliArgs.h"
#include "Folders.h"
#include "GatewayProtocol.h"
#include "HayesText.h"
#include "IniFile.h"
#include "LinkError.h"
#include "LinkSession.h"
#include "Words.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kw::cli {
namespace {

int s_SignalWrite = -1;
struct sigaction s_OldInt {};
struct sigaction s_OldTerm {};

void HandleSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(s_SignalWrite, &byte, 1);
}

} // namespace

TModemCall ModemCallOptions(const CliArgs& args) {
    TModemCall call;
    call.number = args.Required("--number");
    if (const auto device = args.Value("--modem-device")) {
        call.line.Name = "modem";
        call.line.Device = *device;
        call.line.Init = args.Value("--modem-init").value_or("");
    } else {
        const std::string name = args.Required("--modem-line");
        CIniFile ini;
        ini.Load(SettingsFilePath(DataFolder()));
        CModemLines lines;
        lines.Read(ini);
        const int index = lines.FindLine(name);
        if (index < 0)
            throw UsageError("--modem-line: no modem line named '" + name + "' in " +
                             SettingsFilePath(DataFolder()));
        call.line = lines.Line(index);
    }
    if (call.number.empty())
        throw UsageError("--number: the gateway's number is empty");
    if (HoldsControlCharacter(call.number))
        throw UsageError("--number must not contain control characters");
    if (HoldsControlCharacter(call.line.Init))
        throw UsageError("the modem's initialisation string must not contain control characters");
    return call;
}

ModemLink::ModemLink(LinkSession& session, TModemCall call)
    : m_Session(session), m_Call(std::move(call)), m_ShowsLines(::isatty(STDERR_FILENO) != 0) {
    // A modem left off-hook keeps the line busy: a signal ends the command
    // through its waits, and the call is hung up on the way out.
    if (::pipe2(m_Pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw CommandFailure("cannot set up the signal handling");
    s_SignalWrite = m_Pipe[1];
    m_Notifier = std::make_unique<QSocketNotifier>(m_Pipe[0], QSocketNotifier::Read);
    QObject::connect(m_Notifier.get(), &QSocketNotifier::activated, [this] { Interrupted(); });
    struct sigaction action {};
    action.sa_handler = &HandleSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &s_OldInt);
    ::sigaction(SIGTERM, &action, &s_OldTerm);
}

ModemLink::~ModemLink() {
    m_Session.Link().Terminal().Telephony().Drop();
    ::sigaction(SIGINT, &s_OldInt, nullptr);
    ::sigaction(SIGTERM, &s_OldTerm, nullptr);
    m_Notifier.reset();
    s_SignalWrite = -1;
    ::close(m_Pipe[0]);
    ::close(m_Pipe[1]);
}

void ModemLink::Interrupted() {
    char byte = 0;
    while (::read(m_Pipe[0], &byte, 1) > 0) {
    }
    m_Interrupted = true;
    m_Session.Link().PressExit();
    m_Session.User().CancelProgress();
}

void ModemLink::ThrowIfInterrupted() const {
    if (m_Interrupted)
        throw CommandFailure("interrupted; the call was hung up");
}

void ModemLink::AddLine(int word, const std::string& quoted) {
    if (m_ShowsLines)
        std::fprintf(stderr, "%s\n", DiallingLineText(m_Session.User().Word(word), quoted).c_str());
}

std::string ModemLink::Where() const {
    return m_Call.number + " via " + m_Call.line.Device;
}

void ModemLink::Connect() {
    CGatewayLink& link = m_Session.Link();
    link.SetConType(CGatewayLink::ModemCall);
    CTelephony& telephony = link.Terminal().Telephony();
    telephony.Lines() = CModemLines();
    telephony.Lines().Add(m_Call.line);
    telephony.Dial(*this, m_Call.line.Name, m_Call.number);
    ThrowIfInterrupted();
    using End = CTelephony::TCallEnd;
    std::string why;
    switch (telephony.LastEnd()) {
    case End::Connected:
        break;
    case End::Busy:
        why = m_Session.User().Word(word::kBusy);
        break;
    case End::NoAnswer:
        why = m_Session.User().Word(word::kNoAnswer);
        break;
    case End::NoDialTone:
        why = m_Session.User().Word(word::kNoDialTone);
        break;
    case End::NoCarrier:
        why = "no carrier";
        break;
    case End::NotAnswering:
        why = "modem not answering";
        break;
    case End::InitRefused:
        why = m_Session.User().Word(word::kInitRefused);
        break;
    case End::CannotOpen:
        why = "cannot open the modem " + m_Call.line.Device + ": " + telephony.OpenError();
        break;
    default:
        why = m_Session.User().Word(word::kLineClosed);
        break;
    }
    if (!why.empty() || !link.Connected())
        throw CommandFailure("the call to " + m_Call.number +
                             " failed: " + (why.empty() ? std::string("no carrier") : why));
    try {
        ModemGreeting(link);
    } catch (const CCOMTermExp& e) {
        ThrowIfInterrupted();
        throw CommandFailure("the modem greeting failed: " + LinkErrorReason(e.Code()));
    }
}

} // namespace kw::cli
