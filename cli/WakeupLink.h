// The command line's TCP/IP link: the wake-up SMS through a local GSM modem,
// the call-back server, and the gateway's call awaited for a limited time.
// It stands in for the main window towards the server: the dialling window's
// lines go to stderr when that is a terminal.
#pragma once

#include "IpLinkHost.h"
#include "IpServer.h"

#include <string>
#include <vector>

class CUserPort;

namespace kw::cli {

class CliArgs;
class LinkSession;

struct TWakeupOptions {
    TIpSettings settings;
    double connectSeconds = 120; // for the call back, once the modem took the SMS
};

// The --ip options: what the SMS carries, checked as the IP connect dialog
// checks it (the reason shown through `user`), and the call-back's place.
// A UsageError for a value that cannot be used; a CommandFailure when the
// computer has no address to be called back on and none is given.
TWakeupOptions WakeupOptions(const CliArgs& args, CUserPort& user);

class WakeupLink : public CIpLinkHost {
public:
    WakeupLink(LinkSession& session, TWakeupOptions options);
    ~WakeupLink() override; // hangs up
    WakeupLink(const WakeupLink&) = delete;
    WakeupLink& operator=(const WakeupLink&) = delete;

    // Sends the wake-up SMS and waits for the gateway to call and prove its
    // identity. A CommandFailure naming the reason otherwise.
    void Connect();
    // The gateway as a report names it.
    std::string Where() const;

    // --- CIpLinkHost ---
    void ShowDialling() override;
    bool DiallingVisible() const override { return m_Dialling; }
    void AddDiallingLine(int word, const std::vector<std::string>& args) override;
    void CloseDialling() override { m_Dialling = false; }
    bool LinkExists() const override;
    QTcpSocket* LinkedConnection() const override;
    void LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) override;
    void LinkDown() override;
    void LinkReceive(const uint8_t* bytes, int32_t n) override;
    void LinkStateChanged() override {}
    void LinkIdle(int32_t ms) override;

private:
    void WaitForCallBack();
    [[noreturn]] void Fail(const std::string& reason) const;

    LinkSession& m_Session;
    TWakeupOptions m_Options;
    CIpServer m_Server;
    bool m_Dialling = false;
    bool m_ShowsLines;           // stderr is a terminal
    std::string m_WrongIdentity; // the line telling of another gateway
    std::string m_Dropped;       // the last line telling of a greeting that failed
};

} // namespace kw::cli
