#include "IniFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kw {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Leading blanks, carriage returns and byte order marks: files joined together
// keep the mark each had at its start, and it must not hide a header or become
// part of a key.
std::string_view SkipLeadingMarks(std::string_view line) {
    for (;;) {
        if (!line.empty() && (IsBlank(line.front()) || line.front() == '\r'))
            line.remove_prefix(1);
        else if (line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        else
            return line;
    }
}

std::string_view StripLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

void SetError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
}

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Writes all of `text` to `fd`, retrying short writes.
bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::optional<int> ParseIniInteger(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool CIniFile::Load(const std::string& path, std::string* error) {
    m_Sections.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        SetError(error, SystemError("cannot open"));
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        SetError(error, "cannot read (not a regular file)");
        return false;
    }
    if (static_cast<std::uintmax_t>(size) > kMaxFileSize) {
        SetError(error, "too large for a settings file");
        return false;
    }
    in.seekg(0, std::ios::beg);
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), size);
    if (in.gcount() != size) {
        SetError(error, "cannot read");
        return false;
    }
    Parse(text);
    return true;
}

void CIniFile::Parse(std::string_view text) {
    m_Sections.clear();
    Section* current = nullptr;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        line = SkipLeadingMarks(StripLineEnd(line));

        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            if (close == std::string_view::npos)
                continue; // a broken header is ignored, its entries go to the previous section
            current = &SectionFor(Trim(trimmed.substr(1, close - 1)));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        if (key.empty())
            continue;
        if (!current)
            current = &SectionFor("");
        current->entries.push_back({std::string(key), std::string(line.substr(equals + 1))});
    }
}

const CIniFile::Section* CIniFile::FindSection(std::string_view section) const {
    for (const Section& s : m_Sections)
        if (s.name == section)
            return &s;
    return nullptr;
}

CIniFile::Section* CIniFile::FindSectionMutable(std::string_view section) {
    return const_cast<Section*>(std::as_const(*this).FindSection(section));
}

CIniFile::Section& CIniFile::SectionFor(std::string_view section) {
    if (Section* found = FindSectionMutable(section))
        return *found;
    m_Sections.push_back({std::string(section), {}});
    return m_Sections.back();
}

std::optional<std::string> CIniFile::Find(std::string_view section, std::string_view key) const {
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (e.key == key)
                return e.value;
    return std::nullopt;
}

bool CIniFile::HasKey(std::string_view section, std::string_view key) const {
    return Find(section, key).has_value();
}

std::string CIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    if (auto value = Find(section, key))
        return *value;
    return std::string(defaultValue);
}

int CIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    if (auto value = Find(section, key))
        return ParseIniInteger(*value).value_or(defaultValue);
    return defaultValue;
}

bool CIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    const auto value = Find(section, key);
    if (!value)
        return defaultValue;
    const std::string_view v = Trim(*value);
    if (v == "1" || EqualsIgnoringCase(v, "true") || EqualsIgnoringCase(v, "yes"))
        return true;
    if (v == "0" || EqualsIgnoringCase(v, "false") || EqualsIgnoringCase(v, "no"))
        return false;
    return defaultValue;
}

void CIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = SectionFor(WithoutLineBreaks(section));
    const std::string cleanKey = WithoutLineBreaks(key);
    for (Entry& e : s.entries) {
        if (e.key == cleanKey) {
            e.value = WithoutLineBreaks(value);
            return;
        }
    }
    s.entries.push_back({cleanKey, WithoutLineBreaks(value)});
}

void CIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void CIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void CIniFile::ClearSection(std::string_view section) {
    if (Section* s = FindSectionMutable(section))
        s->entries.clear();
}

std::string CIniFile::Text() const {
    std::string out;
    bool first = true;
    for (const Section& s : m_Sections) {
        if (s.name.empty() && s.entries.empty())
            continue;
        if (!first)
            out += '\n';
        first = false;
        if (!s.name.empty() || &s != &m_Sections.front())
            out += '[' + s.name + "]\n";
        for (const Entry& e : s.entries)
            out += e.key + '=' + e.value + '\n';
    }
    return out;
}

bool CIniFile::Save(const std::string& path, Access access, std::string* error) const {
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    const mode_t mode = access == Access::OwnerOnly ? 0600 : 0666; // umask applies to 0666
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        SetError(error, SystemError("cannot create"));
        return false;
    }
    // An old temporary file may have been created with other permissions.
    bool ok = access != Access::OwnerOnly || ::fchmod(fd, 0600) == 0;
    ok = ok && WriteAll(fd, Text()) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        errno = savedErrno != 0 ? savedErrno : errno;
        SetError(error, SystemError("cannot write"));
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        SetError(error, SystemError("cannot replace"));
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace kw
