// The gateway's GSM module as the monitor sees it through the gateway's relay:
// answers the standard AT commands of identity, network, calls, clock and signal.
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace kw::sim {

class GsmModule {
public:
    using Clock = std::function<std::time_t()>;
    explicit GsmModule(Clock clock = [] { return std::time(nullptr); });

    // The full reply to one command line (given without its carriage return),
    // the echo included while echo is on.
    std::string Answer(const std::string& line);

private:
    std::string Respond(const std::string& command, const std::string& original);
    std::string ClockText() const;
    bool SetClock(const std::string& text);

    Clock m_Clock;
    bool m_Echo = true;
    bool m_NumericOperator = false;
    std::string m_Centre = "+420602909909";
    long long m_ClockOffset = 0; // module clock minus the local clock, seconds
};

} // namespace kw::sim
