// Number parameters: whole numbers, words, three ASCII digits and bit fields.
#pragma once

#include "ParBasic.h"

// A number clamped to m_Min..m_Max and moved down onto the grid m_Min + k * m_Step.
class CParInt : public CParBasic {
public:
    CParInt(int32_t defaultNumber, int32_t min, int32_t max, int32_t step)
        : CParBasic(std::to_string(defaultNumber)), m_Max(max), m_Min(min), m_Step(step) {}
    std::string Normalize(const std::string& text) const override;
    int32_t ByteSize() const override { return 4; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;

    int32_t m_Max;
    int32_t m_Min;
    int32_t m_Step;

protected:
    int32_t Value(const std::string& text) const;
};

// Unsigned 16 bits, least significant byte first.
class CParWord : public CParInt {
public:
    using CParInt::CParInt;
    int32_t ByteSize() const override { return 2; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;
};

// Unsigned 16 bits, most significant byte first.
class CParWordBEnd : public CParInt {
public:
    using CParInt::CParInt;
    int32_t ByteSize() const override { return 2; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;
};

// Up to three ASCII digits, right-aligned in three bytes.
class CParDecimal3 : public CParInt {
public:
    using CParInt::CParInt;
    int32_t ByteSize() const override { return 3; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;
};

// The bits of m_Mask in one byte, holding value / m_Step; other bits are kept.
class CParMaskByte : public CParInt {
public:
    CParMaskByte(int32_t defaultNumber, int32_t min, int32_t max, int32_t step, uint8_t mask);
    int32_t ByteSize() const override { return 1; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;

    uint8_t m_Mask;
    uint8_t m_Shift; // trailing zero bits of m_Mask

protected:
    std::string DecodeByte(uint8_t byte) const;
};

// A number length: 1 and 2 are not allowed and become 3.
class CNumLngth : public CParMaskByte {
public:
    using CParMaskByte::CParMaskByte;
    std::string Normalize(const std::string& text) const override;
};

// Permanent-tone detection: anything between 0 and 1610 becomes 1610.
class CFXODetPermTone : public CParMaskByte {
public:
    using CParMaskByte::CParMaskByte;
    std::string Normalize(const std::string& text) const override;
};

// Continuous-tone detection: 1 becomes 2.
class CFXODetConTone : public CParMaskByte {
public:
    using CParMaskByte::CParMaskByte;
    std::string Normalize(const std::string& text) const override;
};

// DTMF length, stored one less than the bit-field value.
class CFXODTMFLength : public CParMaskByte {
public:
    using CParMaskByte::CParMaskByte;
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;
};
