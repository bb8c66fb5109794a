#include "GatewayCommands.h"

#include "GatewayProtocol.h"
#include "UserPort.h"
#include "Words.h"

#include <filesystem>
#include <utility>

namespace kw {

namespace {

// What a trace file's name says of the way to the gateway.
std::string TracePort(const TAppSettings& settings) {
    switch (settings.ConType) {
    case CGatewayLink::ModemCall:
        return "modem-" + settings.ModemId;
    case CGatewayLink::TcpIp:
        return "tcp-" + std::to_string(settings.IpPort);
    default:
        return settings.Com;
    }
}

} // namespace

CGatewayCommands::CGatewayCommands(TGatewayCommandHost host) : m_Host(std::move(host)) {
    // A Yes to the attach's firmware question upgrades before the command goes on.
    InstallUnattendedUpgrade(m_Link, [this] { return UpgradeHost(); });
    // A warning box in the middle of an exchange would hold it up: the failure
    // is told when the command has ended.
    m_Trace.SetFailureHandler([this](const std::string& why) { m_TraceFailure = why; });
}

TTraceTarget CGatewayCommands::NextTrace() const {
    if (!m_Host.settings.Trace)
        return {};
    return TraceInDataFolder(m_Host.dataFolder, TracePort(m_Host.settings));
}

std::string CGatewayCommands::TracesFolder() const {
    return (std::filesystem::path(m_Host.dataFolder) / "traces").string();
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
    m_Trace.EndFile(); // what came between commands keeps its own file
    try {
        command();
    } catch (...) {
        // Whatever escaped, later commands and the close must not find the
        // runner busy for ever.
        m_Busy = false;
        m_Trace.EndFile();
        throw;
    }
    m_Busy = false;
    m_Trace.EndFile();
    if (!m_TraceFailure.empty())
        m_Host.user().ShowMessage(CUserPort::Icon::Warning, word::kTraceFailed, {},
                                  {std::exchange(m_TraceFailure, {})});
    m_Host.ended();
    if (std::exchange(m_CloseRequested, false))
        m_Host.close();
}

CBackupStore CGatewayCommands::Backups() const {
    return CBackupStore(m_Host.dataFolder, m_Host.settings.BackupsKept);
}

void CGatewayCommands::Read() {
    Run([this] {
        const CBackupStore backups = Backups();
        ReadFromGateway({FollowSettings(),
                         m_Host.parameters,
                         m_Host.user(),
                         m_Host.hardwareVariant,
                         m_Host.pinChanged,
                         m_Host.passwordChanged,
                         {},
                         m_Host.showConfiguration,
                         &backups});
    });
}

bool CGatewayCommands::ReadInto(CParameters& other) {
    bool read = false;
    Run([&] {
        const CBackupStore backups = Backups();
        std::string variant; // none held: no question about losing changes
        bool pinChanged = false;
        bool passwordChanged = false;
        read = ReadFromGateway({FollowSettings(),
                                other,
                                m_Host.user(),
                                variant,
                                pinChanged,
                                passwordChanged,
                                {},
                                {},
                                &backups})
                   .result == TransferResult::Done;
    });
    return read;
}

void CGatewayCommands::Write() {
    Run([this] {
        const CBackupStore backups = Backups();
        WriteToGateway({FollowSettings(),
                        m_Host.parameters,
                        m_Host.user(),
                        m_Host.hardwareVariant,
                        m_Host.pinChanged,
                        m_Host.passwordChanged,
                        m_Host.storePage,
                        {},
                        &backups});
    });
}

void CGatewayCommands::Upgrade() {
    Run([this] { UpgradeCommand(UpgradeHost()); });
}

void CGatewayCommands::ReleaseGateway() {
    kw::ReleaseGateway(FollowSettings());
}

bool CGatewayCommands::MayClose() {
    if (!m_Busy)
        return true;
    m_CloseRequested = true;
    m_Host.user().CancelProgress();
    return false;
}

void CGatewayCommands::Release() {
    ReleaseGateway();
    m_Link.SetClosing();
}

} // namespace kw
