// The main window's commands that talk to the gateway (Read, Write, Upgrade),
// without a widget: the terminal and link they share, one command at a time,
// a close that waits for the command running, the exchange ended when the
// window goes, and the link traces.
#pragma once

#include "AppSettings.h"
#include "BackupStore.h"
#include "COMTerminal.h"
#include "ConfigTransfer.h"
#include "FirmwareUpgrade.h"
#include "GatewayLink.h"
#include "LinkTrace.h"

#include <functional>

namespace kw {

// What the commands use of the window they serve.
struct TGatewayCommandHost {
    CParameters& parameters;
    std::string& hardwareVariant; // empty: no configuration held
    bool& pinChanged;
    bool& passwordChanged;
    const TAppSettings& settings; // the cable's port and the connection type
    const std::string& programFolder;
    const std::string& dataFolder; // searched for firmware when the program folder has none
    std::function<CUserPort&()> user;
    std::function<void()> storePage;         // before a write
    std::function<void()> showConfiguration; // after a read
    std::function<void()> ended;             // after every command
    std::function<void()> close;             // a close that waited for the command
};

class CGatewayCommands {
public:
    explicit CGatewayCommands(TGatewayCommandHost host);

    CGatewayLink& Link() { return m_Link; }

    void Read();
    void Write();
    // Reads the gateway's configuration into `other`, leaving the editor's
    // alone (a compare against the gateway); true when it was read.
    bool ReadInto(CParameters& other);
    // The backups of the data folder, keeping as many as the settings say.
    CBackupStore Backups() const;
    void Upgrade();
    // Ends a cable exchange a read left open, with the settings as they are
    // now: the monitor does so before it takes the port at its own speed, the
    // settings command before it changes them.
    void ReleaseGateway();
    // Runs `command` unless another one runs: their waits handle window
    // events, so a second click would start an exchange inside this one.
    void Run(const std::function<void()>& command);
    bool Busy() const { return m_Busy; }

    // True when the window may close now. While a command runs, closing counts
    // as Cancel where Cancel is offered (a firmware transfer, which hides it,
    // runs to its end) and the window closes after the command.
    bool MayClose();
    // The window goes: a cable exchange left open by a read is ended (the
    // gateway would wait for it) and the link's idle waits stop.
    void Release();
    // <data folder>/traces/, where "Record traces" puts its files.
    std::string TracesFolder() const;

private:
    // The link follows the settings: the cable's port and the connection type.
    CGatewayLink& FollowSettings();
    TUpgradeHost UpgradeHost();

    TTraceTarget NextTrace() const;

    TGatewayCommandHost m_Host;
    CCOMTerminal m_Terminal;
    CGatewayLink m_Link{m_Terminal};
    // With "Record traces" on, each command's exchange leaves a trace file;
    // what happens between commands (a call back, a hang-up) starts one too.
    CLinkTrace m_Trace{m_Terminal.Tap(), [this] { return NextTrace(); }};
    std::string m_TraceFailure;      // told once the command has ended
    std::vector<uint8_t> m_Firmware; // the whole firmware file of an upgrade
    bool m_Busy = false;
    bool m_CloseRequested = false;
};

} // namespace kw
