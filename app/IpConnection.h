// The main window's TCP/IP link: Connect (the IP connect dialog, then the
// call-back server and the wake-up SMS), Disconnect, the dialling window, and
// the host the server talks through, over the window's link and settings.
#pragma once

#include "IPConnect.h"
#include "IpDialing.h"
#include "IpLinkHost.h"
#include "IpServer.h"

#include <QPointer>

#include <functional>

class CLanguage;
class CUserPort;
class QDialog;
class QWidget;

namespace kw {

class CGatewayLink;

// What the TCP/IP link uses of the main window.
struct TIpWindow {
    QWidget& mainWindow;
    const CLanguage& language;
    CGatewayLink& link;
    TIpSettings& settings; // the window's, read at Connect and kept up to date
    std::function<CUserPort&()> user;
    std::function<void(QWidget&)> centre;   // places a dialog over the main window
    std::function<int(QDialog&)> runDialog; // runs a modal dialog
    std::function<void()> stateChanged;     // the enable rules
};

class CIpConnection : public CIpLinkHost {
public:
    explicit CIpConnection(TIpWindow window);
    ~CIpConnection() override;
    CIpConnection(const CIpConnection&) = delete;
    CIpConnection& operator=(const CIpConnection&) = delete;

    // The Connect command of a TCP/IP link: the IP connect dialog; after Start
    // its fields are the window's values, the server listens and the wake-up
    // SMS goes out. The gateway's call arrives later, through the server.
    // Nothing while linked, while a connect is under way or without a
    // call-back address.
    void Connect();
    // The Disconnect command while linked: the link cleared, the server down.
    void Disconnect();
    // The main window closes: a wake-up or a wait for the gateway ends as by Cancel.
    void Close();

    CIpServer& Server() { return m_Server; }
    TFIPConnect& ConnectDialog() { return *m_ConnectDialog; }
    TFIpDialing& DiallingWindow() { return *m_Dialling; }

    // --- CIpLinkHost ---
    void ShowDialling() override;
    bool DiallingVisible() const override;
    void AddDiallingLine(int word, const std::vector<std::string>& args) override;
    void CloseDialling() override;
    bool LinkExists() const override;
    QTcpSocket* LinkedConnection() const override;
    void LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) override;
    void LinkDown() override;
    void LinkReceive(const uint8_t* bytes, int32_t n) override;
    void LinkStateChanged() override;
    void LinkIdle(int32_t ms) override;

private:
    TIpWindow m_Window;
    QPointer<TFIPConnect> m_ConnectDialog; // children of the main window
    QPointer<TFIpDialing> m_Dialling;
    CIpServer m_Server;
};

} // namespace kw
