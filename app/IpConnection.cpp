#include "IpConnection.h"

#include "FormatText.h"
#include "GatewayLink.h"
#include "IPConnect.h"
#include "IpDialing.h"
#include "Language.h"
#include "Wakeup.h"

namespace kw {

CIpConnection::CIpConnection(TIpWindow window)
    : m_Window(std::move(window)),
      m_ConnectDialog(new TFIPConnect(m_Window.language, &m_Window.mainWindow)),
      m_Dialling(new TFIpDialing(m_Window.language, &m_Window.mainWindow)),
      m_Server(m_Window.link.Terminal(), m_Window.user, *this, m_Window.settings) {
    m_Dialling->SetCancelAction([this] { m_Server.CancelDialling(); });
}

CIpConnection::~CIpConnection() {
    // The server goes first (its members), the dialogs with the main window.
    if (m_Dialling)
        m_Dialling->SetCancelAction({});
}

void CIpConnection::Connect() {
    // Offered only without a link and with an address to be called back on; a
    // wake-up or a wait for the gateway under way is not started again.
    if (LinkExists() || WakeupBusy() || DiallingVisible() || m_Window.settings.IpAddress.empty())
        return;
    TFIPConnect& dialog = *m_ConnectDialog;
    dialog.Activate(m_Window.settings, m_Window.user());
    m_Window.centre(dialog);
    if (m_Window.runDialog(dialog) != TFIPConnect::kResultStart)
        return;
    const TIpSettings& typed = dialog.Values();
    TIpSettings& held = m_Window.settings;
    held.LastIpNum = typed.LastIpNum;
    held.LastIpSerial = typed.LastIpSerial;
    held.LastIpPassw = typed.LastIpPassw;
    held.LastAPN = typed.LastAPN;
    held.LastInetUser = typed.LastInetUser;
    held.LastInetPassw = typed.LastInetPassw;
    m_Server.Connect(); // its outcome shows in the dialling window and the messages
}

void CIpConnection::Disconnect() {
    if (m_Window.link.Connected())
        m_Server.Disconnect();
}

void CIpConnection::Close() {
    if (DiallingVisible())
        m_Server.CancelDialling();
}

void CIpConnection::ShowDialling() {
    m_Window.centre(*m_Dialling);
    m_Dialling->Open();
}

bool CIpConnection::DiallingVisible() const {
    return m_Dialling && m_Dialling->isVisible();
}

void CIpConnection::AddDiallingLine(int word, const std::vector<std::string>& args) {
    m_Dialling->AddLine(QString::fromStdString(FormatText(m_Window.language.GetText(word), args)));
}

void CIpConnection::CloseDialling() {
    if (m_Dialling)
        m_Dialling->CloseByProgram();
}

bool CIpConnection::LinkExists() const {
    return m_Window.link.Connected();
}

QTcpSocket* CIpConnection::LinkedConnection() const {
    return m_Window.link.LinkedConnection();
}

void CIpConnection::LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) {
    CGatewayLink& link = m_Window.link;
    link.SetLinkedConnection(connection);
    link.SetTcpTimeOut(replyTimeOutMs);
    link.SetConnectionState(true, false);
}

void CIpConnection::LinkDown() {
    m_Window.link.SetLinkedConnection(nullptr);
    m_Window.link.SetConnectionState(false, false);
}

void CIpConnection::LinkReceive(const uint8_t* bytes, int32_t n) {
    m_Window.link.LinkReceive(bytes, n);
}

void CIpConnection::LinkStateChanged() {
    m_Window.stateChanged();
}

void CIpConnection::LinkIdle(int32_t ms) {
    m_Window.link.LinkIdle(ms, [this] { return DiallingVisible(); });
}

} // namespace kw
