#include "Csv.h"

namespace kw::csv {

TParsed Parse(std::string_view text) {
    TParsed parsed;
    size_t i = 0;
    int line = 1;
    const size_t n = text.size();
    while (i < n) {
        TRecord record;
        record.line = line;
        std::string field;
        bool recordDone = false;
        while (!recordDone) {
            field.clear();
            const int fieldNumber = static_cast<int>(record.fields.size()) + 1;
            if (i < n && text[i] == '"') {
                const int openedOn = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < n && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (c == '\n')
                        ++line;
                    field += c;
                }
                if (!closed) {
                    parsed.error = "quote not closed";
                    parsed.errorLine = openedOn;
                    parsed.errorColumn = fieldNumber;
                    return parsed;
                }
                if (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
                    parsed.error = "text after a closing quote";
                    parsed.errorLine = line;
                    parsed.errorColumn = fieldNumber;
                    return parsed;
                }
            } else {
                while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                    field += text[i++];
            }
            record.fields.push_back(field);
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            // End of the record: CR LF, LF, a lone CR or the end of the text.
            if (i < n && text[i] == '\r')
                ++i;
            if (i < n && text[i] == '\n')
                ++i;
            ++line;
            recordDone = true;
        }
        const bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank)
            parsed.records.push_back(std::move(record));
    }
    return parsed;
}

std::string Field(std::string_view value) {
    const bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!quote)
        return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string Record(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i != 0)
            out += ',';
        out += Field(fields[i]);
    }
    out += "\r\n";
    return out;
}

} // namespace kw::csv
