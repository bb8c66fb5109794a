#include "GatewayCommands.h"

#include "GatewayProtocol.h"
#include "UserPort.h"

namespace kw {

CGatewayCommands::CGatewayCommands(TGatewayCommandHost host) : m_Host(std::move(host)) {
    // A Yes to the attach's firmware question upgrades before the command goes on.
    InstallUnattendedUpgrade(m_Link, [this] { return UpgradeHost(); });
}

void CGatewayCommands::FollowSettings() {
    m_Link.SetComPort(m_Host.settings.Com);
    m_Link.SetConType(m_Host.settings.ConType);
}

TTransferHost CGatewayCommands::TransferHost() {
    FollowSettings();
    return TTransferHost{m_Link,
                         m_Host.parameters,
                         m_Host.user(),
                         m_Host.hardwareVariant,
                         m_Host.pinChanged,
                         m_Host.passwordChanged,
                         m_Host.storePage,
                         m_Host.showConfiguration};
}

TUpgradeHost CGatewayCommands::UpgradeHost() {
    FollowSettings();
    return TUpgradeHost{m_Link, m_Host.user(), m_Host.programFolder, m_Firmware};
}

void CGatewayCommands::Run(const std::function<void()>& command) {
    if (m_Busy)
        return;
    m_Busy = true;
    try {
        command();
    } catch (...) {
        // Whatever escaped, the next command and the close must not find the
        // runner busy for ever.
        m_Busy = false;
        throw;
    }
    m_Busy = false;
    if (m_Host.ended)
        m_Host.ended();
    if (m_CloseRequested && m_Host.close)
        m_Host.close();
}

void CGatewayCommands::Read() {
    Run([this] { ReadFromGateway(TransferHost()); });
}

void CGatewayCommands::Write() {
    Run([this] { WriteToGateway(TransferHost()); });
}

void CGatewayCommands::Upgrade() {
    Run([this] { UpgradeCommand(UpgradeHost()); });
}

bool CGatewayCommands::MayClose() {
    if (!m_Busy)
        return true;
    m_CloseRequested = true;
    m_Host.user().CancelProgress();
    return false;
}

void CGatewayCommands::Release() {
    FollowSettings();
    ReleaseGateway(m_Link);
    m_Link.SetClosing();
}

} // namespace kw
