#include "HayesText.h"

#include <cctype>

namespace kw {
namespace {

constexpr int32_t kDefaultGuardMs = 1000;
constexpr size_t kLineMax = 256;

struct TResultName {
    const char* verbose;
    const char* numeric;
    THayesResult result;
};

// CONNECT with a rate ("CONNECT 9600", numeric 10 and up) is matched apart.
constexpr TResultName kResults[] = {
    {"OK", "0", THayesResult::Ok},
    {"CONNECT", "1", THayesResult::Connect},
    {"RING", "2", THayesResult::Ring},
    {"NO CARRIER", "3", THayesResult::NoCarrier},
    {"ERROR", "4", THayesResult::Error},
    {"NO DIALTONE", "6", THayesResult::NoDialTone},
    {"NO DIAL TONE", nullptr, THayesResult::NoDialTone},
    {"BUSY", "7", THayesResult::Busy},
    {"NO ANSWER", "8", THayesResult::NoAnswer},
};

std::string Trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

bool AllDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

THayesResult HayesResultOf(const std::string& line) {
    const std::string text = Trimmed(line);
    for (const TResultName& name : kResults)
        if (text == name.verbose || (name.numeric != nullptr && text == name.numeric))
            return name.result;
    if (text.rfind("CONNECT ", 0) == 0)
        return THayesResult::Connect;
    if (AllDigits(text) && text.size() <= 3 && std::stoi(text) >= 10)
        return THayesResult::Connect; // numeric CONNECT with a rate
    return THayesResult::None;
}

std::vector<std::string> CHayesLineReader::Take(const uint8_t* bytes, int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) {
        const char c = static_cast<char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            if (!m_Line.empty())
                lines.push_back(m_Line);
            m_Line.clear();
        } else if (m_Line.size() < kLineMax) {
            m_Line += c;
        }
    }
    return lines;
}

std::string CHayesLineReader::TakeRest() {
    std::string rest;
    rest.swap(m_Line);
    return rest;
}

bool HoldsControlCharacter(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

int32_t EscapeGuardMs(const std::string& initialisation) {
    std::string upper;
    for (const char c : initialisation)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int32_t guard = kDefaultGuardMs;
    // The last setting counts, as the modem takes them in order.
    for (size_t at = upper.find("S12="); at != std::string::npos; at = upper.find("S12=", at + 1)) {
        size_t digit = at + 4;
        int value = 0;
        bool any = false;
        while (digit < upper.size() && std::isdigit(static_cast<unsigned char>(upper[digit])) &&
               value < 1000) {
            value = value * 10 + (upper[digit++] - '0');
            any = true;
        }
        if (any && value <= 255)
            guard = value * 20;
    }
    return guard;
}

} // namespace kw
