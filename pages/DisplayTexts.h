// The texts of the read-only displays: identity values, the operator lock and
// the service SMS number. Values are the registry's bytes (Windows-1252); words
// come from the language table (UTF-8).
#pragma once

#include "PageDeclaration.h"

#include <QString>

#include <string>

class CLanguage;

namespace kw {

// Identity: the value, or "not known yet" when it is empty.
// Operator lock: "not locked" when it is empty; otherwise the "locked to" word
// as a format for the text or, when the text's last byte has bit 7 set (the
// gateway's mark of a permanent lock), the "locked for good" word for the text
// with that bit cleared.
// Service number: the number, or "not set" when there is none.
QString DisplayText(pages::DisplayRule rule, const CLanguage& language, const std::string& value);

} // namespace kw
