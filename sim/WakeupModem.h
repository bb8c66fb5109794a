// The local GSM modem through which the tool sends the wake-up SMS: answers the
// AT commands of that routine, echoes what it is typed, takes the PDU after
// AT+CMGS and hands the decoded message on.
#pragma once

#include "LinePeer.h"
#include "SmsSubmitDecoder.h"

#include <functional>
#include <string>

namespace kw::sim {

class WakeupModem : public LinePeer {
public:
    struct Listener {
        std::function<void(const std::string&)> log;
        std::function<void(const SmsSubmit&)> smsSent;
    };

    // How the modem lets the tool down, if at all.
    struct Behaviour {
        int cmsError = -1;   // every SMS is refused with "+CMS ERROR: <code>"
        int sendDelayMs = 0; // sending an SMS takes this long
    };

    void SetListener(Listener listener) { m_Listener = std::move(listener); }
    void SetBehaviour(Behaviour behaviour) { m_Behaviour = behaviour; }
    void Receive(const uint8_t* data, size_t size, std::string& reply) override;
    int TakeReplyDelayMs() override;

private:
    void Byte(uint8_t byte, std::string& reply);
    void Command(const std::string& line, std::string& reply);
    void SendPdu(std::string& reply);
    void Log(const std::string& line);

    Listener m_Listener;
    Behaviour m_Behaviour;
    int m_ReplyDelayMs = 0;
    bool m_Echo = true;
    bool m_InPdu = false;
    int m_PduOctets = 0;
    int m_Reference = 0;
    std::string m_Line;
};

} // namespace kw::sim
