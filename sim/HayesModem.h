// A Hayes-compatible data modem with the simulated gateway at the far end of
// its calls: it takes AT commands (echo, reset, S registers, the
// initialisation a tool sends), dials with ATD, answers with the result the
// options choose (CONNECT, BUSY, NO ANSWER, NO DIALTONE, NO CARRIER) after a
// dialling pause, and once connected passes the data both ways to the gateway.
// "+++" framed by the guard time returns it to commands, ATH hangs up, and so
// does the tool closing the port (the stand-in for dropping DTR).
#pragma once

#include "LinePeer.h"

#include <functional>
#include <map>
#include <string>

namespace kw::sim {

enum class DialResult { Connect, Busy, NoAnswer, NoDialTone, NoCarrier };

struct HayesOptions {
    DialResult result = DialResult::Connect;    // for every number ...
    std::map<std::string, DialResult> byNumber; // ... but these
    int dialMs = 300;                           // from ATD to the result
    bool silent = false;                        // answers nothing at all
};

// "busy" and the like; false for a name it does not know.
bool ParseDialResult(const std::string& name, DialResult& result);
// "NUMBER:RESULT" into the options' table; an empty text or what is wrong.
std::string ParseNumberResult(const std::string& text, HayesOptions& options);

class HayesModem : public LinePeer {
public:
    // `gateway` answers the calls; `log` takes one line of the command log.
    HayesModem(LinePeer& gateway, HayesOptions options,
               std::function<void(const std::string&)> log);

    void Receive(const uint8_t* data, size_t size, std::string& reply) override;
    int QuietTimeoutMs() const override;
    void LineQuiet() override;
    std::string TakeUnprompted() override;
    int TakeReplyDelayMs() override;

    // The tool closed the port: a call in progress ends, the settings return
    // to their defaults.
    void PortClosed();

    bool InCall() const { return m_State == State::Data || m_State == State::OnlineCommand; }

private:
    enum class State { Command, Dialling, Data, OnlineCommand };

    void CommandByte(char c, std::string& reply);
    void CommandLine(const std::string& line, std::string& reply);
    // One command of an AT line at `at`; false when the line is refused.
    bool Command(const std::string& text, size_t& at, std::string& reply, bool& dialled);
    void Dial(const std::string& number);
    void DialEnded();
    void DataByte(uint8_t byte, std::string& reply);
    void ReleaseHeldPluses(std::string& reply);
    void Result(const char* verbose, int numeric, std::string& out) const;
    void Reset();
    int GuardMs() const { return m_S12 * 20; }
    int OwnQuietMs() const;
    void Log(const std::string& line);

    LinePeer& m_Gateway;
    HayesOptions m_Options;
    std::function<void(const std::string&)> m_Log;

    State m_State = State::Command;
    bool m_Echo = true;
    bool m_Verbose = true;
    bool m_Quiet = false;
    int m_S12 = 50; // escape guard time in fiftieths of a second
    std::string m_Line;
    std::string m_Number;
    std::string m_Unprompted;
    bool m_GuardPassed = false; // the line was quiet for the guard time
    int m_Pluses = 0;           // escape characters held back so far
};

} // namespace kw::sim
