// A small INI file of our own: sections and keys kept in file order, values kept
// exactly as written. Used for the application settings and "L_Init.ini".
//
// Format read:
//   [Section]          section header (spaces around the name are ignored)
//   Key=Value          an entry; spaces around the key are ignored, the value is
//                      everything after the first '=' up to the end of the line,
//                      trailing CR/LF removed and nothing else touched (commas,
//                      quotes and spaces stay as they are: passwords may hold them)
//   ; or # comment     ignored, as are blank lines and lines without '='
// Entries before the first header belong to the section named "". UTF-8 byte
// order marks at the start of a line are skipped (joined files keep theirs).
// Section and key lookups are exact (case matters). When a key appears twice in
// one section, lookups see the first.
// Binary bytes, NULs and very long lines are kept as bytes and never fail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

class CIniFile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries; // in file order (or the order they were written)
    };

    // Who may read a saved file. OwnerOnly creates it (and re-creates an
    // existing one) with mode 0600: the application INI holds passwords.
    enum class Access { Default, OwnerOnly };

    // Files larger than this are refused by Load rather than read into memory.
    static constexpr std::uintmax_t kMaxFileSize = 16 * 1024 * 1024;

    // Reads a file, replacing the contents. False when it cannot be opened or
    // is too large; the contents are then empty and `error` (when given) says why.
    bool Load(const std::string& path, std::string* error = nullptr);
    // Replaces the contents with the entries of `text`.
    void Parse(std::string_view text);

    const std::vector<Section>& Sections() const { return m_Sections; }
    const Section* FindSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // The value, or nullopt when the section or key is absent.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // A decimal integer with optional sign and surrounding spaces; anything else
    // (empty, junk after the digits, out of the int range) gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // "1"/"0", "true"/"false", "yes"/"no" (any case); anything else the default.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Sets a value: an existing key keeps its place, a new key goes to the end of
    // its section, a new section to the end of the file. So writing the keys in
    // the order of a settings table gives a file in that order. Line breaks in
    // the value would end the entry on reading, so CR and LF are dropped.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Removes every entry of a section (the section is kept, empty).
    void ClearSection(std::string_view section);
    void Clear() { m_Sections.clear(); }

    // The file text: sections and entries in their order, LF line ends, a blank
    // line between sections.
    std::string Text() const;
    // Writes Text() to a temporary file beside `path` and renames it over
    // `path`, so a failed save never leaves a half-written file. False with
    // `error` (when given) set when the folder is not writable or the disk full.
    bool Save(const std::string& path, Access access = Access::Default,
              std::string* error = nullptr) const;

private:
    Section* FindSectionMutable(std::string_view section);
    Section& SectionFor(std::string_view section);

    std::vector<Section> m_Sections;
};

// Reads the whole integer text as ReadInteger does; nullopt for junk.
std::optional<int> ParseIniInteger(std::string_view text);

} // namespace kw
