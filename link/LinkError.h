// Tells the user about a link failure caught by a command handler.
#pragma once

#include "COMTermExp.h"

class CUserPort;

namespace kw {

// Language words 109, 110 (with the code's name) and 125; nothing for a Cancel.
void ShowLinkError(const CCOMTermExp& e, CUserPort& user);

} // namespace kw
