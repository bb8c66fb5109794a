#include "ModemLines.h"

#include "Fatal.h"
#include "IniFile.h"

namespace kw {
namespace {

std::string Key(const char* name, int number) {
    return name + std::to_string(number);
}

} // namespace

void CModemLines::Read(const CIniFile& ini) {
    m_Lines.clear();
    m_Changed = false;
    const int count = ini.ReadInteger(kSection, "Count", 0);
    for (int number = 1; number <= count && Count() < kMaxLines; ++number) {
        TModemLine line;
        line.Name = ini.ReadString(kSection, Key("Name", number));
        line.Device = ini.ReadString(kSection, Key("Device", number));
        line.Speed = ini.ReadInteger(kSection, Key("Speed", number), TModemLine{}.Speed);
        line.Init = ini.ReadString(kSection, Key("Init", number));
        if (!line.Name.empty() && !line.Device.empty())
            m_Lines.push_back(line);
    }
}

void CModemLines::Write(CIniFile& ini) const {
    ini.ClearSection(kSection);
    ini.WriteInteger(kSection, "Count", Count());
    for (int i = 0; i < Count(); ++i) {
        const TModemLine& line = m_Lines[size_t(i)];
        ini.WriteString(kSection, Key("Name", i + 1), line.Name);
        ini.WriteString(kSection, Key("Device", i + 1), line.Device);
        ini.WriteInteger(kSection, Key("Speed", i + 1), line.Speed);
        ini.WriteString(kSection, Key("Init", i + 1), line.Init);
    }
}

const TModemLine& CModemLines::Line(int index) const {
    KW_ASSERT(index >= 0 && index < Count());
    return m_Lines[size_t(index)];
}

std::string CModemLines::LineName(int index) const {
    return index >= 0 && index < Count() ? m_Lines[size_t(index)].Name : "invalid";
}

int CModemLines::FindLine(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (m_Lines[size_t(i)].Name == name)
            return i;
    return -1;
}

bool CModemLines::Add(const TModemLine& line) {
    if (Count() >= kMaxLines)
        return false;
    m_Lines.push_back(line);
    m_Changed = true;
    return true;
}

void CModemLines::Replace(int index, const TModemLine& line) {
    KW_ASSERT(index >= 0 && index < Count());
    m_Lines[size_t(index)] = line;
    m_Changed = true;
}

void CModemLines::Remove(int index) {
    KW_ASSERT(index >= 0 && index < Count());
    m_Lines.erase(m_Lines.begin() + index);
    m_Changed = true;
}

} // namespace kw
