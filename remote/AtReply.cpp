#include "AtReply.h"

#include <algorithm>
#include <cctype>

namespace kw {
namespace {

// More digits say nothing more. Below the largest int, so a field read as an
// int keeps its sign: a long run of digits never wraps to 0 ("outgoing").
constexpr long kLargestNumber = 1000000000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    }
    return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

void SkipBlanks(std::string_view text, size_t& pos) {
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
}

// A decimal integer at pos (blanks and a sign allowed before its digits); pos
// moves past it. Empty when no digit is there.
std::optional<long> ReadInteger(std::string_view text, size_t& pos) {
    SkipBlanks(text, pos);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos])))
        return std::nullopt;
    long value = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        if (value < kLargestNumber)
            value = std::min(kLargestNumber, value * 10 + (text[pos] - '0'));
    }
    return negative ? -value : value;
}

// The name a command's information lines start with: "+CSQ" for "AT+CSQ",
// "+COPS" for "AT+COPS=3,2" and "AT+COPS?".
std::string_view CommandName(std::string_view command) {
    if (StartsWithIgnoringCase(command, "AT"))
        command.remove_prefix(2);
    size_t end = 0;
    if (!command.empty() && (command[0] == '+' || command[0] == '^'))
        end = 1;
    while (end < command.size() && std::isalnum(static_cast<unsigned char>(command[end])))
        ++end;
    return command.substr(0, end);
}

// The name a line starts with ("+CREG" of "+CREG: 1,1"), or empty when it
// names nothing.
std::string_view LineName(std::string_view line) {
    if (line.empty() || (line[0] != '+' && line[0] != '^'))
        return {};
    size_t end = 1;
    while (end < line.size() && line[end] != ':' && !IsBlank(line[end]))
        ++end;
    return line.substr(0, end);
}

bool IsFinalResult(std::string_view line) {
    return SameIgnoringCase(line, "OK") || SameIgnoringCase(line, "ERROR") ||
           StartsWithIgnoringCase(line, "+CME ERROR") || StartsWithIgnoringCase(line, "+CMS ERROR");
}

// A code the module sends of its own accord: a ring, a dropped call, or any
// named line that is not the command's own (+CREG:, +CMTI:, +CIEV:, ^SYSSTART...).
bool IsUnsolicited(std::string_view line, std::string_view commandName) {
    if (SameIgnoringCase(line, "RING") || SameIgnoringCase(line, "NO CARRIER"))
        return true;
    const std::string_view name = LineName(line);
    return !name.empty() && !SameIgnoringCase(name, commandName);
}

// The bytes the terminal's text matching sees: up to the first zero byte.
std::string_view AsText(std::string_view received) {
    return received.substr(0, received.find('\0'));
}

// A reply starts with a line break or with the echo of its command (or, when
// the module echoes as the characters arrive, the echo's last part). Anything
// else is the middle of a reply longer than the receive buffer.
bool StartLost(std::string_view text, std::string_view command) {
    size_t firstBreak = 0;
    while (firstBreak < text.size() && !IsLineBreak(text[firstBreak]))
        ++firstBreak;
    const std::string_view head = text.substr(0, firstBreak);
    if (head.size() > command.size())
        return true;
    return !SameIgnoringCase(head, command.substr(command.size() - head.size()));
}

// The first information line that carries the command's own name.
std::optional<std::string> OwnLine(std::string_view received, std::string_view command) {
    const std::string_view name = CommandName(command);
    for (const std::string& line : AtInformationLines(received, command)) {
        if (SameIgnoringCase(LineName(line), name))
            return line;
    }
    return std::nullopt;
}

// The text between the first two double quotes from `from` on; `after` moves
// past the closing quote. Empty when either quote is missing.
std::optional<std::string> Quoted(std::string_view line, size_t from, size_t& after) {
    const size_t open = line.find('"', from);
    if (open == std::string_view::npos)
        return std::nullopt;
    const size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    after = close + 1;
    return std::string(line.substr(open + 1, close - open - 1));
}

std::string SkipLeadingBlanks(std::string text) {
    size_t start = 0;
    SkipBlanks(text, start);
    return text.substr(start);
}

} // namespace

std::vector<std::string> AtInformationLines(std::string_view received, std::string_view command) {
    const std::string_view text = AsText(received);
    std::vector<std::string> lines;
    if (text.empty() || StartLost(text, command))
        return lines;
    const std::string_view name = CommandName(command);
    // What comes before the first line break is the echo, or its last part.
    size_t start = 0;
    while (start < text.size() && !IsLineBreak(text[start]))
        ++start;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || SameIgnoringCase(line, Trim(command)) || IsFinalResult(line) ||
            IsUnsolicited(line, name))
            continue;
        lines.emplace_back(line);
    }
    return lines;
}

std::optional<std::string> AtInformationText(std::string_view received, std::string_view command) {
    const std::vector<std::string> lines = AtInformationLines(received, command);
    if (lines.empty())
        return std::nullopt;
    return lines.front();
}

std::optional<std::string> AtQuotedValue(std::string_view received, std::string_view command) {
    const auto line = OwnLine(received, command);
    if (!line)
        return std::nullopt;
    size_t after = 0;
    const auto value = Quoted(*line, 0, after);
    if (!value)
        return std::nullopt;
    return SkipLeadingBlanks(*value);
}

std::optional<TAtOperatorCode> AtOperatorCode(std::string_view received, std::string_view command) {
    const auto line = OwnLine(received, command);
    if (!line)
        return std::nullopt;
    size_t after = 0;
    const auto code = Quoted(*line, 0, after);
    if (!code)
        return std::nullopt;
    TAtOperatorCode result{SkipLeadingBlanks(*code), -1};
    SkipBlanks(*line, after);
    if (after < line->size() && (*line)[after] == ',') {
        ++after;
        const auto technology = ReadInteger(*line, after);
        if (technology && *technology >= 0)
            result.accessTechnology = static_cast<int>(*technology);
    }
    return result;
}

TAtCalls AtCalls(std::string_view received, std::string_view command) {
    const auto line = OwnLine(received, command);
    if (!line)
        return {true, std::nullopt};
    const size_t comma = line->find(',');
    if (comma == std::string::npos)
        return {false, std::nullopt};
    size_t pos = comma + 1;
    const auto direction = ReadInteger(*line, pos);
    if (!direction)
        return {false, std::nullopt};
    TAtCall call{static_cast<int>(*direction), {}};
    if (line->find('"', pos) != std::string::npos) {
        size_t after = 0;
        const auto number = Quoted(*line, pos, after);
        if (!number)
            return {false, std::nullopt};
        call.number = *number;
    }
    return {true, call};
}

std::optional<long> AtSignalQuality(std::string_view received, std::string_view command) {
    const auto line = OwnLine(received, command);
    if (!line)
        return std::nullopt;
    const size_t colon = line->find(':');
    const size_t comma = line->find(',');
    if (colon == std::string::npos || comma == std::string::npos || comma < colon)
        return std::nullopt;
    const std::string_view field = std::string_view(*line).substr(colon + 1, comma - colon - 1);
    size_t pos = 0;
    const auto value = ReadInteger(field, pos);
    SkipBlanks(field, pos);
    if (!value || pos != field.size())
        return std::nullopt;
    return value;
}

} // namespace kw
