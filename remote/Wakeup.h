// The wake-up routine: the dialogue with the local GSM modem (57600 baud, PDU
// mode) that sends the SMS asking the gateway to connect back. Widget-free: it
// talks to the user through the user port and the IP dialling window of its
// host, and waits through the host's idle step so Cancel acts at every step.
#pragma once

#include "IpSettings.h"

#include <cstdint>

class CCOMTerminal;
class CUserPort;

namespace kw {

class CIpLinkHost;

struct TWakeupContext {
    CCOMTerminal& terminal;
    CUserPort& user;
    CIpLinkHost& host;
    // The values the main window holds; a field of just "0" is cleared here.
    TIpSettings& settings;
    // The port the server listens on, named in the SMS.
    int32_t port;
};

struct TWakeupOutcome {
    enum class Result {
        SmsAccepted,  // the modem took the SMS; the dialling window waits for the gateway
        Cancelled,    // the dialling window was closed
        Busy,         // another wake-up runs (or, from Connect, a link exists)
        InputRefused, // number or field refused before the modem was touched (message shown)
        ModemRefused, // a command answered ERROR or +CMS ERROR (word 357 shown)
        LinkFailed,   // the modem did not answer or its port would not open (link error shown)
    };
    Result result;
    int8_t linkCode = 0; // LinkFailed: the link exception's code

    // What the routine returns to the window: true unless a failure was reported.
    bool Succeeded() const { return result == Result::SmsAccepted || result == Result::Cancelled; }
};

// Runs the whole dialogue; at its end the modem's port is closed and the busy
// flag is clear. After a failure the dialling window is hidden.
TWakeupOutcome RunWakeup(const TWakeupContext& context);

// A wake-up routine runs (one for the whole program).
bool WakeupBusy();

} // namespace kw
