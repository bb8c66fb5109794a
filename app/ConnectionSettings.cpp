#include "ConnectionSettings.h"

#include "GatewayCommands.h"
#include "HayesText.h"
#include "Language.h"
#include "ModemLineDialog.h"
#include "Nastaveni.h"
#include "UserPort.h"
#include "Words.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTcpSocket>

namespace kw {

CConnectionSettings::CConnectionSettings(TSettingsWindow window)
    : m_Window(std::move(window)),
      m_Dialog(new TFNastaveni(m_Window.language, &m_Window.mainWindow)) {
    m_LineDialog = new TFModemLine(m_Window.language, m_Window.user, m_Dialog);
    CModemLines& lines = m_Window.commands.Link().Terminal().Telephony().Lines();
    m_Dialog->configureLine = [this, &lines](const std::string& name) {
        const int index = lines.FindLine(name);
        if (index >= 0)
            EditLine(index);
    };
    m_Dialog->addLine = [this] { EditLine(-1); };
}

void CConnectionSettings::EditLine(int index) {
    CModemLines& lines = m_Window.commands.Link().Terminal().Telephony().Lines();
    const int before = lines.Count();
    m_LineDialog->Open(lines, index, m_Window.ports());
    m_Window.centre(*m_LineDialog);
    if (m_Window.runDialog(*m_LineDialog) != QDialog::Accepted)
        return;
    // A new line is the one to use; a changed one stays chosen under its name.
    const std::string chosen = lines.Count() > before ? lines.LineName(lines.Count() - 1)
                               : index >= 0 && index < lines.Count() ? lines.LineName(index)
                                                                     : std::string();
    m_Dialog->FillLines(lines, chosen);
    if (lines.Count() == 0 && m_Dialog->ConType() == 1)
        m_Dialog->SetConType(0);
}

void CConnectionSettings::Run() {
    TAppSettings& settings = m_Window.settings;
    const CModemLines& lines = m_Window.commands.Link().Terminal().Telephony().Lines();
    m_Dialog->SetConType(settings.ConType);
    m_Dialog->FillLines(lines, settings.ModemId);
    if (lines.Count() == 0 && settings.ConType == 1) {
        // Kept even when the dialog is cancelled: there is no modem to call with.
        settings.ConType = 0;
        m_Dialog->SetConType(0);
        m_Window.stateChanged();
    }
    m_Dialog->NumberEdit().setText(QString::fromStdString(settings.ModemNumber));
    m_Dialog->AddressEdit().setText(QString::fromStdString(settings.IpAddress));
    m_Dialog->ServerPortEdit().setText(QString::number(settings.IpPort));
    const std::vector<TPortInfo> ports = m_Window.ports();
    const std::string inUse = m_Window.language.GetText(word::kPortInUse);
    FillPortList(m_Dialog->CablePortList(), settings.Com, ports, inUse);
    FillPortList(m_Dialog->GsmPortList(), settings.IpCom, ports, inUse);
    m_Dialog->FormActivate();
    m_Window.centre(*m_Dialog);
    for (;;) {
        if (m_Window.runDialog(*m_Dialog) != TFNastaveni::kOkResult)
            return;
        // A carriage return in the number would end the dial command early and
        // let the rest be taken as a command of its own.
        if (!HoldsControlCharacter(m_Dialog->NumberEdit().text().toStdString()))
            break;
        m_Window.user().ShowMessage(CUserPort::Icon::Error, word::kControlCharacters);
    }
    TakeOver();
}

void CConnectionSettings::TakeOver() {
    TAppSettings& settings = m_Window.settings;
    // However the dialog ended, its fields count as left.
    m_Dialog->Edit2Exit();
    m_Dialog->Edit3Exit();
    m_Window.commands.ReleaseGateway(); // still with the old settings
    const int oldType = settings.ConType;
    const int newType = m_Dialog->ConType();
    settings.ConType = static_cast<int8_t>(newType);
    settings.Com = PortOfList(m_Dialog->CablePortList());
    settings.IpCom = PortOfList(m_Dialog->GsmPortList());
    settings.ModemId = m_Dialog->LineName();
    settings.ModemNumber = m_Dialog->NumberEdit().text().toStdString();
    CGatewayLink& link = m_Window.commands.Link();
    if (link.Connected() && newType != oldType) {
        if (oldType == CGatewayLink::ModemCall) {
            m_Window.hangUp();
        } else if (oldType == CGatewayLink::TcpIp) {
            // Forgetting the connection alone would leave it open, and the
            // gateway on it; the server stays up.
            if (QTcpSocket* connection = link.LinkedConnection())
                connection->abort();
            link.SetLinkedConnection(nullptr);
            link.SetConnectionState(false, false);
            m_Window.stateChanged();
        }
    }
    settings.IpAddress = m_Dialog->AddressEdit().text().toStdString();
    settings.IpPort = NormalisedServerPort(m_Dialog->ServerPortEdit().text().toStdString());
    m_Window.refresh();
}

} // namespace kw
