#include "LinkSession.h"

#include "CliArgs.h"
#include "LinkError.h"
#include "ProgramFolder.h"
#include "Words.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace kw::cli {
namespace {

void LoadEnglish(CLanguage& language) {
    language.Init(kw::ProgramFolder());
    const int english = language.FindLangById("Eng");
    if (english >= 0)
        language.Load(english, "");
}

} // namespace

std::string SecondsText(double seconds) {
    std::ostringstream text;
    text << seconds;
    return text.str();
}

int LinkSession::s_Argc = 1;
char* LinkSession::s_Argv[] = {const_cast<char*>("kolbrawin-cli"), nullptr};

double AttachTimeoutOption(const CliArgs& args) {
    return SecondsOption(args, "--attach-timeout", 10);
}

double SecondsOption(const CliArgs& args, const char* option, double defaultSeconds) {
    const auto text = args.Value(option);
    if (!text)
        return defaultSeconds;
    char* end = nullptr;
    const double seconds = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != 0 || !std::isfinite(seconds) || seconds <= 0 || seconds > 86400)
        throw UsageError(std::string(option) + " must be a number of seconds above 0");
    return seconds;
}

LinkSession::LinkSession(const std::string& port, double attachTimeoutSeconds, bool yes,
                         const std::string& tracePath)
    : m_OwnApp(QCoreApplication::instance() ? nullptr
                                            : std::make_unique<QCoreApplication>(s_Argc, s_Argv)),
      m_Link(m_Terminal), m_User(&m_Language, yes), m_AttachSeconds(attachTimeoutSeconds) {
    LoadEnglish(m_Language);
    if (!tracePath.empty()) {
        m_Trace = std::make_unique<CLinkTrace>(m_Terminal.Tap(), [tracePath] {
            return TTraceTarget{tracePath, {}};
        });
        m_Trace->SetFailureHandler([](const std::string& why) {
            std::fprintf(stderr, "kolbrawin-cli: warning: the trace stops: %s\n", why.c_str());
        });
    }
    m_Link.SetComPort(port);
    // The trace file is there even when the gateway is never reached.
    m_Terminal.Tap().Event(port.empty() ? "start" : "start, port " + port);
    m_AttachTimer.setSingleShot(true);
    m_AttachTimer.setInterval(static_cast<int>(std::lround(attachTimeoutSeconds * 1000)));
    QObject::connect(&m_AttachTimer, &QTimer::timeout, [this] {
        m_AttachTimedOut = true;
        m_User.PressCancel();
    });
    m_Link.SetAttachObserver([this](bool running) {
        if (running)
            m_AttachTimer.start();
        else
            m_AttachTimer.stop();
    });
}

LinkSession::~LinkSession() {
    m_Terminal.ClosePort();
}

std::string LinkSession::Reason(const TransferOutcome& outcome) const {
    // A TCP/IP link or a modem call that is gone by now lost its connection,
    // whatever else the transfer could tell.
    const bool linkGone = m_Link.ConType() != CGatewayLink::SerialCable && !m_Link.Connected();
    if (linkGone && (outcome.result == TransferResult::NotConnected ||
                     outcome.result == TransferResult::AttachFailed))
        return LinkErrorReason(CCOMTermExp::ConnectionLost);
    switch (outcome.result) {
    case TransferResult::Done:
        return "done";
    case TransferResult::NotConnected:
        return "not connected";
    case TransferResult::Declined:
        return "the gateway's modem numbers differ from the configuration's (--yes writes anyway)";
    case TransferResult::AttachFailed:
        if (m_AttachTimedOut)
            return "no answer from the gateway within " + SecondsText(m_AttachSeconds) + " s";
        if (m_User.Said(word::kFirmwareInvalidUpgradeNow))
            return "the gateway's firmware fails the check; upgrade its firmware first";
        if (m_User.Said(word::kUnknownHardware))
            return "the gateway reports an unknown hardware letter";
        if (m_User.Said(word::kCannotOpenPort)) {
            std::string why = m_Terminal.LastOpenError();
            while (!why.empty() && why.back() == ' ')
                why.pop_back();
            return "cannot open the port: " + why;
        }
        return "the gateway did not attach";
    case TransferResult::Incompatible:
        return std::string("the configuration does not fit the gateway's hardware (") +
               m_Link.HardwareLetter() + ")";
    case TransferResult::Unreadable:
        return "the gateway's configuration memory failed its checksums three times";
    case TransferResult::WriteFailed:
        return "the gateway did not take the configuration";
    case TransferResult::LinkFailed:
        return LinkErrorReason(outcome.linkCode);
    }
    return "failed";
}

} // namespace kw::cli
