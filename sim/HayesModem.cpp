#include "HayesModem.h"

#include "CommandLine.h"

#include <cctype>
#include <charconv>

namespace kw::sim {
namespace {

constexpr size_t kLineMax = 256;

struct ResultName {
    const char* option;
    DialResult result;
    const char* verbose;
    int numeric;
    const char* logged;
};

constexpr ResultName kResults[] = {
    {"connect", DialResult::Connect, "CONNECT 57600", 10, "connected to"},
    {"busy", DialResult::Busy, "BUSY", 7, "busy"},
    {"no-answer", DialResult::NoAnswer, "NO ANSWER", 8, "no answer from"},
    {"no-dialtone", DialResult::NoDialTone, "NO DIALTONE", 6, "no dial tone for"},
    {"no-carrier", DialResult::NoCarrier, "NO CARRIER", 3, "no carrier from"},
};

const ResultName& NameOf(DialResult result) {
    for (const ResultName& name : kResults)
        if (name.result == result)
            return name;
    return kResults[0];
}

bool IsDialCharacter(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '*' || c == '#' ||
           c == ',' || c == 'W' || c == 'P' || c == 'T' || c == ' ' || c == '@' || c == '!';
}

// A number after "=" of an S register or a command's digit; -1 when none.
int TakeNumber(const std::string& text, size_t& at) {
    int value = 0;
    bool any = false;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && value < 1000) {
        value = value * 10 + (text[at++] - '0');
        any = true;
    }
    return any ? value : -1;
}

} // namespace

bool ParseDialResult(const std::string& name, DialResult& result) {
    for (const ResultName& entry : kResults) {
        if (name == entry.option) {
            result = entry.result;
            return true;
        }
    }
    return false;
}

std::string ParseNumberResult(const std::string& text, HayesOptions& options) {
    const size_t colon = text.rfind(':');
    DialResult result = DialResult::Connect;
    if (colon == std::string::npos || colon == 0 ||
        !ParseDialResult(text.substr(colon + 1), result))
        return "--hayes-number takes NUMBER:RESULT (connect, busy, no-answer, no-dialtone or "
               "no-carrier)";
    options.byNumber[text.substr(0, colon)] = result;
    return std::string();
}

HayesModem::HayesModem(LinePeer& gateway, HayesOptions options,
                       std::function<void(const std::string&)> log)
    : m_Gateway(gateway), m_Options(std::move(options)), m_Log(std::move(log)) {}

void HayesModem::Log(const std::string& line) {
    if (m_Log)
        m_Log("hayes " + line);
}

void HayesModem::Reset() {
    m_Echo = true;
    m_Verbose = true;
    m_Quiet = false;
    m_S12 = 50;
}

void HayesModem::Result(const char* verbose, int numeric, std::string& out) const {
    if (m_Quiet)
        return;
    if (m_Verbose)
        out += std::string("\r\n") + verbose + "\r\n";
    else
        out += std::to_string(numeric) + "\r";
}

void HayesModem::Receive(const uint8_t* data, size_t size, std::string& reply) {
    if (m_Options.silent)
        return;
    for (size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        switch (m_State) {
        case State::Command:
        case State::OnlineCommand:
            CommandByte(c, reply);
            break;
        case State::Dialling:
            // Any character ends a dial in progress, as on every modem.
            Log("dial aborted");
            m_State = State::Command;
            Result("NO CARRIER", 3, reply);
            break;
        case State::Data:
            DataByte(data[i], reply);
            break;
        }
    }
}

void HayesModem::CommandByte(char c, std::string& reply) {
    const auto line = TakeCommandByte(c, m_Echo, m_Line, kLineMax, reply);
    if (line && line->size() >= 2 && std::toupper(static_cast<unsigned char>((*line)[0])) == 'A' &&
        std::toupper(static_cast<unsigned char>((*line)[1])) == 'T')
        CommandLine(*line, reply);
}

void HayesModem::CommandLine(const std::string& line, std::string& reply) {
    Log(line);
    std::string text;
    for (const char c : line.substr(2))
        text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    size_t at = 0;
    bool dialled = false;
    while (at < text.size() && !dialled) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        if (!Command(text, at, reply, dialled)) {
            Result("ERROR", 4, reply);
            return;
        }
    }
    if (!dialled && m_State != State::Data)
        Result("OK", 0, reply);
}

bool HayesModem::Command(const std::string& text, size_t& at, std::string& reply, bool& dialled) {
    const char command = text[at++];
    switch (command) {
    case 'E':
    case 'V':
    case 'Q': {
        const int value = TakeNumber(text, at);
        if (value > 1)
            return false;
        const bool on = value == 1;
        (command == 'E' ? m_Echo : command == 'V' ? m_Verbose : m_Quiet) = on;
        return true;
    }
    case 'Z':
        TakeNumber(text, at);
        Reset();
        return true;
    case 'X':
    case 'M':
    case 'L':
        TakeNumber(text, at);
        return true;
    case '&': {
        if (at >= text.size())
            return false;
        const char setting = text[at++];
        TakeNumber(text, at);
        if (setting == 'F')
            Reset();
        return setting == 'F' || setting == 'C' || setting == 'D' || setting == 'K' ||
               setting == 'S' || setting == 'W';
    }
    case 'S': {
        const int reg = TakeNumber(text, at);
        if (reg < 0 || at >= text.size())
            return false;
        if (text[at] == '?') {
            ++at;
            reply += "\r\n" + std::to_string(reg == 12 ? m_S12 : 0) + "\r\n";
            return true;
        }
        if (text[at] != '=')
            return false;
        ++at;
        const int value = TakeNumber(text, at);
        if (value < 0 || value > 255)
            return false;
        if (reg == 12)
            m_S12 = value;
        return true;
    }
    case 'I':
        TakeNumber(text, at);
        reply += "\r\nKolbraWin simulated data modem\r\n";
        return true;
    case 'H':
        TakeNumber(text, at);
        if (m_State == State::OnlineCommand) {
            Log("on hook");
            m_State = State::Command;
        }
        return true;
    case 'O':
        TakeNumber(text, at);
        if (m_State != State::OnlineCommand) {
            Result("NO CARRIER", 3, reply);
            dialled = true; // no OK after it
            return true;
        }
        m_State = State::Data;
        m_GuardPassed = false;
        Result("CONNECT 57600", 10, reply);
        dialled = true;
        return true;
    case 'D': {
        if (m_State == State::OnlineCommand)
            return false; // a call is up already
        std::string number;
        while (at < text.size() && IsDialCharacter(text[at])) {
            if (text[at] != 'T' && text[at] != 'P' && text[at] != ' ')
                number += text[at];
            ++at;
        }
        if (at < text.size() || number.empty())
            return false;
        Dial(number);
        dialled = true;
        return true;
    }
    default:
        return false;
    }
}

void HayesModem::Dial(const std::string& number) {
    m_Number = number;
    m_State = State::Dialling;
    Log("dialling " + number);
}

void HayesModem::DialEnded() {
    const auto found = m_Options.byNumber.find(m_Number);
    const DialResult result = found != m_Options.byNumber.end() ? found->second : m_Options.result;
    const ResultName& name = NameOf(result);
    Log(std::string(name.logged) + " " + m_Number);
    Result(name.verbose, name.numeric, m_Unprompted);
    if (result != DialResult::Connect) {
        m_State = State::Command;
        return;
    }
    m_State = State::Data;
    m_GuardPassed = false;
    m_Pluses = 0;
}

void HayesModem::DataByte(uint8_t byte, std::string& reply) {
    const bool guardBefore = m_GuardPassed;
    m_GuardPassed = false;
    if (byte == '+' && m_Pluses < 3 && (m_Pluses > 0 || guardBefore)) {
        ++m_Pluses; // held back: it may be the escape
        return;
    }
    ReleaseHeldPluses(reply);
    m_Gateway.Receive(&byte, 1, reply);
}

void HayesModem::ReleaseHeldPluses(std::string& reply) {
    const std::string pluses(size_t(m_Pluses), '+');
    m_Pluses = 0;
    if (!pluses.empty())
        m_Gateway.Receive(reinterpret_cast<const uint8_t*>(pluses.data()), pluses.size(), reply);
}

int HayesModem::OwnQuietMs() const {
    switch (m_State) {
    case State::Dialling:
        return m_Options.dialMs;
    case State::Data:
        // The guard after "+++", or the guard before one may come.
        return m_Pluses == 3 || !m_GuardPassed ? GuardMs() : -1;
    case State::Command:
    case State::OnlineCommand:
        return -1;
    }
    return -1;
}

int HayesModem::QuietTimeoutMs() const {
    const int own = OwnQuietMs();
    const int gateway = m_State == State::Data ? m_Gateway.QuietTimeoutMs() : -1;
    if (own < 0)
        return gateway;
    return gateway < 0 ? own : std::min(own, gateway);
}

void HayesModem::LineQuiet() {
    const int own = OwnQuietMs();
    const int gateway = m_State == State::Data ? m_Gateway.QuietTimeoutMs() : -1;
    if (gateway >= 0 && (own < 0 || gateway <= own))
        m_Gateway.LineQuiet();
    if (own < 0 || (gateway >= 0 && own > gateway))
        return;
    if (m_State == State::Dialling) {
        DialEnded();
    } else if (m_Pluses == 3) {
        m_Pluses = 0;
        m_State = State::OnlineCommand;
        Log("escape");
        Result("OK", 0, m_Unprompted);
    } else {
        m_GuardPassed = true;
    }
}

std::string HayesModem::TakeUnprompted() {
    std::string bytes;
    bytes.swap(m_Unprompted);
    return bytes;
}

int HayesModem::TakeReplyDelayMs() {
    return m_State == State::Data ? m_Gateway.TakeReplyDelayMs() : 0;
}

void HayesModem::PortClosed() {
    if (m_State != State::Command)
        Log("hung up: the port closed");
    m_State = State::Command;
    m_Line.clear();
    m_Unprompted.clear();
    m_Pluses = 0;
    m_GuardPassed = false;
    Reset();
}

} // namespace kw::sim
