// The link state the main window owns and the link facade: the send-and-wait
// operations routed by connection type, the serial cable and modem call through
// the terminal, TCP/IP through the linked connection. Gateway commands,
// configuration transfer and firmware upgrade talk to the gateway only here.
#pragma once

#include "COMTerminal.h"
#include "ReceiveBuffer.h"

#include <QPointer>
#include <QTcpSocket>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kw {

class CGatewayLink {
public:
    enum ConnectionType : int8_t { SerialCable = 0, ModemCall = 1, TcpIp = 2 };

    // The terminal's modem calls report their state here (SetConnectionState).
    explicit CGatewayLink(CCOMTerminal& terminal);
    // The terminal may outlive the link (it hangs up when it closes): it must
    // no longer tell the link of its calls.
    ~CGatewayLink();
    CGatewayLink(const CGatewayLink&) = delete;
    CGatewayLink& operator=(const CGatewayLink&) = delete;

    CCOMTerminal& Terminal() { return m_Terminal; }

    bool LinkSendWait(const std::string& text, int32_t count);
    int LinkSendExpect(const std::string& text, const std::vector<std::string>& replies = {});
    // Raw bytes: no terminator, the received count untouched.
    void LinkWrite(const void* bytes, int32_t n);
    void LinkClear();
    void LinkCopy(void* destination, int32_t n);
    // Handles messages until `ms` have passed, `stillWanted` says no more, or
    // the main window is closing.
    void LinkIdle(int32_t ms, const std::function<bool()>& stillWanted = {});

    // The TCP read handler hands the linked connection's bytes in here.
    void LinkReceive(const uint8_t* bytes, int32_t n);
    CReceiveBuffer& LinkBuffer() { return m_LinkBuffer; }

    // Both reply time-outs (terminal and TCP) and both terminators at once, as
    // the gateway commands set them.
    void SetReplyTimeOuts(int32_t ms);
    void SetTerminators(int32_t terminator);

    // The progress window's Cancel: the terminal's latch and the progress latch.
    void PressProgressCancel();
    // A progress window opened: its Cancel has not been pressed yet.
    void ClearProgressCancel() { m_ProgressCancel = 0; }
    // The exit command: the terminal's latch and the link latch.
    void PressExit();

    // --- Connection state ---
    int8_t ConType() const { return m_ConType; }
    void SetConType(int8_t type) { m_ConType = type; }
    // A modem data call or a TCP link is up.
    bool Connected() const { return m_Connected; }
    bool CallInProgress() const { return m_CallInProgress; }
    // Stores both and tells the state observer, changed or not: the window
    // runs its enable rules from it. The dial-up and the TCP server report here.
    void SetConnectionState(bool connected, bool callInProgress);
    void SetStateObserver(std::function<void()> observer) { m_StateObserver = std::move(observer); }
    // A cable exchange waits for its "A".
    bool ExchangeOpen() const { return m_ExchangeOpen; }
    void SetExchangeOpen(bool open) { m_ExchangeOpen = open; }
    // Of the gateway last attached; 0 before.
    char HardwareLetter() const { return m_HardwareLetter; }
    void SetHardwareLetter(char letter) { m_HardwareLetter = letter; }
    // The main window has closed: idle waits end.
    bool Closing() const { return m_Closing; }
    void SetClosing() { m_Closing = true; }
    // The cable's port (setting "Com").
    const std::string& ComPort() const { return m_ComPort; }
    void SetComPort(const std::string& port) { m_ComPort = port; }
    // The TCP connection the gateway called in on; null when none.
    void SetLinkedConnection(QTcpSocket* connection) { m_LinkedConnection = connection; }
    QTcpSocket* LinkedConnection() const { return m_LinkedConnection.data(); }
    // The reply time-out of the linked connection alone (GPRS needs a long one).
    int32_t TcpTimeOut() const { return m_TcpTimeOut; }
    void SetTcpTimeOut(int32_t ms) { m_TcpTimeOut = ms; }

    // --- Hooks ---
    // Runs the firmware upgrade in its unattended form when AttachGateway finds
    // firmware that fails its check and the user agrees to upgrade; its result
    // is the attach's result. The firmware upgrade installs it; while it is
    // empty no upgrade is available and the attach fails.
    void SetUnattendedUpgrade(std::function<bool()> upgrade) {
        m_UnattendedUpgrade = std::move(upgrade);
    }
    bool RunUnattendedUpgrade() { return m_UnattendedUpgrade ? m_UnattendedUpgrade() : false; }
    // Told when AttachGateway starts (true) and ends (false), so the command
    // line can give up on a silent gateway after a while.
    void SetAttachObserver(std::function<void(bool running)> observer) {
        m_AttachObserver = std::move(observer);
    }
    void AttachRunning(bool running) {
        if (m_AttachObserver)
            m_AttachObserver(running);
    }
    // Hears every path to the gateway: the terminal's, whose cable and modem
    // call the link uses, and the TCP/IP link's.
    CLinkTap& Tap() { return m_Terminal.Tap(); }

private:
    bool OnTcp() const { return m_ConType == TcpIp; }
    bool LinkedConnectionUp() const;
    // Tells the tap how the TCP exchange failed and raises `code`.
    [[noreturn]] void TcpFailure(int8_t code);
    void TcpSendPhase(const std::string& text);
    int TcpWait(const std::function<int()>& complete, bool traceTimeout);

    CCOMTerminal& m_Terminal;
    CReceiveBuffer m_LinkBuffer;
    int8_t m_ConType = SerialCable;
    bool m_Connected = false;
    bool m_CallInProgress = false;
    bool m_ExchangeOpen = false;
    char m_HardwareLetter = 0;
    bool m_Closing = false;
    std::string m_ComPort = "Com1";
    QPointer<QTcpSocket> m_LinkedConnection;
    uint8_t m_LinkCancel = 0;
    uint8_t m_ProgressCancel = 0; // cleared when a progress window opens
    int32_t m_TcpTerminator = 0;
    int32_t m_TcpTimeOut = 20000;
    std::function<void()> m_StateObserver;
    std::function<bool()> m_UnattendedUpgrade;
    std::function<void(bool running)> m_AttachObserver;
};

} // namespace kw
