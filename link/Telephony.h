// The telephony layer of the serial terminal: data calls over Hayes-compatible
// modems on serial ports. It lists the data-modem lines, dials a number with
// the line's initialisation, maps the modem's result codes onto the call
// states, hands the connected call's descriptor to the terminal's port and
// hangs up. Two flags tell whether a data call exists and whether a call is
// active; every change of either reaches the state callback.
#pragma once

#include "Comm.h"
#include "HayesText.h"
#include "ModemLines.h"

#include <cstdint>
#include <functional>
#include <string>

class CCOMTerminal;

namespace kw {

class CDiallingWindow;

class CTelephony {
public:
    // How the last call ended, for whoever reports it in words of its own.
    enum class TCallEnd : uint8_t {
        None,
        Connected,
        LineNotFound,
        TextRefused, // a control character in the number or the initialisation
        CannotOpen,  // the modem's device did not open (OpenError says why)
        NotAnswering,
        InitRefused,
        Busy,
        NoAnswer,
        NoDialTone,
        NoCarrier,
        LineClosed, // the device went away
        Cancelled,  // the dialling window was closed first
    };

    explicit CTelephony(CCOMTerminal& terminal);
    CTelephony(const CTelephony&) = delete;
    CTelephony& operator=(const CTelephony&) = delete;

    CModemLines& Lines() { return m_Lines; }
    const CModemLines& Lines() const { return m_Lines; }
    std::string LineName(int index) const { return m_Lines.LineName(index); }
    int FindLine(const std::string& name) const { return m_Lines.FindLine(name); }

    // Told (data call, call active) whenever either flag changes value.
    void SetStateCallback(std::function<void(bool dataCall, bool callActive)> callback) {
        m_StateCallback = std::move(callback);
    }
    bool DataCall() const { return m_DataCall; }
    bool CallActive() const { return m_CallActive; }

    // Places a call to `number` on the line named `lineName` and returns when
    // it is connected (the terminal's port then carries it), has failed or the
    // user closed the window. A failure's lines stay until the user closes it.
    void Dial(CDiallingWindow& window, const std::string& lineName, const std::string& number);
    // Tears the call down in the window's sight; with no call only closes the
    // port.
    void HangUp(CDiallingWindow& window);
    // Tears an active call down without a window and closes the terminal's
    // port: the port closing, a failure, the program ending.
    void Drop();
    // The terminal's port reports that its device went away.
    void LineGone();

    TCallEnd LastEnd() const { return m_End; }
    // Why the modem's device did not open (TCallEnd::CannotOpen).
    const std::string& OpenError() const { return m_OpenError; }

private:
    void SetFlags(bool dataCall, bool callActive);
    bool OpenLine(const TModemLine& line);
    void CloseLine();
    bool WriteCommand(const std::string& text);
    // Sends a command line and waits up to `ms` for its final result; None
    // when the modem stays silent, the line closes or the window is closed.
    THayesResult Command(const std::string& text, int32_t ms);
    bool Initialise(CDiallingWindow& window);
    void Received(int count);
    void ResultLine(const std::string& line);
    void CallProgress(THayesResult result);
    void Idle(TCallEnd end);
    bool HandOver();
    void AbortDialling();
    // The hang-up on the terminal's port: DTR dropped, or where the device has
    // no modem-control lines the escape sequence and "ATH"; then it closes.
    void HangUpConnected();
    bool AwaitTerminalReply(const std::string& reply, int32_t ms);
    void Fail(CDiallingWindow& window, TCallEnd end);

    CCOMTerminal& m_Terminal;
    CModemLines m_Lines;
    std::function<void(bool, bool)> m_StateCallback;
    bool m_DataCall = false;
    bool m_CallActive = false;

    TCustomComm m_Modem; // the modem while it takes commands, before the hand-over
    CHayesLineReader m_Reader;
    std::string m_AfterConnect; // bytes read in one go with the CONNECT line
    THayesResult m_Result = THayesResult::None;
    bool m_Dialling = false;
    TModemLine m_Line;
    std::string m_Number;
    CDiallingWindow* m_Window = nullptr; // while Dial or HangUp shows it
    TCallEnd m_End = TCallEnd::None;
    std::string m_OpenError;
};

} // namespace kw
