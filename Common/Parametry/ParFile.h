// The text form of one .sgd line's values: escaping for writing, and the
// reader that takes the quoted values of one line apart.
#pragma once

#include <string>
#include <vector>

namespace kw::sgd {

// Lines are read in pieces of at most this many characters.
inline constexpr size_t kMaxLineChars = 4999;

// Backslash doubled; codes 0 to 31 and the double quote as backslash, x and
// two decimal digits, so every value survives a save and a load.
std::string EscapeValue(const std::string& value);

// Collects up to maxValues quoted values from text that follows the "=".
// Stops at the first malformed or unclosed value without returning it.
std::vector<std::string> ParseValues(const std::string& text, size_t maxValues);

} // namespace kw::sgd
