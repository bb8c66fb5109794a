// The registry: every parameter of the configuration by name, with one canonical
// value text per row.
#pragma once

#include "ParBasic.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct TMultiPar {
    int32_t Count = 1;
    int32_t Level = 0;
    std::unique_ptr<CParBasic> Type;
    std::vector<std::string> Values;
    bool Present = false;
};

class CParameters {
public:
    // std::string orders byte-wise with bytes as unsigned and a prefix first,
    // which is exactly the name order of files and images.
    using Map = std::map<std::string, TMultiPar>;

    CParameters() = default;
    CParameters(const CParameters&) = delete;
    CParameters& operator=(const CParameters&) = delete;

    // Takes ownership of type; a name registered before stays as it was.
    void Register(int32_t level, const std::string& name, CParBasic* type, int32_t count,
                  int32_t address, int32_t stride);
    TMultiPar* Find(const std::string& name);
    const TMultiPar* Find(const std::string& name) const;
    const Map& Records() const { return m_Map; }

    const std::string& GetValue(const std::string& name, int32_t row) const;
    void SetValue(const std::string& name, int32_t row, const std::string& text);
    void NormalizeByName(const std::string& name, std::string& text) const;
    void SetDefault(const std::string& name);
    void SetSaved(const std::string& name, bool saved);
    void ResetAll();
    bool WasPresent(const std::string& name) const;

    // Clears size bytes, then encodes every row that fits inside them.
    void StoreToImage(uint8_t* image, int32_t size) const;
    // Decodes every row that lies inside the size bytes given.
    void LoadFromImage(const uint8_t* image, int32_t size);

    bool SaveToFile(const std::string& fileName) const;
    bool LoadFromFile(const std::string& fileName);

    int32_t m_MaxLevel = 0;
    bool m_Modified = false;

private:
    TMultiPar& Record(const std::string& name);
    const TMultiPar& Record(const std::string& name) const;

    Map m_Map;
};
