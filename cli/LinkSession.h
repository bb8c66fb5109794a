// Everything a gateway command of the command line needs: the event loop the
// waits run in, the terminal and link, the English word table, the user port,
// and the attach time-out that presses Cancel for a silent gateway.
#pragma once

#include "CliUserPort.h"
#include "ConfigTransfer.h"
#include "GatewayLink.h"
#include "Language.h"
#include "LinkTrace.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>
#include <string>

namespace kw::cli {

class CliArgs;

// --attach-timeout in seconds (default 10); a UsageError when it is not a
// positive number.
double AttachTimeoutOption(const CliArgs& args);
// A time option in seconds, fractions allowed, above 0 and at most a day;
// `defaultSeconds` when it is not given.
double SecondsOption(const CliArgs& args, const char* option, double defaultSeconds);
// Seconds as a report gives them: "10", "0.5".
std::string SecondsText(double seconds);

class LinkSession {
public:
    // A trace path that is not empty gets the link's trace, a warning telling
    // on standard error when it cannot be written.
    LinkSession(const std::string& port, double attachTimeoutSeconds, bool yes,
                const std::string& tracePath = {});
    ~LinkSession();

    CGatewayLink& Link() { return m_Link; }
    CCliUserPort& User() { return m_User; }
    // Why a transfer failed, in one line for the final report.
    std::string Reason(const TransferOutcome& outcome) const;

private:
    static int s_Argc;
    static char* s_Argv[];

    std::unique_ptr<QCoreApplication> m_OwnApp; // when no application exists yet
    CLanguage m_Language;
    CCOMTerminal m_Terminal;
    CGatewayLink m_Link;
    CCliUserPort m_User;
    std::unique_ptr<CLinkTrace> m_Trace;
    QTimer m_AttachTimer;
    double m_AttachSeconds;
    bool m_AttachTimedOut = false;
};

} // namespace kw::cli
