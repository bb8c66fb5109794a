// Comma-separated values as spreadsheets write them (RFC 4180): fields in
// double quotes may hold commas, quotes (doubled) and line breaks; records end
// with CR LF or LF. Texts are kept as the bytes given (UTF-8 in our files).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kw::csv {

struct TRecord {
    int line = 0; // the line the record starts on, from 1
    std::vector<std::string> fields;
};

struct TParsed {
    std::vector<TRecord> records;
    // Empty when the text is well formed; else where reading stopped and why.
    std::string error;
    int errorLine = 0;
    int errorColumn = 0; // the field, from 1
};

// Reads every record; an empty line is no record. Stops at the first fault:
// a quote left open, or text after a closing quote.
TParsed Parse(std::string_view text);

// One field, quoted when it holds a comma, a quote or a line break (or starts
// or ends with a space, which some spreadsheets would trim).
std::string Field(std::string_view value);
// A record of fields and its CR LF.
std::string Record(const std::vector<std::string>& fields);

} // namespace kw::csv
