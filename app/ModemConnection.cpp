#include "ModemConnection.h"

#include "COMDialing.h"
#include "COMTermExp.h"
#include "GatewayCommands.h"
#include "GatewayProtocol.h"
#include "LinkError.h"
#include "UserPort.h"
#include "Words.h"

namespace kw {

CModemConnection::CModemConnection(TModemWindow window)
    : m_Window(std::move(window)),
      m_Dialling(new TFCOMDialing(m_Window.language, &m_Window.mainWindow)) {
    m_Dialling->SetPlacer(m_Window.centre);
}

void CModemConnection::Connect() {
    CGatewayLink& link = m_Window.commands.Link();
    if (link.Connected() || link.CallInProgress())
        return;
    m_Window.commands.Run([this, &link] {
        link.SetConType(CGatewayLink::ModemCall);
        CTelephony& telephony = link.Terminal().Telephony();
        m_Window.setDialling(true);
        m_Window.stateChanged();
        telephony.Dial(*m_Dialling, m_Window.settings.ModemId, m_Window.settings.ModemNumber);
        m_Window.setDialling(false);
        m_Window.stateChanged();
        if (!link.Connected())
            return;
        CUserPort& user = m_Window.user();
        user.SetCancelHandler([&link] { link.PressProgressCancel(); });
        user.ShowProgressWord(word::kGreetingProgress, true);
        link.ClearProgressCancel();
        user.SetProgressRange(0, 3);
        user.SetProgressPosition(0);
        try {
            ModemGreeting(link, [&user](int step) { user.SetProgressPosition(step); });
            user.HideProgress();
            m_Window.stateChanged();
            user.ShowMessage(CUserPort::Icon::Information, word::kGatewayConnected);
        } catch (const CCOMTermExp& e) {
            user.HideProgress();
            ShowLinkError(e, user);
            telephony.HangUp(*m_Dialling);
        }
    });
}

void CModemConnection::Disconnect() {
    if (m_Window.commands.Link().Connected())
        HangUp();
}

void CModemConnection::HangUp() {
    m_Window.commands.Link().Terminal().Telephony().HangUp(*m_Dialling);
}

void CModemConnection::Close() {
    m_Window.commands.Link().Terminal().Telephony().Drop();
    if (m_Dialling)
        m_Dialling->hide();
}

} // namespace kw
