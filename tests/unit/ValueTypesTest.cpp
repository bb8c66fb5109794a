// Normalize, Encode and Decode of the value types, on the cases where a slip
// in a mask, a nibble order or a clamp would corrupt a gateway's memory.
#include "ParNumbers.h"
#include "ParStrings.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Row = std::array<uint8_t, 12>;

TEST(NumberParsing, FollowsTheTextRules) {
    EXPECT_EQ(kw::ParseNumber("  -42abc"), -42);
    EXPECT_EQ(kw::ParseNumber("+7"), 7);
    EXPECT_EQ(kw::ParseNumber("abc"), 0);
    EXPECT_EQ(kw::ParseNumber(""), 0);
    EXPECT_EQ(kw::ParseNumber("12 34"), 12);
    CParInt big(0, -100, 100, 0);
    EXPECT_EQ(big.Normalize("99999999999999999999999999"), "100");
    EXPECT_EQ(big.Normalize("-99999999999999999999999999"), "-100");
}

TEST(MaskByte, SetsOnlyItsOwnBits) {
    CParMaskByte flag(0, 0, 1, 1, 0x10);
    EXPECT_EQ(flag.m_Shift, 4);
    EXPECT_EQ(flag.Normalize("5"), "1");
    Row row{};
    row[0] = 0xEF;
    flag.Encode("1", row.data());
    EXPECT_EQ(row[0], 0xFF);
    flag.Encode("0", row.data());
    EXPECT_EQ(row[0], 0xEF);
    EXPECT_EQ(flag.Decode(row.data()), "0");
}

TEST(MaskByte, ScalesByStep) {
    CParMaskByte time(500, 100, 25500, 100, 0xFF);
    EXPECT_EQ(time.Normalize("550"), "500");
    EXPECT_EQ(time.Normalize("50"), "100");
    EXPECT_EQ(time.Normalize(""), "100");
    Row row{};
    time.Encode("1500", row.data());
    EXPECT_EQ(row[0], 15);
    row[0] = 255;
    EXPECT_EQ(time.Decode(row.data()), "25500");
}

TEST(MaskByte, ShiftFollowsLowestMaskBit) {
    EXPECT_EQ(CParMaskByte(0, 0, 3, 1, 0x30).m_Shift, 4);
    EXPECT_EQ(CParMaskByte(0, 0, 7, 1, 0xE0).m_Shift, 5);
    EXPECT_EQ(CParMaskByte(0, 0, 255, 1, 0xFF).m_Shift, 0);
    CParMaskByte bank(0, 0, 4, 1, 0xE0);
    Row row{};
    row[0] = 0x1F;
    bank.Encode("4", row.data());
    EXPECT_EQ(row[0], 0x9F);
    EXPECT_EQ(bank.Decode(row.data()), "4");
}

TEST(SpecialNumbers, SkipForbiddenValues) {
    CFXODetPermTone perm(2030, 0, 8925, 35, 0xFF);
    EXPECT_EQ(perm.Normalize("100"), "1610");
    EXPECT_EQ(perm.Normalize("0"), "0");
    EXPECT_EQ(perm.Normalize("2040"), "2030");
    CNumLngth length(0, 0, 15, 1, 0x0F);
    EXPECT_EQ(length.Normalize("2"), "3");
    EXPECT_EQ(length.Normalize("1"), "3");
    EXPECT_EQ(length.Normalize("0"), "0");
    EXPECT_EQ(length.Normalize("16"), "15");
    CFXODetConTone con(4, 0, 255, 1, 0xFF);
    EXPECT_EQ(con.Normalize("1"), "2");
    EXPECT_EQ(con.Normalize("0"), "0");
}

TEST(DtmfLength, IsStoredOneLess) {
    CFXODTMFLength length(100, 100, 1500, 100, 0xFF);
    Row row{};
    length.Encode("100", row.data());
    EXPECT_EQ(row[0], 0);
    length.Encode("1500", row.data());
    EXPECT_EQ(row[0], 14);
    EXPECT_EQ(length.Decode(row.data()), "1500");
    row[0] = 255;
    EXPECT_EQ(length.Decode(row.data()), "25500");
    EXPECT_EQ(length.Normalize(length.Decode(row.data())), "1500");
}

TEST(Words, ByteOrder) {
    CParWord word(425, 1, 3400, 1);
    Row row{};
    word.Encode("425", row.data());
    EXPECT_EQ(row[0], 0xA9);
    EXPECT_EQ(row[1], 0x01);
    EXPECT_EQ(word.Decode(row.data()), "425");
    CParWordBEnd big(0, 0, 65535, 1);
    big.Encode("65535", row.data());
    EXPECT_EQ(row[0], 0xFF);
    EXPECT_EQ(row[1], 0xFF);
    big.Encode("258", row.data());
    EXPECT_EQ(row[0], 0x01);
    EXPECT_EQ(row[1], 0x02);
    EXPECT_EQ(big.Decode(row.data()), "258");
    CParInt whole(0, -5000000, 5000000, 0);
    whole.Encode("-2", row.data());
    EXPECT_EQ(row[0], 0xFE);
    EXPECT_EQ(row[3], 0xFF);
    EXPECT_EQ(whole.Decode(row.data()), "-2");
}

TEST(Decimal3, HoldsAsciiDigitsRightAligned) {
    CParDecimal3 credit(0, 0, 999, 1);
    Row row{};
    row.fill(0xAA);
    credit.Encode("5", row.data());
    EXPECT_EQ(row[0], 0x00);
    EXPECT_EQ(row[1], 0x00);
    EXPECT_EQ(row[2], 0x35);
    EXPECT_EQ(credit.Decode(row.data()), "5");
    credit.Encode("42", row.data());
    EXPECT_EQ(row[1], 0x34);
    EXPECT_EQ(row[2], 0x32);
    row[0] = 0x31, row[1] = 0x32, row[2] = 0x33;
    EXPECT_EQ(credit.Decode(row.data()), "123");
    row.fill(0);
    EXPECT_EQ(credit.Decode(row.data()), "-48");
    EXPECT_EQ(credit.Normalize(credit.Decode(row.data())), "0");
}

TEST(DialString, NormalizeKeepsDialCharactersUpToMax) {
    CParPhoneString plus("", 16, 0, true);
    EXPECT_EQ(plus.Normalize("+98 (765) 432-10"), "+9876543210");
    CParPhoneString noPlus("", 4, 0, false);
    EXPECT_EQ(noPlus.Normalize("+12a*#99"), "12*#");
    CParPhoneString wildcard("", 16, '?', false);
    EXPECT_EQ(wildcard.Normalize("0?2x"), "0?2");
}

TEST(DialString, PacksHighNibbleFirstWithEndCode) {
    CParPhoneString plus("", 16, 0, true);
    Row row{};
    row.fill(0xFF);
    plus.Encode("+9876543210", row.data());
    EXPECT_EQ(row[0], 0xD9);
    EXPECT_EQ(row[5], 0xA0); // the eleventh character, then the end code
    EXPECT_EQ(row[6], 0xFF); // nothing after the end code is written
    EXPECT_EQ(plus.Decode(row.data()), "+9876543210");
}

TEST(DialString, FullFieldHasNoEndCode) {
    CParPhoneString field("", 16, 0, true);
    Row row{};
    row.fill(0);
    field.Encode("1234567890*#+123", row.data());
    EXPECT_EQ(row[7], 0x23);
    EXPECT_EQ(row[8], 0x00);
    row[8] = 0x11; // a decoder reading past the field would pick this up
    EXPECT_EQ(field.Decode(row.data()), "1234567890*#+123");
}

TEST(DialString, WildcardIsNibble14) {
    CParPhoneString wildcard("", 16, '?', false);
    Row row{};
    wildcard.Encode("12?4", row.data());
    EXPECT_EQ(row[0], 0x12);
    EXPECT_EQ(row[1], 0xE4);
    EXPECT_EQ(row[2] >> 4, 0);
    EXPECT_EQ(wildcard.Decode(row.data()), "12?4");
    CParPhoneString plain("", 16, 0, true);
    EXPECT_EQ(plain.Decode(row.data()), "12"); // 14 without an extra character ends
    row[0] = 0x1F;
    EXPECT_EQ(plain.Decode(row.data()), "1");
}

TEST(DigitStrings, PadCutAndEmpty) {
    CParStringNum password("40917", 8, 4);
    EXPECT_EQ(password.Normalize("7"), "7234");
    EXPECT_EQ(password.Normalize("78"), "7834");
    EXPECT_EQ(password.Normalize("1234567890"), "1234567890"); // no cut
    EXPECT_EQ(password.Normalize(""), "1234");
    CPIN pin("", 8, 4);
    EXPECT_EQ(pin.Normalize(""), "");
    EXPECT_EQ(pin.Normalize("12"), "1234");
    EXPECT_EQ(pin.Normalize("x"), "1234");
    CParStringNumEmpty network("", 6, 5);
    EXPECT_EQ(network.Normalize("9990"), "");
    EXPECT_EQ(network.Normalize("99901"), "99901");
    EXPECT_EQ(network.Normalize("999 01"), "99901");
    Row row{};
    password.Encode("1234567890", row.data());
    EXPECT_EQ(password.Decode(row.data()), "12345678");
}

TEST(PhoneCross, EndsInHash) {
    CParPhoneCross code("", 8);
    EXPECT_EQ(code.Normalize("*101"), "*101#");
    EXPECT_EQ(code.Normalize(""), "");
    EXPECT_EQ(code.Normalize("*101#"), "*101#");
    EXPECT_EQ(code.Normalize("+12345678"), "+1234567#"); // 8 kept, then the hash
    Row row{};
    code.Encode("*12#", row.data());
    EXPECT_EQ(code.Decode(row.data()), "*12#");
    code.Encode("12345678#", row.data());
    EXPECT_EQ(code.Decode(row.data()), "12345678");
    EXPECT_EQ(code.Normalize(code.Decode(row.data())), "12345678#");
}

TEST(PasString, LengthByteAndRawBytes) {
    CParPasString text("", 40);
    EXPECT_EQ(text.ByteSize(), 41);
    const std::string value = std::string("a\tb\"\\") + "\x80\xff";
    EXPECT_EQ(text.Normalize(value + std::string(50, 'z')), value + std::string(50, 'z'));
    Row row{};
    CParPasString shortText("", 10);
    shortText.Encode(value + "0123456789", row.data());
    EXPECT_EQ(row[0], 10);
    EXPECT_EQ(shortText.Decode(row.data()), (value + "0123456789").substr(0, 10));
    row[0] = 200; // a length beyond the field is cut to the field
    EXPECT_EQ(shortText.Decode(row.data()).size(), 10u);
}

TEST(ByteSizes, MatchTheImageFootprints) {
    EXPECT_EQ(CParString("", 8).ByteSize(), -1);
    EXPECT_EQ(CParPhoneString("", 16, 0, true).ByteSize(), 8);
    EXPECT_EQ(CParInt(0, 0, 1, 0).ByteSize(), 4);
    EXPECT_EQ(CParWord(0, 0, 1, 0).ByteSize(), 2);
    EXPECT_EQ(CParDecimal3(0, 0, 1, 0).ByteSize(), 3);
    EXPECT_EQ(CFXODTMFLength(100, 100, 1500, 100, 0xFF).ByteSize(), 1);
}

} // namespace
