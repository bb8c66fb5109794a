// The command line's modem call: the line from the options or from the
// application INI, the call placed and the modem greeting run, and the call
// hung up however the command ends, a SIGINT or SIGTERM included.
#pragma once

#include "DiallingWindow.h"
#include "ModemLines.h"

#include <memory>
#include <string>

class QSocketNotifier;

namespace kw::cli {

class CliArgs;
class LinkSession;

struct TModemCall {
    TModemLine line;
    std::string number;
};

// --modem-device DEV --number NUM [--modem-init TEXT], or --modem-line NAME
// --number NUM with the line from the application INI. A UsageError for a
// line the INI lacks or a control character in the number or initialisation.
TModemCall ModemCallOptions(const CliArgs& args);

class ModemLink : public CDiallingWindow {
public:
    ModemLink(LinkSession& session, TModemCall call);
    ~ModemLink() override; // hangs up
    ModemLink(const ModemLink&) = delete;
    ModemLink& operator=(const ModemLink&) = delete;

    // Dials and runs the greeting; a CommandFailure saying how the call went
    // otherwise.
    void Connect();
    // Fails when a signal asked the command to stop.
    void ThrowIfInterrupted() const;
    std::string Where() const;

    // --- CDiallingWindow: its lines go to stderr when that is a terminal ---
    void Show() override { m_Visible = true; }
    void AddLine(int word, const std::string& quoted) override;
    bool Visible() const override { return m_Visible && !m_Interrupted; }
    void Close() override { m_Visible = false; }
    void WaitUntilClosed() override { m_Visible = false; }

private:
    void Interrupted();

    LinkSession& m_Session;
    TModemCall m_Call;
    bool m_Visible = false;
    bool m_ShowsLines;
    bool m_Interrupted = false;
    int m_Pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_Notifier;
};

} // namespace kw::cli
