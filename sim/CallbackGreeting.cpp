#include "CallbackGreeting.h"

namespace kw::sim {

void CallbackGreeting::Receive(const uint8_t* data, size_t size, std::string& reply) {
    if (m_Options.silent) {
        // Logged, so a test can tell the probe has come.
        static constexpr char kDigits[] = "0123456789ABCDEF";
        for (size_t i = 0; i < size; ++i)
            m_Log(std::string("connect-back silent: ignored 0x") + kDigits[data[i] >> 4] +
                  kDigits[data[i] & 0x0F]);
        return;
    }
    for (size_t i = 0; i < size; ++i) {
        // The gateway handles every byte as a command; the greeting only changes
        // what it says to the first "U", "X" and "D".
        std::string answer;
        m_Model.Receive(data + i, 1, answer);
        const char byte = char(data[i]);
        if (m_Stage == Stage::Probe && byte == 'U') {
            answer = m_Options.answers.substr(0, 1);
            m_Stage = Stage::Acknowledgement;
        } else if (m_Stage == Stage::Acknowledgement && byte == 'X') {
            answer = m_Options.answers.substr(1, 1);
            m_Stage = Stage::Identity;
        } else if (m_Stage == Stage::Identity && byte == 'D') {
            if (!m_Options.identity.empty())
                answer = "D" + m_Options.identity + std::string(1, '\0');
            m_Stage = Stage::Done;
        }
        reply += answer;
    }
}

} // namespace kw::sim
