#include "Parameters.h"

#include "Fatal.h"

#include <algorithm>

void CParameters::Register(int32_t level, const std::string& name, CParBasic* type, int32_t count,
                           int32_t address, int32_t stride) {
    std::unique_ptr<CParBasic> owned(type);
    KW_ASSERT(count >= 1);
    if (m_Map.count(name) != 0)
        return;
    owned->m_Address = address;
    owned->m_Stride = stride;
    TMultiPar& rc = m_Map[name];
    rc.Count = count;
    rc.Level = level;
    rc.Type = std::move(owned);
    rc.Values.assign(count, std::string());
    rc.Present = false;
    if (level > m_MaxLevel)
        m_MaxLevel = level;
}

TMultiPar* CParameters::Find(const std::string& name) {
    auto it = m_Map.find(name);
    return it == m_Map.end() ? nullptr : &it->second;
}

const TMultiPar* CParameters::Find(const std::string& name) const {
    auto it = m_Map.find(name);
    return it == m_Map.end() ? nullptr : &it->second;
}

// Names are the program's own constants, so a miss is a programming error.
const TMultiPar& CParameters::Record(const std::string& name) const {
    const TMultiPar* rc = Find(name);
    if (rc == nullptr)
        kw::FatalError("Error", "Parameter '" + name + "' not found!");
    return *rc;
}

TMultiPar& CParameters::Record(const std::string& name) {
    return const_cast<TMultiPar&>(static_cast<const CParameters*>(this)->Record(name));
}

const std::string& CParameters::GetValue(const std::string& name, int32_t num) const {
    const TMultiPar* rc = &Record(name);
    KW_ASSERT_TEXT(num >= 0 && num < rc->Count, "num>=0 && num<rc->Count");
    return rc->Values[num];
}

void CParameters::SetValue(const std::string& name, int32_t num, const std::string& text) {
    TMultiPar* rc = &Record(name);
    KW_ASSERT_TEXT(num >= 0 && num < rc->Count, "num>=0 && num<rc->Count");
    rc->Values[num] = rc->Type->Normalize(text);
    m_Modified = true;
}

void CParameters::NormalizeByName(const std::string& name, std::string& text) const {
    text = Record(name).Type->Normalize(text);
}

void CParameters::SetDefault(const std::string& name) {
    TMultiPar& rc = Record(name);
    for (auto& value : rc.Values)
        value = rc.Type->m_Default;
}

void CParameters::SetSaved(const std::string& name, bool saved) {
    Record(name).Type->m_Saved = saved;
}

void CParameters::ResetAll() {
    m_Modified = false;
    for (auto& [name, rc] : m_Map) {
        for (auto& value : rc.Values)
            value = rc.Type->m_Default;
        rc.Present = false;
    }
}

bool CParameters::WasPresent(const std::string& name) const {
    const TMultiPar* rc = Find(name);
    return rc != nullptr && rc->Present;
}

namespace {

bool RowFits(const CParBasic& type, int32_t row, int32_t size, int32_t* offset) {
    const int64_t start = int64_t{type.m_Address} + int64_t{row} * type.m_Stride;
    const int32_t bytes = type.ByteSize();
    *offset = static_cast<int32_t>(start);
    return bytes > 0 && start >= 0 && start + bytes <= size;
}

} // namespace

void CParameters::StoreToImage(uint8_t* image, int32_t size) const {
    std::fill(image, image + size, uint8_t{0});
    for (const auto& [name, rc] : m_Map) {
        if (rc.Type->m_Address == -1)
            continue;
        for (int32_t i = 0; i < rc.Count; ++i) {
            int32_t offset = 0;
            if (RowFits(*rc.Type, i, size, &offset))
                rc.Type->Encode(rc.Values[i], image + offset);
        }
    }
}

void CParameters::LoadFromImage(const uint8_t* image, int32_t size) {
    for (auto& [name, rc] : m_Map) {
        if (rc.Type->m_Address == -1)
            continue;
        for (int32_t i = 0; i < rc.Count; ++i) {
            int32_t offset = 0;
            if (RowFits(*rc.Type, i, size, &offset))
                rc.Values[i] = rc.Type->Normalize(rc.Type->Decode(image + offset));
        }
    }
}
