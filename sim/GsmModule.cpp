#include "GsmModule.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kw::sim {
namespace {

const char* const kOk = "OK";
const char* const kError = "ERROR";
const char* const kNoSimEquipment = "+CME ERROR: 10";
const char* const kNoSimNetwork = "+CMS ERROR: 310";

// What real modules send of their own accord, in turn.
const char* const kUnsolicited[] = {"RING", "+CREG: 1,\"00C3\",\"1A2B\"", "+CMTI: \"SM\",3",
                                    "+CIEV: 2,3"};

std::string Line(const std::string& text) {
    return "\r\n" + text + "\r\n";
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::string Upper(const std::string& text) {
    std::string upper;
    for (char c : text)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The text between the first two double quotes, or the whole text without them.
std::string Unquote(const std::string& text) {
    const size_t open = text.find('"');
    if (open == std::string::npos)
        return text;
    const size_t close = text.find('"', open + 1);
    return text.substr(open + 1, close == std::string::npos ? close : close - open - 1);
}

// Seconds since the epoch of the local wall-clock time, read as if it were UTC.
long long LocalSeconds(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<long long>(timegm(&local));
}

} // namespace

const char* const kGsmGrammar =
    "GSM module options (--gsm OPTION, repeatable):\n"
    "  urc                 unsolicited codes (RING, +CREG:, +CMTI:, +CIEV:) before and\n"
    "                      between the lines of every reply\n"
    "  echo:off            no echo of the command line (ATE1 turns it on)\n"
    "  echo:between        the echo after the reply's first line instead of before it\n"
    "  unregistered        not registered: \"+COPS: 0\", \"+CSQ: 99,99\"\n"
    "  no-sim              no SIM: \"+CME ERROR: 10\" to AT+CIMI, \"+CMS ERROR: 310\" to\n"
    "                      AT+CSCA, \"+COPS: 0\"\n"
    "  call:in[:NUMBER]    a call in progress, received (call:out: set up by the module);\n"
    "                      without :NUMBER its +CLCC line has no number field\n"
    "  error:COMMAND       ERROR to COMMAND (for example error:AT+GMI)\n"
    "  silent              no answer to any AT command\n";

std::string ParseGsmOption(const std::string& option, GsmOptions& options) {
    if (option == "urc")
        options.unsolicited = true;
    else if (option == "echo:off")
        options.echo = GsmOptions::Echo::Off;
    else if (option == "echo:between")
        options.echo = GsmOptions::Echo::Between;
    else if (option == "unregistered")
        options.unregistered = true;
    else if (option == "no-sim")
        options.noSim = true;
    else if (option == "silent")
        options.silent = true;
    else if (option == "call:in" || option == "call:out")
        options.calls.push_back({option == "call:in", false, {}});
    else if (StartsWith(option, "call:in:") || StartsWith(option, "call:out:")) {
        const size_t colon = option.find(':', 5);
        options.calls.push_back({StartsWith(option, "call:in:"), true, option.substr(colon + 1)});
    } else if (StartsWith(option, "error:") && option.size() > 6)
        options.errorTo.push_back(Upper(option.substr(6)));
    else
        return "unknown GSM module option " + option;
    return std::string();
}

GsmModule::GsmModule(Clock clock) : m_Clock(std::move(clock)) {}

void GsmModule::Configure(const GsmOptions& options) {
    m_Options = options;
    m_Echo = options.echo != GsmOptions::Echo::Off;
}

std::string GsmModule::Answer(const std::string& line) {
    if (m_Options.silent)
        return std::string();
    const std::string command = Upper(line);
    const bool echo = m_Echo; // ATE0 is still echoed
    Reply reply = Respond(command, line);
    if (std::find(m_Options.errorTo.begin(), m_Options.errorTo.end(), command) !=
        m_Options.errorTo.end())
        reply = {{}, kError};
    return (echo && m_Options.echo != GsmOptions::Echo::Between ? line + "\r" : std::string()) +
           Assemble(echo ? line : std::string(), reply);
}

std::string GsmModule::NextUnsolicited() {
    const char* code = kUnsolicited[m_Unsolicited++ % std::size(kUnsolicited)];
    return Line(code);
}

// The reply's lines with the unsolicited codes and an echo between them as
// the options ask.
std::string GsmModule::Assemble(const std::string& echoed, const Reply& reply) {
    std::string out;
    if (m_Options.unsolicited)
        out += NextUnsolicited();
    bool echoDue = !echoed.empty() && m_Options.echo == GsmOptions::Echo::Between;
    for (const std::string& line : reply.lines) {
        out += Line(line);
        if (echoDue) {
            out += echoed + "\r";
            echoDue = false;
        }
    }
    if (echoDue)
        out += echoed + "\r";
    if (m_Options.unsolicited && !reply.lines.empty())
        out += NextUnsolicited();
    return out + Line(reply.result);
}

GsmModule::Reply GsmModule::Respond(const std::string& command, const std::string& original) {
    if (command == "AT" || StartsWith(command, "AT+CMEE=") || StartsWith(command, "AT+CMGF=") ||
        StartsWith(command, "AT+CSDH="))
        return {{}, kOk};
    if (command == "ATE0" || command == "ATE1" || command == "ATE") {
        m_Echo = command == "ATE1";
        return {{}, kOk};
    }
    if (command == "AT+GMI" || command == "AT+CGMI")
        return {{"GWSIM Modules"}, kOk};
    if (command == "AT+GMM" || command == "AT+CGMM")
        return {{"GS-2G"}, kOk};
    if (command == "AT+GMR" || command == "AT+CGMR")
        return {{"Revision 1.0.3"}, kOk};
    if (command == "AT+GSN" || command == "AT+CGSN")
        return {{"351234560012345"}, kOk};
    if (command == "AT+CIMI")
        return m_Options.noSim ? Reply{{}, kNoSimEquipment} : Reply{{"230011234567890"}, kOk};
    if (command == "AT+CSCA?") {
        if (m_Options.noSim)
            return {{}, kNoSimNetwork};
        return {{"+CSCA: \"" + m_Centre + "\",145"}, kOk};
    }
    if (StartsWith(command, "AT+CSCA=")) {
        if (m_Options.noSim)
            return {{}, kNoSimNetwork};
        m_Centre = Unquote(original.substr(8));
        return {{}, kOk};
    }
    if (command == "AT+COPS=3,0" || command == "AT+COPS=3,2") {
        m_NumericOperator = command.back() == '2';
        return {{}, kOk};
    }
    if (command == "AT+COPS?") {
        if (m_Options.noSim || m_Options.unregistered)
            return {{"+COPS: 0"}, kOk};
        return {{m_NumericOperator ? "+COPS: 0,2,\"23099\",2" : "+COPS: 0,0,\"GWSIM NET\",2"}, kOk};
    }
    if (command == "AT+CLCC") {
        Reply reply{{}, kOk};
        int index = 1;
        for (const GsmOptions::Call& call : m_Options.calls) {
            std::string line =
                "+CLCC: " + std::to_string(index++) + "," + (call.incoming ? "1" : "0") + ",0,0,0";
            if (call.withNumber)
                line += ",\"" + call.number + "\",129";
            reply.lines.push_back(line);
        }
        return reply;
    }
    if (command == "AT+CCLK?")
        return {{"+CCLK: \"" + ClockText() + "\""}, kOk};
    if (StartsWith(command, "AT+CCLK="))
        return {{}, SetClock(Unquote(original.substr(8))) ? kOk : kError};
    if (command == "AT+CSQ")
        return {{m_Options.unregistered ? "+CSQ: 99,99" : "+CSQ: 23,0"}, kOk};
    return {{}, kError};
}

std::string GsmModule::ClockText() const {
    const auto seconds = static_cast<std::time_t>(LocalSeconds(m_Clock()) + m_ClockOffset);
    std::tm t{};
    gmtime_r(&seconds, &t);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d,%02d:%02d:%02d+04", t.tm_year % 100,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

bool GsmModule::SetClock(const std::string& text) {
    std::tm t{};
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%2d/%2d/%2d,%2d:%2d:%2d%n", &t.tm_year, &t.tm_mon, &t.tm_mday,
                    &t.tm_hour, &t.tm_min, &t.tm_sec, &consumed) != 6)
        return false;
    if (t.tm_year < 0 || t.tm_hour < 0 || t.tm_min < 0 || t.tm_sec < 0 || t.tm_mon < 1 ||
        t.tm_mon > 12 || t.tm_mday < 1 || t.tm_mday > 31 || t.tm_hour > 23 || t.tm_min > 59 ||
        t.tm_sec > 59)
        return false;
    t.tm_year += 100;
    t.tm_mon -= 1;
    m_ClockOffset = static_cast<long long>(timegm(&t)) - LocalSeconds(m_Clock());
    return true;
}

} // namespace kw::sim
