// The data-modem lines of this computer: each a name the settings choose it by,
// the modem's device, its speed and initialisation string. They live in the
// application INI, section "Modems" ("Count", then "Name%i", "Device%i",
// "Speed%i", "Init%i" from 1), at most 100 of them.
#pragma once

#include <string>
#include <vector>

namespace kw {

class CIniFile;

struct TModemLine {
    std::string Name;
    std::string Device;
    int Speed = 57600;
    std::string Init;
};

class CModemLines {
public:
    static constexpr int kMaxLines = 100;
    static constexpr const char* kSection = "Modems";

    // Replaces the list with the INI's; entries without a name or a device are
    // skipped, and a list longer than kMaxLines is cut there.
    void Read(const CIniFile& ini);
    // Replaces section "Modems" with the list.
    void Write(CIniFile& ini) const;
    // The list was changed since it was read: only then is the section
    // rewritten, so what the program did not change stays as it was.
    bool Changed() const { return m_Changed; }

    int Count() const { return static_cast<int>(m_Lines.size()); }
    const TModemLine& Line(int index) const;
    // The line's name, or "invalid" for an index outside the list.
    std::string LineName(int index) const;
    // The index of the first line named exactly `name`, or -1.
    int FindLine(const std::string& name) const;

    // False when the list is full.
    bool Add(const TModemLine& line);
    void Replace(int index, const TModemLine& line);
    void Remove(int index);

private:
    std::vector<TModemLine> m_Lines;
    bool m_Changed = false;
};

} // namespace kw
