// Refuses what the IP connect dialog or the command line took in when it
// cannot be sent as entered: a phone number the PDU cannot carry, or a field
// that would change the wake-up SMS. One rule for the window, the command line
// and the wake-up routine.
#pragma once

#include "IpSettings.h"
#include "WakeupMessage.h"

#include <QString>

class CUserPort;

namespace kw {

// Shows the reason (error icon) and returns true when the input is refused.
// The passwords themselves are never shown.
bool RefuseIpInput(const TIpSettings& settings, CUserPort& user);

// Text typed for a field of the wake-up text, before it becomes Windows-1252
// bytes: a character that code page lacks would go out as '?', so the field is
// refused, the reason shown, and true returned.
bool RefuseCharacterOutsideWin1252(TWakeupField field, const QString& typed, CUserPort& user);

// The language word naming a field in these messages.
int WakeupFieldWord(TWakeupField field);

} // namespace kw
