// The serial terminal: the program's one serial port with its receive buffer,
// reply time-out, terminator and cancel latch, and the blocking send-and-wait
// operations every serial exchange goes through. It also carries the modem
// data call (its telephony layer), whose port is this one once connected.
#pragma once

#include "Comm.h"
#include "LinkTap.h"
#include "ReceiveBuffer.h"
#include "Telephony.h"
#include "TerminalLine.h"

#include <QTimer>

#include <cstdint>
#include <string>
#include <vector>

class CCOMTerminal {
public:
    CCOMTerminal();
    ~CCOMTerminal();
    CCOMTerminal(const CCOMTerminal&) = delete;
    CCOMTerminal& operator=(const CCOMTerminal&) = delete;

    // Opens the port at 9600, 19200 or 57600 baud; raises code 5 when it cannot.
    // Re-opening the port just closed is tried up to 21 times, giving the
    // system time to release it.
    bool OpenPort(const std::string& name, int32_t rate);
    // Closes the port; a modem call it carries (or is being set up) is
    // dropped, and the data-call flag is clear afterwards.
    void ClosePort();
    // The port adopts the descriptor of a connected modem call; `received` is
    // what came after the modem's CONNECT. False when it cannot (the
    // descriptor is closed then).
    bool AdoptCall(int descriptor, const std::string& received);

    // Sends `text` (plus the terminator) and waits until `count` bytes came.
    bool SendWait(const std::string& text, int32_t count);
    // Sends `text` and returns the number (1 to 10) of the first reply found in
    // the received text; without replies waits for a zero-terminated reply.
    int SendExpect(const std::string& text, const std::vector<std::string>& replies = {});
    // Sends `text` and waits until `reply` occurred `times` times.
    bool SendExpectRepeat(const std::string& text, const std::string& reply, int times);
    // The text of the current reply between prefix and suffix; raises code 3.
    std::string ExtractBetween(const std::string& prefix, const std::string& suffix);

    TComm& Comm() { return m_Comm; }
    // Raw bytes to the port, as its Write (no terminator, the count untouched).
    int Write(const void* bytes, int n);
    // Hears everything this terminal sends and receives and its events, and
    // those of the modem call and TCP/IP link that share it.
    kw::CLinkTap& Tap() { return m_Tap; }
    // Talk through `line` instead of the serial port (fuzz targets and tests);
    // nullptr returns to the port. Only while the port is closed.
    void UseLine(CTerminalLine* line) { m_Line = line; }
    kw::CTelephony& Telephony() { return m_Telephony; }
    kw::CReceiveBuffer& Buffer() { return m_Buffer; }
    // What the last failed OpenPort was told by the port, for diagnostics.
    const std::string& LastOpenError() const { return m_LastOpenError; }

    uint8_t m_Cancel = 0;
    int32_t m_TimeOut = 1000;
    uint8_t m_Terminator = 13;
    int32_t m_LastRate = 0;

private:
    void SendPhase(const std::string& text);
    int Wait(const std::function<int()>& complete, bool traceTimeout);
    int PutBytes(const void* bytes, int n);
    void Append(const uint8_t* bytes, int32_t n);
    void ReceiveChars(int count);
    bool OpenLine(const std::string& path);

    TComm m_Comm;
    QTimer m_IdleTimer;
    kw::CReceiveBuffer m_Buffer;
    std::string m_LastOpenError;
    CTerminalLine* m_Line = nullptr;
    kw::CLinkTap m_Tap;
    kw::CTelephony m_Telephony{*this};
};
