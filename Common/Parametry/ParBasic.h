// Root of the parameter value types: where a value lies in the configuration
// image, its default, whether it is saved, and the four conversions.
#pragma once

#include <cstdint>
#include <string>

class CParBasic {
public:
    explicit CParBasic(std::string defaultText) : m_Default(std::move(defaultText)) {}
    virtual ~CParBasic() = default;
    CParBasic(const CParBasic&) = delete;
    CParBasic& operator=(const CParBasic&) = delete;

    // Brings any text into the canonical form the registry stores.
    virtual std::string Normalize(const std::string& text) const = 0;
    // Bytes one row occupies in the image; -1 when the type has no image form.
    virtual int32_t ByteSize() const { return -1; }
    // Writes a canonical text into the bytes of one row.
    virtual void Encode(const std::string& text, uint8_t* row) const {
        (void)text;
        (void)row;
    }
    // Reads the text held by the bytes of one row.
    virtual std::string Decode(const uint8_t* row) const {
        (void)row;
        return {};
    }

    int32_t m_Address = -1; // byte of row 0 in the image, -1 outside it
    int32_t m_Stride = 0;   // bytes from one row to the next
    std::string m_Default;
    bool m_Saved = true;
};

// A text kept outside the image (the identity texts); m_MaxSize is informational.
class CParString : public CParBasic {
public:
    CParString(std::string defaultText, int32_t maxSize)
        : CParBasic(std::move(defaultText)), m_MaxSize(maxSize) {}
    std::string Normalize(const std::string& text) const override { return text; }

    int32_t m_MaxSize;
};

namespace kw {

// Optional white space, optional sign, then decimal digits up to the first other
// character; no digits gives 0. Saturates instead of overflowing on absurd input.
int64_t ParseNumber(const std::string& text);

} // namespace kw
