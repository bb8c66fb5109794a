#include "ParFile.h"

namespace kw::sgd {

std::string EscapeValue(const std::string& value) {
    std::string out;
    out.reserve(value.size() + 8);
    for (char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 32 || c == '"') {
            out += "\\x";
            out += static_cast<char>('0' + c / 10);
            out += static_cast<char>('0' + c % 10);
        } else {
            out += ch;
        }
    }
    return out;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one value whose opening quote is just before pos; false when it is
// malformed or not closed. On success pos is just after the closing quote.
bool ReadQuoted(const std::string& text, size_t& pos, std::string& value) {
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            value += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= text.size())
            return false; // backslash at the end of the line
        const char next = text[pos + 1];
        if (next == '\\') {
            value += '\\';
            pos += 2;
        } else if (next == 'x') {
            if (pos + 3 >= text.size() || !IsDigit(text[pos + 2]) || !IsDigit(text[pos + 3]))
                return false;
            value += static_cast<char>((text[pos + 2] - '0') * 10 + (text[pos + 3] - '0'));
            pos += 4;
        } else {
            pos += 2; // an unknown escape stands for nothing
        }
    }
    return false;
}

} // namespace

std::vector<std::string> ParseValues(const std::string& text, size_t maxValues) {
    std::vector<std::string> values;
    size_t pos = 0;
    while (values.size() < maxValues) {
        const size_t quote = text.find('"', pos);
        if (quote == std::string::npos)
            break;
        pos = quote + 1;
        std::string value;
        if (!ReadQuoted(text, pos, value))
            break;
        values.push_back(std::move(value));
        const size_t comma = text.find(',', pos);
        if (comma == std::string::npos)
            break;
        pos = comma + 1;
    }
    return values;
}

} // namespace kw::sgd
