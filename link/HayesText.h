// What a Hayes-compatible modem says and what may be said to it: its result
// codes read from the lines it sends, the check that keeps control characters
// out of command lines, and the escape guard time an initialisation sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kw {

enum class THayesResult : uint8_t {
    None, // a line that is no result code (an echo, an information text)
    Ok,
    Connect,
    Ring,
    NoCarrier,
    Error,
    NoDialTone,
    Busy,
    NoAnswer,
};

// The result code of one line, verbose ("NO DIALTONE", "CONNECT 9600") or
// numeric ("6", "10").
THayesResult HayesResultOf(const std::string& line);

// Collects the bytes a modem sends into lines; CR and LF end a line, empty
// lines are dropped.
class CHayesLineReader {
public:
    // Appends bytes; returns the lines they completed.
    std::vector<std::string> Take(const uint8_t* bytes, int n);
    // Bytes received after the last line end (the start of the gateway's data
    // once a call is connected). Taking them empties the reader.
    std::string TakeRest();

private:
    std::string m_Line;
};

// A carriage return or any other control character in a number or an
// initialisation string would end the command line early and let the rest be
// taken as a command of its own.
bool HoldsControlCharacter(const std::string& text);

// The escape guard time in milliseconds: what "S12=n" in the initialisation
// string sets (n fiftieths of a second), else the modems' default second.
int32_t EscapeGuardMs(const std::string& initialisation);

} // namespace kw
