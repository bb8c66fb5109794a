// The TCP server a woken gateway connects back to, and Connect, Cancel and
// Disconnect of the TCP/IP link: listens on all IPv4 addresses, greets every
// connection (probe, acknowledgement, identity) on a 200 ms timer, and hands
// the one that proves the expected serial number to the link. Client events
// and the timer run on the UI thread, inside the link's waits as well.
#pragma once

#include "Handshake.h"
#include "IpSettings.h"
#include "Wakeup.h"

#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <map>

class CCOMTerminal;
class CUserPort;
class QTcpSocket;

namespace kw {

class CIpLinkHost;

class CIpServer {
public:
    // How Connect ended.
    struct TConnectOutcome {
        bool listening = false; // false: the port could not be listened on (message shown)
        TWakeupOutcome wakeup{TWakeupOutcome::Result::Cancelled};
    };

    // `settings` are the values the main window holds (the IP connect dialog
    // fills them); they must outlive the server.
    CIpServer(CCOMTerminal& terminal, CUserPort& user, CIpLinkHost& host, TIpSettings& settings);
    // The user port asked for at each use: a window's may be swapped (tests).
    CIpServer(CCOMTerminal& terminal, std::function<CUserPort&()> user, CIpLinkHost& host,
              TIpSettings& settings);
    ~CIpServer();
    CIpServer(const CIpServer&) = delete;
    CIpServer& operator=(const CIpServer&) = delete;

    // After the IP connect dialog closed with Start: listen on "IpPort" (0: a
    // port the system picks), start the timer and run the wake-up routine. A
    // port that cannot be listened on is reported naming it, and no SMS goes out.
    // Does nothing while a wake-up runs or a link exists.
    TConnectOutcome Connect();
    // The first half of Connect: listen and start the timer, no SMS. False
    // (message shown) when the port cannot be listened on.
    bool Activate();
    // The dialling window's Cancel: a running modem command ends, the window
    // closes and the server goes down.
    void CancelDialling();
    // Disconnect of a TCP/IP link: link cleared, server down.
    void Disconnect();

    bool Active() const { return m_Server.isListening(); }
    quint16 Port() const { return m_Server.serverPort(); }
    // Connections the server holds, greeting or linked.
    int ClientCount() const { return int(m_Clients.size()); }

    // The millisecond tick the greeting is timed by; tests give their own.
    void SetClock(std::function<uint32_t()> clock) { m_Clock = std::move(clock); }

private:
    void Listen();
    void Deactivate();
    void ClientConnected(QTcpSocket* client);
    void ClientRead(QTcpSocket* client);
    void ClientDisconnected(QTcpSocket* client);
    void ClientError(QTcpSocket* client, QAbstractSocket::SocketError error);
    void SocketTimerTick();
    void ReadLinked(QTcpSocket* client);
    void ReadGreeting(QTcpSocket* client);
    void Apply(QTcpSocket* client, const THandshakeStep& step);
    void Linked(QTcpSocket* client);
    // Releases the connection's record, adds the word's line (with the remote
    // address) when the dialling window shows, and closes the connection.
    void DropClient(QTcpSocket* client, int word = 0);
    // Forgets the connection without a line; its events no longer reach us.
    void Release(QTcpSocket* client);
    int GreetingCount() const;
    uint32_t Now() const;
    CUserPort& User() const { return m_User(); }

    CCOMTerminal& m_Terminal;
    std::function<CUserPort&()> m_User;
    CIpLinkHost& m_Host;
    TIpSettings& m_Settings;
    QTcpServer m_Server;
    QTimer m_SocketTimer;
    // Every open client connection with its greeting record.
    std::map<QTcpSocket*, THandshake> m_Clients;
    std::function<uint32_t()> m_Clock;
};

} // namespace kw
