#include "GatewayCommands.h"

#include "GatewayProtocol.h"
#include "UserPort.h"

#include <utility>

namespace kw {

CGatewayCommands::CGatewayCommands(TGatewayCommandHost host) : m_Host(std::move(host)) {
    // A Yes to the attach's firmware question upgrades before the command goes on.
    InstallUnattendedUpgrade(m_Link, [this] { return UpgradeHost(); });
}

CGatewayLink& CGatewayCommands::FollowSettings() {
    m_Link.SetComPort(m_Host.settings.Com);
    m_Link.SetConType(m_Host.settings.ConType);
    return m_Link;
}

TUpgradeHost CGatewayCommands::UpgradeHost() {
    TUpgradeHost host{FollowSettings(), m_Host.user(), m_Host.programFolder, m_Firmware};
    host.dataFolder = m_Host.dataFolder;
    return host;
}

void CGatewayCommands::Run(const std::function<void()>& command) {
    if (m_Busy)
        return;
    m_Busy = true;
    try {
        command();
    } catch (...) {
        // Whatever escaped, later commands and the close must not find the
        // runner busy for ever.
        m_Busy = false;
        throw;
    }
    m_Busy = false;
    m_Host.ended();
    if (std::exchange(m_CloseRequested, false))
        m_Host.close();
}

void CGatewayCommands::Read() {
    Run([this] {
        ReadFromGateway({FollowSettings(),
                         m_Host.parameters,
                         m_Host.user(),
                         m_Host.hardwareVariant,
                         m_Host.pinChanged,
                         m_Host.passwordChanged,
                         {},
                         m_Host.showConfiguration});
    });
}

void CGatewayCommands::Write() {
    Run([this] {
        WriteToGateway({FollowSettings(),
                        m_Host.parameters,
                        m_Host.user(),
                        m_Host.hardwareVariant,
                        m_Host.pinChanged,
                        m_Host.passwordChanged,
                        m_Host.storePage,
                        {}});
    });
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

void CGatewayCommands::EndExchange() {
    ReleaseGateway(FollowSettings());
}

void CGatewayCommands::Release() {
    ReleaseGateway(FollowSettings());
    m_Link.SetClosing();
}

} // namespace kw
