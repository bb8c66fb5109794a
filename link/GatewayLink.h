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

// One thing that went over the link, for a support trace and for tests: a
// command text (empty when only a reply is awaited) or raw bytes, with the
// reply time-out in effect.
struct TLinkTapEvent {
    enum class Kind { Command, Raw } kind;
    std::string bytes;
    int32_t timeOut;
};

class CGatewayLink {
public:
    enum ConnectionType : int8_t { SerialCable = 0, ModemCall = 1, TcpIp = 2 };

    explicit CGatewayLink(CCOMTerminal& terminal) : m_Terminal(terminal) {}
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
    void LinkReceive(const uint8_t* bytes, int32_t n) { m_LinkBuffer.Append(bytes, n); }
    CReceiveBuffer& LinkBuffer() { return m_LinkBuffer; }

    // Both reply time-outs (terminal and TCP) and both terminators at once, as
    // the gateway commands set them.
    void SetReplyTimeOuts(int32_t ms);
    void SetTerminators(int32_t terminator);

    // The progress window's Cancel: the terminal's latch and the progress latch.
    void PressProgressCancel();
    // The exit command: the terminal's latch and the link latch.
    void PressExit();

    // Connection state (main window).
    int8_t m_ConType = SerialCable;
    bool m_Connected = false; // a modem data call or a TCP link is up
    bool m_CallInProgress = false;
    bool m_ExchangeOpen = false;    // a cable exchange waits for its "A"
    char m_HardwareLetter = 0;      // of the gateway last attached
    bool m_Closing = false;         // the main window has closed
    std::string m_ComPort = "Com1"; // the cable's port (setting "Com")
    QPointer<QTcpSocket> m_LinkedConnection;
    uint8_t m_LinkCancel = 0;
    uint8_t m_ProgressCancel = 0; // cleared when a progress window opens
    int32_t m_TcpTerminator = 0;
    int32_t m_TcpTimeOut = 20000;

    // Runs the firmware upgrade in its unattended form when AttachGateway finds
    // firmware that fails its check and the user agrees (word 174); its result
    // is the attach's result. The firmware upgrade installs it; while it is
    // empty no upgrade is available and the attach fails.
    std::function<bool()> m_UnattendedUpgrade;
    // Told when AttachGateway starts (true) and ends (false), so the command
    // line can give up on a silent gateway after a while.
    std::function<void(bool running)> m_AttachObserver;
    // Sees every command and raw write; empty when nobody listens.
    std::function<void(const TLinkTapEvent&)> m_Tap;

private:
    bool OnTcp() const { return m_ConType == TcpIp; }
    bool LinkedConnectionUp() const;
    void Tap(TLinkTapEvent::Kind kind, const void* bytes, size_t n, int32_t timeOut);
    void TcpSendPhase(const std::string& text);
    int TcpWait(const std::function<int()>& complete, bool traceTimeout);

    CCOMTerminal& m_Terminal;
    CReceiveBuffer m_LinkBuffer;
};

} // namespace kw
