#include "EnableRules.h"

#include "Words.h"

namespace kw {

TEnabledCommands EnableRules(const TConnectionState& s) {
    TEnabledCommands e;
    const bool cable = s.conType == 0;
    e.save = s.configLoaded;
    // On the cable every exchange opens the port itself; the other links must be up first.
    e.upgrade = cable || s.connected;
    e.read = cable || s.connected;
    e.write = cable ? s.configLoaded : s.connected && s.configLoaded;
    if (s.conType == 1)
        e.connect = !s.connected && !s.callInProgress && s.hasPhoneNumber;
    else if (s.conType == 2)
        e.connect = !s.connected && s.hasCallbackAddress;
    e.disconnect = !cable && s.connected;
    e.monitor = cable;
    e.menuLink = cable || s.connected;

    if (cable)
        e.statusWord = word::kStatusCable;
    else if (s.connected)
        e.statusWord = word::kStatusConnected;
    else if (!s.callInProgress)
        e.statusWord = word::kStatusNotConnected;
    else if (s.dialing)
        e.statusWord = word::kStatusDialling;
    else
        e.statusWord = word::kStatusCallWithoutData;
    return e;
}

} // namespace kw
