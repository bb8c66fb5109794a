// Fills a format taken from a language file with the caller's arguments. Language
// files are data from outside the program, so their texts never reach printf:
// only "%s" and "%i" take an argument, in order and only while arguments remain;
// "%%" gives "%"; every other or surplus specifier ("%n", "%d", "%5s", a fourth
// "%s" with three arguments, a lone "%" at the end) is printed as it stands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kw {

std::string FormatText(std::string_view format, const std::vector<std::string>& args);

// The placeholders FormatText would fill, in order: 's' or 'i' for each "%s" or
// "%i" ("%%" excluded). Used to check language files against their callers.
std::string FormatPlaceholders(std::string_view format);

} // namespace kw
