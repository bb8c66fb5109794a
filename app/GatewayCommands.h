// Runs the main window's commands that talk to the gateway (Read, Write,
// Upgrade) without a widget of its own: it owns the terminal and the link,
// builds the transfer and upgrade hosts from the window's state, lets one
// command run at a time, closes the window after a command when a close came
// meanwhile, and ends an open cable exchange when the window goes.
#pragma once

#include "AppSettings.h"
#include "COMTerminal.h"
#include "ConfigTransfer.h"
#include "FirmwareUpgrade.h"
#include "GatewayLink.h"

#include <functional>
#include <string>
#include <vector>

class CParameters;
class CUserPort;

namespace kw {

// What the commands use of the window they serve.
struct TGatewayCommandHost {
    CParameters& parameters;
    std::string& hardwareVariant; // empty: no configuration held
    bool& pinChanged;
    bool& passwordChanged;
    const TAppSettings& settings; // the cable's port and the connection type
    const std::string& programFolder;
    std::function<CUserPort&()> user;
    std::function<void()> storePage;         // before a write
    std::function<void()> showConfiguration; // after a read
    std::function<void()> ended;             // each command's end
    std::function<void()> close;             // a close that waited for the command
};

class CGatewayCommands {
public:
    explicit CGatewayCommands(TGatewayCommandHost host);
    CGatewayCommands(const CGatewayCommands&) = delete;
    CGatewayCommands& operator=(const CGatewayCommands&) = delete;

    CGatewayLink& Link() { return m_Link; }
    CCOMTerminal& Terminal() { return m_Terminal; }

    void Read();
    void Write();
    void Upgrade();
    // Runs `command` unless another one is running. The waits of a command
    // handle window events, so a second click could start another exchange in
    // the middle of this one: it is ignored instead.
    void Run(const std::function<void()>& command);
    bool Busy() const { return m_Busy; }

    // The window is asked to close: true when it may go now. While a command
    // runs, closing counts as Cancel where Cancel is offered (a firmware
    // transfer, which hides it, runs to its end) and the close follows the
    // command's end.
    bool MayClose();
    // The window goes: a cable exchange left open after a read is ended (the
    // gateway would wait for it) and the link's idle waits stop.
    void Release();

    TTransferHost TransferHost();
    TUpgradeHost UpgradeHost();

private:
    // The link follows the settings: the cable's port and the connection type.
    void FollowSettings();

    TGatewayCommandHost m_Host;
    CCOMTerminal m_Terminal;
    CGatewayLink m_Link{m_Terminal};
    std::vector<uint8_t> m_Firmware; // the whole firmware file of an upgrade
    bool m_Busy = false;
    bool m_CloseRequested = false;
};

} // namespace kw
