#include "IpServer.h"

#include "COMTerminal.h"
#include "IpLinkHost.h"
#include "LinkTime.h"
#include "UserPort.h"
#include "Win1252.h"
#include "Words.h"

#include <QTcpSocket>

#include <vector>

namespace kw {
namespace {

constexpr int kSocketTimerMs = 200;
// Reads are taken in pieces of this size, into a buffer on the stack.
constexpr qint64 kPiece = 1000;

// The remote address in dotted decimal.
std::string RemoteAddress(const QTcpSocket* client) {
    const QHostAddress peer = client->peerAddress();
    bool isIpv4 = false;
    const quint32 v4 = peer.toIPv4Address(&isIpv4);
    if (!isIpv4)
        return peer.toString().toStdString();
    return std::to_string(v4 >> 24) + "." + std::to_string((v4 >> 16) & 0xFF) + "." +
           std::to_string((v4 >> 8) & 0xFF) + "." + std::to_string(v4 & 0xFF);
}

// What another gateway said its serial number is, fit for a list line: bytes
// from the network, so control characters show as "?".
std::string ShownIdentity(const std::string& identity) {
    QString text = BytesToQString(identity);
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return text.toStdString();
}

} // namespace

CIpServer::CIpServer(CCOMTerminal& terminal, CUserPort& user, CIpLinkHost& host,
                     TIpSettings& settings)
    : CIpServer(
          terminal, [&user]() -> CUserPort& { return user; }, host, settings) {}

CIpServer::CIpServer(CCOMTerminal& terminal, std::function<CUserPort&()> user, CIpLinkHost& host,
                     TIpSettings& settings)
    : m_Terminal(terminal), m_User(std::move(user)), m_Host(host), m_Settings(settings) {
    m_Server.setObjectName("ServerSocket1");
    m_SocketTimer.setObjectName("SocketTimer");
    m_SocketTimer.setInterval(kSocketTimerMs);
    QObject::connect(&m_Server, &QTcpServer::newConnection, &m_Server, [this] {
        while (QTcpSocket* client = m_Server.nextPendingConnection())
            ClientConnected(client);
    });
    QObject::connect(&m_SocketTimer, &QTimer::timeout, &m_Server, [this] { SocketTimerTick(); });
}

CIpServer::~CIpServer() {
    m_SocketTimer.stop();
    // The server deletes its connections; none may call back into a half-gone object.
    for (auto& [client, record] : m_Clients) {
        QObject::disconnect(client, nullptr, &m_Server, nullptr);
        client->abort();
    }
}

CIpServer::TConnectOutcome CIpServer::Connect() {
    TConnectOutcome outcome;
    // The window offers Connect only while neither is the case.
    if (WakeupBusy() || m_Host.LinkExists()) {
        outcome.listening = Active();
        outcome.wakeup = {TWakeupOutcome::Result::Busy};
        return outcome;
    }
    if (!Activate())
        return outcome;
    outcome.listening = true;
    outcome.wakeup = RunWakeup({m_Terminal, User(), m_Host, m_Settings, int32_t(Port())});
    return outcome;
}

bool CIpServer::Activate() {
    if (Active())
        Deactivate(); // the last attempt's server waits for its idle tick
    Listen();
    if (!Active())
        return false;
    m_SocketTimer.start();
    return true;
}

void CIpServer::Listen() {
    const int32_t port = m_Settings.IpPort;
    const std::string portText = std::to_string(port);
    if (port < 0 || port > 65535) {
        User().ShowMessage(CUserPort::Icon::Error, word::kNoSuchTcpPort, {}, {portText});
        return;
    }
    if (!m_Server.listen(QHostAddress::AnyIPv4, quint16(port)))
        User().ShowMessage(CUserPort::Icon::Error, word::kCannotListen, {},
                           {portText, m_Server.errorString().toStdString()});
}

void CIpServer::CancelDialling() {
    m_Terminal.m_Cancel = 1; // a running modem command ends with code 1
    m_Host.CloseDialling();
    Deactivate();
    m_SocketTimer.stop();
}

void CIpServer::Disconnect() {
    if (m_Host.LinkExists())
        m_Terminal.Tap().Event("close");
    m_Host.LinkDown();
    Deactivate();
    m_SocketTimer.stop();
    m_Host.LinkStateChanged();
}

void CIpServer::Deactivate() {
    std::vector<QTcpSocket*> clients;
    for (const auto& [client, record] : m_Clients)
        clients.push_back(client);
    for (QTcpSocket* client : clients)
        Release(client);
    m_Server.close();
}

int CIpServer::GreetingCount() const {
    int count = 0;
    for (const auto& [client, record] : m_Clients)
        count += record.state != THandshake::State::Linked ? 1 : 0;
    return count;
}

void CIpServer::ClientConnected(QTcpSocket* client) {
    if (!m_Host.DiallingVisible() || m_Host.LinkExists() || GreetingCount() >= kMaxHandshakes) {
        Release(client);
        return;
    }
    QObject::connect(client, &QTcpSocket::readyRead, &m_Server,
                     [this, client] { ClientRead(client); });
    QObject::connect(client, &QTcpSocket::disconnected, &m_Server,
                     [this, client] { ClientDisconnected(client); });
    QObject::connect(
        client, &QTcpSocket::errorOccurred, &m_Server,
        [this, client](QAbstractSocket::SocketError error) { ClientError(client, error); });
    m_Clients[client] = StartHandshake(Now());
    m_Terminal.Tap().Event("connection from " + RemoteAddress(client));
    m_Host.AddDiallingLine(word::kIncomingConnection, {RemoteAddress(client)});
}

void CIpServer::ClientRead(QTcpSocket* client) {
    const auto found = m_Clients.find(client);
    if (found == m_Clients.end()) {
        Release(client);
        return;
    }
    if (found->second.state == THandshake::State::Linked)
        ReadLinked(client);
    else if (m_Host.DiallingVisible())
        ReadGreeting(client);
    // Otherwise the bytes wait: a greeting goes on only while the window shows.
}

void CIpServer::ReadLinked(QTcpSocket* client) {
    // Another connection that got this far while a link exists is left unread.
    if (!m_Host.LinkExists() || m_Host.LinkedConnection() != client)
        return;
    char piece[kPiece];
    for (qint64 n; (n = client->read(piece, kPiece)) > 0;)
        m_Host.LinkReceive(reinterpret_cast<const uint8_t*>(piece), int32_t(n));
}

void CIpServer::ReadGreeting(QTcpSocket* client) {
    char piece[kPiece];
    for (qint64 n; (n = client->read(piece, kPiece)) > 0;) {
        const auto found = m_Clients.find(client);
        if (found == m_Clients.end())
            return;
        m_Terminal.Tap().Received(reinterpret_cast<const uint8_t*>(piece), int32_t(n), 0);
        const THandshakeStep step =
            HandshakeReceive(found->second, Now(), reinterpret_cast<const uint8_t*>(piece),
                             size_t(n), m_Settings.LastIpSerial);
        if (step.end == THandshakeStep::End::Identified)
            client->readAll(); // nothing after the identity belongs to a reply
        Apply(client, step);
        if (step.end != THandshakeStep::End::None)
            return;
    }
}

void CIpServer::Apply(QTcpSocket* client, const THandshakeStep& step) {
    if (!step.send.empty()) {
        m_Terminal.Tap().Sent(TLinkTapEvent::Kind::Raw, step.send.data(), step.send.size(), 0);
        client->write(step.send.data(), qint64(step.send.size()));
    }
    switch (step.end) {
    case THandshakeStep::End::None:
        break;
    case THandshakeStep::End::Failed:
        DropClient(client, word::kConnectionDropped);
        break;
    case THandshakeStep::End::Identified:
        Linked(client);
        break;
    case THandshakeStep::End::WrongIdentity:
        m_Host.AddDiallingLine(word::kWrongGateway,
                               {ShownIdentity(step.identity), RemoteAddress(client)});
        DropClient(client);
        break;
    }
}

void CIpServer::Linked(QTcpSocket* client) {
    m_Terminal.Tap().Event("gateway linked from " + RemoteAddress(client));
    m_Host.LinkUp(client, kTcpLinkTimeOutMs);
    m_Host.CloseDialling();
    m_Host.LinkStateChanged();
    m_SocketTimer.stop();
    std::vector<QTcpSocket*> others;
    for (const auto& [other, record] : m_Clients)
        if (other != client)
            others.push_back(other);
    for (QTcpSocket* other : others)
        Release(other);
    // Last: the message box runs its own loop, and the link may already be in use.
    User().ShowMessage(CUserPort::Icon::Information, word::kGatewayConnected);
}

void CIpServer::ClientDisconnected(QTcpSocket* client) {
    if (m_Clients.count(client) == 0)
        return;
    const bool linked = m_Host.LinkedConnection() == client;
    Release(client);
    if (!linked)
        return;
    m_Terminal.Tap().Event("hang-up");
    m_Host.LinkDown();
    m_SocketTimer.start(); // its next tick takes the idle server down
    m_Host.LinkStateChanged();
}

void CIpServer::ClientError(QTcpSocket* client, QAbstractSocket::SocketError error) {
    // A hang-up by the other side is no error: the disconnect event follows.
    if (error == QAbstractSocket::RemoteHostClosedError || m_Clients.count(client) == 0)
        return;
    const bool linked = m_Host.LinkedConnection() == client;
    const std::string why = client->errorString().toStdString();
    Release(client);
    if (!linked)
        return;
    m_Terminal.Tap().Event("connection lost: " + why);
    m_Host.LinkDown();
    Deactivate();
    m_SocketTimer.stop();
    m_Host.LinkStateChanged();
}

void CIpServer::SocketTimerTick() {
    const uint32_t now = Now();
    std::vector<QTcpSocket*> greeting;
    for (const auto& [client, record] : m_Clients)
        if (record.state != THandshake::State::Linked)
            greeting.push_back(client);
    for (QTcpSocket* client : greeting) {
        const auto found = m_Clients.find(client);
        if (found != m_Clients.end())
            Apply(client, HandshakeTick(found->second, now));
    }
    if (m_Clients.empty() && !m_Host.DiallingVisible()) {
        Deactivate();
        m_SocketTimer.stop();
    }
}

uint32_t CIpServer::Now() const {
    return m_Clock ? m_Clock() : TickCount();
}

void CIpServer::DropClient(QTcpSocket* client, int word) {
    if (word != 0 && m_Host.DiallingVisible())
        m_Host.AddDiallingLine(word, {RemoteAddress(client)});
    Release(client);
}

void CIpServer::Release(QTcpSocket* client) {
    m_Clients.erase(client);
    QObject::disconnect(client, nullptr, &m_Server, nullptr);
    client->abort();
    client->deleteLater();
}

} // namespace kw
