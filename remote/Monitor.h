// The monitor's polling loop: identifies the gateway's GSM module and keeps
// polling its SMS centre, operator, calls, clock and signal with AT commands
// over the serial terminal at 57600 Bd, writing every value to a display. No
// widgets: the monitor window and the command line drive it the same way.
#pragma once

#include "MonitorDisplay.h"
#include "MonitorEntries.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>

class CCOMTerminal;
class CUserPort;

namespace kw {

class CMonitor {
public:
    struct THost {
        CCOMTerminal& terminal;
        CUserPort& user; // tells why the port did not open
        CMonitorDisplay& display;
        std::string port; // the cable's port (the "Com" setting)
        // Ends a cable exchange that a configuration read left open, before the
        // monitor takes the port.
        std::function<void()> releaseGateway;
        std::function<std::tm()> localTime = LocalTimeNow;
    };

    enum class RunEnd {
        Stopped,    // Stop, or a Cancel on the terminal
        PortFailed, // told the user; the window closes
        Busy,       // another monitor loop runs
    };
    enum class PassEnd {
        Complete, // every query of the pass was answered (or refused)
        Failed,   // the module fell silent or the line failed: identified again next
    };

    explicit CMonitor(THost host);
    CMonitor(const CMonitor&) = delete;
    CMonitor& operator=(const CMonitor&) = delete;

    // The window's activation and its Close: every row back to "not known yet".
    void ResetDisplay();

    // The first timer's tick: takes the port and polls until Stop. Waits run
    // the event loop, so the buttons keep working meanwhile.
    RunEnd Run();
    // Ends the loop at the next check, at once from a wait or a reply wait.
    void Stop();
    bool Stopping() const { return m_Stop; }
    // One loop for the whole program.
    static bool Busy() { return s_Busy; }

    // The SMS centre button: the number to offer in the dialog (the last one
    // read, empty when none or "0"), and the number the dialog returned with
    // O.K. It waits to be written, and the row says so, when it differs from
    // the last one read and is a number at all.
    std::string CentreToOffer() const;
    bool ChangeCentre(const std::string& number);

    // The set-time dialog's result: its clock text (O.K.) or nothing (Cancel).
    void SetPendingClock(const std::string& clockText);
    void ClearPendingClock() { m_PendingClock.clear(); }
    // The synchronise button: the PC clock goes to the module on the next pass.
    void Synchronise();

    const std::string& PendingCentre() const { return m_PendingCentre; }
    const std::string& PendingClock() const { return m_PendingClock; }

    // Told after every polling pass the loop finished, not after one that
    // Stop interrupted.
    std::function<void(PassEnd)> m_PassEnded;

private:
    struct TAnswer {
        bool ok;
        std::string received;
    };

    void Loop();
    void Identify();
    void PollingPass();
    void PollCentre();
    void PollOperator();
    void PollCall();
    void SetModuleClock();
    void PollModuleClock();
    void PollSignal();

    // Sends an AT command; ok when it answered `okReply`, not when it answered
    // ERROR, "+CME ERROR: n" or "+CMS ERROR: n".
    TAnswer Query(const std::string& command, const char* okReply = "OK\r\n");
    // "X, else Y": Y after a pause when X is not answered OK. The information
    // text of the command that was.
    std::optional<std::string> QueryText(const std::string& command,
                                         const std::string& otherwise = {});
    // Runs the event loop for `ms` or until Stop.
    void Wait(int ms);
    // Ends the loop when Stop was called.
    void CheckStop() const;
    void Show(MonitorRow row, const TMonitorValue& value);
    void ShowPcClock();

    THost m_Host;
    bool m_Stop = false;
    bool m_Identify = true;
    bool m_CentreKnown = false;
    std::string m_PendingCentre;
    std::string m_PendingClock; // "s": the PC clock at the time it is sent
    std::string m_LastCentre;

    static bool s_Busy;
};

} // namespace kw
