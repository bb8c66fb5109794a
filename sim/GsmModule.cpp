#include "GsmModule.h"

#include <cctype>
#include <cstdio>

namespace kw::sim {
namespace {

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";

std::string Info(const std::string& text) {
    return "\r\n" + text + "\r\n" + kOk;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
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

GsmModule::GsmModule(Clock clock) : m_Clock(std::move(clock)) {}

std::string GsmModule::Answer(const std::string& line) {
    std::string command;
    for (char c : line)
        command += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string echo = m_Echo ? line + "\r" : std::string();
    return echo + Respond(command, line);
}

std::string GsmModule::Respond(const std::string& command, const std::string& original) {
    if (command == "AT" || StartsWith(command, "AT+CMEE=") || StartsWith(command, "AT+CMGF=") ||
        StartsWith(command, "AT+CSDH="))
        return kOk;
    if (command == "ATE0" || command == "ATE1" || command == "ATE") {
        m_Echo = command == "ATE1";
        return kOk;
    }
    if (command == "AT+GMI" || command == "AT+CGMI")
        return Info("GWSIM Modules");
    if (command == "AT+GMM" || command == "AT+CGMM")
        return Info("GS-2G");
    if (command == "AT+GMR" || command == "AT+CGMR")
        return Info("Revision 1.0.3");
    if (command == "AT+GSN" || command == "AT+CGSN")
        return Info("351234560012345");
    if (command == "AT+CIMI")
        return Info("230011234567890");
    if (command == "AT+CSCA?")
        return Info("+CSCA: \"" + m_Centre + "\",145");
    if (StartsWith(command, "AT+CSCA=")) {
        m_Centre = Unquote(original.substr(8));
        return kOk;
    }
    if (command == "AT+COPS=3,0" || command == "AT+COPS=3,2") {
        m_NumericOperator = command.back() == '2';
        return kOk;
    }
    if (command == "AT+COPS?")
        return Info(m_NumericOperator ? "+COPS: 0,2,\"23099\",2" : "+COPS: 0,0,\"GWSIM NET\",2");
    if (command == "AT+CLCC")
        return kOk;
    if (command == "AT+CCLK?")
        return Info("+CCLK: \"" + ClockText() + "\"");
    if (StartsWith(command, "AT+CCLK="))
        return SetClock(Unquote(original.substr(8))) ? kOk : kError;
    if (command == "AT+CSQ")
        return Info("+CSQ: 23,0");
    return kError;
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
