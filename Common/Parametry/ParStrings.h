// Text parameters held in the image: length-prefixed texts and packed dial strings.
#pragma once

#include "ParBasic.h"

// 1 length byte followed by up to m_MaxSize 8-bit characters.
class CParPasString : public CParString {
public:
    CParPasString(std::string defaultText, int32_t maxSize)
        : CParString(std::move(defaultText), maxSize) {}
    int32_t ByteSize() const override { return 1 + m_MaxSize; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;
};

// A dial string packed two characters a byte as 4-bit codes.
class CParPhoneString : public CParString {
public:
    CParPhoneString(std::string defaultText, int32_t maxSize, char extraChar, bool allowPlus)
        : CParString(std::move(defaultText), maxSize), m_ExtraChar(extraChar),
          m_AllowPlus(allowPlus) {}
    std::string Normalize(const std::string& text) const override;
    int32_t ByteSize() const override { return m_MaxSize / 2; }
    void Encode(const std::string& text, uint8_t* row) const override;
    std::string Decode(const uint8_t* row) const override;

    char m_ExtraChar; // 0 = none; stored as code 14
    bool m_AllowPlus;

protected:
    // Keeps the characters the string can hold, cut at maxChars.
    std::string FilterDialChars(const std::string& text, bool allowPlus, char extraChar) const;
};

// Digits only, padded up to m_MinSize with the digit (new length mod 10).
class CParStringNum : public CParPhoneString {
public:
    CParStringNum(std::string defaultText, int32_t maxSize, int32_t minSize)
        : CParPhoneString(std::move(defaultText), maxSize, 0, false), m_MinSize(minSize) {}
    std::string Normalize(const std::string& text) const override;

    int32_t m_MinSize;
};

// A PIN: empty stays empty, anything else as CParStringNum.
class CPIN : public CParStringNum {
public:
    using CParStringNum::CParStringNum;
    std::string Normalize(const std::string& text) const override;
};

// Digits only; fewer than m_MinSize digits means no value at all.
class CParStringNumEmpty : public CParPhoneString {
public:
    CParStringNumEmpty(std::string defaultText, int32_t maxSize, int32_t minSize)
        : CParPhoneString(std::move(defaultText), maxSize, 0, false), m_MinSize(minSize) {}
    std::string Normalize(const std::string& text) const override;

    int32_t m_MinSize;
};

// A service code that always ends in "#".
class CParPhoneCross : public CParPhoneString {
public:
    CParPhoneCross(std::string defaultText, int32_t maxSize)
        : CParPhoneString(std::move(defaultText), maxSize, 0, true) {}
    std::string Normalize(const std::string& text) const override;
};
