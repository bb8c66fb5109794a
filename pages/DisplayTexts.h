// Texts of the read-only displays that several pages share: identity values,
// the operator lock and the service SMS number. Values are the registry's bytes
// (Windows-1252); words come from the language table (UTF-8).
#pragma once

#include <QString>

#include <string>

class CLanguage;

namespace kw {

// The value, or word 101 ("not known yet") when it is empty.
QString IdentityText(const CLanguage& language, const std::string& value);

// Word 111 when the lock is empty; otherwise word 137 as a format for the text
// or, when the text's last byte has bit 7 set, word 138 for the text with that
// bit cleared (the gateway marks a permanent lock that way).
QString OperatorLockText(const CLanguage& language, const std::string& operLock);

// The service SMS number, or word 342 when none is set.
QString ServiceNumberText(const CLanguage& language, const std::string& number);

} // namespace kw
