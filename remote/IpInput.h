// Refuses what the IP connect dialog or the command line took in when it
// cannot be sent as entered: a phone number the PDU cannot carry, or a field
// that would change the wake-up SMS. One rule for the window, the command line
// and the wake-up routine.
#pragma once

#include "IpSettings.h"

class CUserPort;

namespace kw {

// Shows the reason (error icon) and returns true when the input is refused.
// The passwords themselves are never shown.
bool RefuseIpInput(const TIpSettings& settings, CUserPort& user);

} // namespace kw
