#include "WakeupModem.h"

#include "CommandLine.h"

#include <cctype>
#include <charconv>

namespace kw::sim {
namespace {

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";
constexpr size_t kLineMax = 1024;
constexpr char kCtrlZ = 0x1A;
constexpr char kEscape = 0x1B;

std::string Upper(const std::string& text) {
    std::string upper;
    for (char c : text)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

} // namespace

void WakeupModem::Receive(const uint8_t* data, size_t size, std::string& reply) {
    for (size_t i = 0; i < size; ++i)
        Byte(data[i], reply);
}

void WakeupModem::Byte(uint8_t byte, std::string& reply) {
    const char c = static_cast<char>(byte);
    if (m_InPdu) {
        if (c == kCtrlZ) {
            SendPdu(reply);
        } else if (c == kEscape) {
            m_InPdu = false;
            m_Line.clear();
            Log("AT+CMGS cancelled");
            reply += kOk;
        } else {
            reply += c; // the PDU is echoed as it is typed; the tool waits for it
            if (m_Line.size() < kLineMax)
                m_Line += c;
        }
        return;
    }
    const auto line = TakeCommandByte(c, m_Echo, m_Line, kLineMax, reply);
    if (line && !line->empty())
        Command(*line, reply);
}

void WakeupModem::Command(const std::string& line, std::string& reply) {
    Log(line);
    const std::string command = Upper(line);
    if (command == "AT" || command.rfind("AT+CMEE=", 0) == 0 || command == "AT+CMGF=0" ||
        command.rfind("AT+CSDH=", 0) == 0 || command.rfind("AT+CSCA", 0) == 0) {
        reply += kOk;
    } else if (command == "ATE0" || command == "ATE1") {
        m_Echo = command == "ATE1";
        reply += kOk;
    } else if (command.rfind("AT+CMGS=", 0) == 0) {
        const char* begin = command.data() + 8;
        const char* end = command.data() + command.size();
        const auto parsed = std::from_chars(begin, end, m_PduOctets);
        if (parsed.ec != std::errc() || parsed.ptr != end || m_PduOctets < 1 || m_PduOctets > 164) {
            reply += kError;
            return;
        }
        m_InPdu = true;
        reply += "\r\n> ";
    } else {
        reply += kError; // text mode (AT+CMGF=1) among others: this modem speaks PDU only
    }
}

void WakeupModem::SendPdu(std::string& reply) {
    m_InPdu = false;
    const std::string hex = m_Line;
    m_Line.clear();
    m_ReplyDelayMs = m_Behaviour.sendDelayMs; // the network's answer, good or bad
    if (m_Behaviour.cmsError >= 0) {
        const std::string code = std::to_string(m_Behaviour.cmsError);
        Log("SMS refused: +CMS ERROR: " + code);
        reply += "\r\n+CMS ERROR: " + code + "\r\n";
        return;
    }
    SmsSubmit sms;
    const std::string error = DecodeSmsSubmit(hex, m_PduOctets, sms);
    if (!error.empty()) {
        Log("SMS refused: " + error);
        reply += "\r\n+CMS ERROR: 304\r\n";
        return;
    }
    Log("SMS to " + sms.destination + ": " + sms.text);
    m_Reference = (m_Reference + 1) % 256;
    reply += "\r\n+CMGS: " + std::to_string(m_Reference) + "\r\n" + kOk;
    if (m_Listener.smsSent)
        m_Listener.smsSent(sms);
}

int WakeupModem::TakeReplyDelayMs() {
    const int delay = m_ReplyDelayMs;
    m_ReplyDelayMs = 0;
    return delay;
}

void WakeupModem::Log(const std::string& line) {
    if (m_Listener.log)
        m_Listener.log("modem " + line);
}

} // namespace kw::sim
