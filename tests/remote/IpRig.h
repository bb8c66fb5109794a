// A TCP/IP connection under test: the real terminal, link facade and server,
// a host that stands in for the main window (the dialling window as a list of
// lines), the scripted user port, a clock the test can move on, and the real
// simulated gateway woken through its modem.
#pragma once

#include "COMTerminal.h"
#include "GatewayLink.h"
#include "IpLinkHost.h"
#include "IpServer.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"

#include <functional>
#include <string>
#include <vector>

namespace kw::test {

// Stands in for the main window: its dialling window and its link state.
class IpHostDouble : public CIpLinkHost {
public:
    explicit IpHostDouble(CGatewayLink& link) : m_Link(link) {}

    void ShowDialling() override;
    bool DiallingVisible() const override { return visible; }
    void AddDiallingLine(int word, const std::vector<std::string>& args) override;
    void CloseDialling() override { visible = false; }
    bool LinkExists() const override { return m_Link.Connected(); }
    QTcpSocket* LinkedConnection() const override { return m_Link.LinkedConnection(); }
    void LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) override;
    void LinkDown() override;
    void LinkReceive(const uint8_t* bytes, int32_t n) override { m_Link.LinkReceive(bytes, n); }
    void LinkStateChanged() override { ++stateChanges; }
    void LinkIdle(int32_t ms) override;

    // The dialling window's lines: the word, then each argument after a space.
    std::vector<std::string> lines;
    bool visible = false;
    int timesShown = 0;
    int stateChanges = 0;
    // Called after each line is added, with its word.
    std::function<void(int word)> onLine;

private:
    CGatewayLink& m_Link;
};

struct IpRig {
    IpRig();

    // Listens on a port the system picks, the dialling window showing.
    void Listen();
    // Moves the greeting's clock on, as if `ms` had passed.
    void Skip(uint32_t ms) { clockOffset += ms; }
    // Runs events until the dialling window has `count` lines.
    bool WaitForLines(size_t count, int timeoutMs = 5000);
    // Runs events until the simulator's log holds `line`.
    bool WaitForSimLine(const SimProcess& sim, const std::string& line, int timeoutMs = 5000);

    CCOMTerminal terminal;
    CGatewayLink link{terminal};
    IpHostDouble host{link};
    ScriptedUserPort user;
    TIpSettings settings;
    CIpServer server{terminal, user, host, settings};
    uint32_t clockOffset = 0;
};

inline const std::string kSerial = "10-2024-0001";
inline const std::string kNumber = "+420777123456";

// Starts a simulated gateway with a wake-up modem at sim.Path("modem").
bool StartGateway(SimProcess& sim, const std::string& serial,
                  const std::vector<std::string>& options = {});
// Sends a wake-up SMS through the simulator's modem, as the program does;
// a link exception when the modem does not answer.
void SendWakeupSms(const SimProcess& sim, const std::string& text);
// The wake-up text asking the gateway `serial` to connect to 127.0.0.1:port.
std::string WakeupTextFor(const std::string& serial, int port);
bool LogHas(const SimProcess& sim, const std::string& line);

} // namespace kw::test
