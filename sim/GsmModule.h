// The gateway's GSM module as the monitor sees it through the gateway's relay:
// answers the standard AT commands of identity, network, calls, clock and signal,
// and can be told to answer as untidily as real modules do.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace kw::sim {

// How the module behaves, one --gsm option at a time.
struct GsmOptions {
    enum class Echo { Before, Between, Off };
    struct Call {
        bool incoming;
        bool withNumber; // false: the +CLCC line ends before the number field
        std::string number;
    };

    bool unsolicited = false; // codes such as RING before and between reply lines
    Echo echo = Echo::Before; // where the echo of the command line goes (ATE0/ATE1 still switch it)
    bool unregistered = false;        // no network: "+COPS: 0", "+CSQ: 99,99"
    bool noSim = false;               // "+CME ERROR: 10" / "+CMS ERROR: 310" to SIM queries
    std::vector<Call> calls;          // calls in progress, one +CLCC line each
    std::vector<std::string> errorTo; // commands answered ERROR (upper case)
    bool silent = false;              // no answer to any AT command
};

// Adds one --gsm option to options; returns an empty text, or what is wrong.
std::string ParseGsmOption(const std::string& option, GsmOptions& options);

// The grammar, as --help prints it.
extern const char* const kGsmGrammar;

class GsmModule {
public:
    using Clock = std::function<std::time_t()>;
    explicit GsmModule(Clock clock = [] { return std::time(nullptr); });

    void Configure(const GsmOptions& options);

    // The full reply to one command line (given without its carriage return),
    // the echo included while echo is on.
    std::string Answer(const std::string& line);

private:
    struct Reply {
        std::vector<std::string> lines; // information lines
        std::string result;             // OK, ERROR, +CME ERROR: n ...
    };

    Reply Respond(const std::string& command, const std::string& original);
    std::string Assemble(const std::string& line, const Reply& reply);
    std::string NextUnsolicited();
    std::string ClockText() const;
    bool SetClock(const std::string& text);

    Clock m_Clock;
    GsmOptions m_Options;
    bool m_Echo = true;
    bool m_NumericOperator = false;
    std::string m_Centre = "+420602909909";
    long long m_ClockOffset = 0; // module clock minus the local clock, seconds
    size_t m_Unsolicited = 0;    // which code comes next
};

} // namespace kw::sim
