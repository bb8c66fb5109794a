// The registry's bookkeeping: defaults, modified flag and the image.
#include "ConfigImage.h"
#include "ParNumbers.h"
#include "ParStrings.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override { kw::RegisterCatalogue(p); }
    CParameters p;
};

TEST_F(Registry, ResetGivesDefaultsAndForgetsPresence) {
    std::mt19937 random(1);
    kw::test::FillRandom(p, random);
    p.Find("FXSVolRec")->Present = true;
    p.ResetAll();
    EXPECT_FALSE(p.m_Modified);
    for (const auto& [name, rc] : p.Records()) {
        EXPECT_FALSE(p.WasPresent(name)) << name;
        for (const auto& value : rc.Values)
            EXPECT_EQ(value, rc.Type->m_Default) << name;
    }
    EXPECT_EQ(p.GetValue("ServisPassw", 0), "40917");
    EXPECT_EQ(p.GetValue("FXODetPermTone", 0), "2030");
    EXPECT_FALSE(p.WasPresent("NoSuchName"));
}

TEST_F(Registry, SetValueNormalizesAndAlwaysMarksModified) {
    p.SetValue("FXSVolRec", 0, "3");
    EXPECT_TRUE(p.m_Modified);
    p.SetValue("FXSHangMin", 0, "550");
    EXPECT_EQ(p.GetValue("FXSHangMin", 0), "500");
    std::string text = "+42 (0)";
    p.NormalizeByName("GSMDefDialNum", text);
    EXPECT_EQ(text, "420");
}

TEST_F(Registry, SetDefaultLeavesModifiedAlone) {
    p.SetValue("FreeMins", 2, "77");
    p.m_Modified = false;
    p.SetDefault("FreeMins");
    EXPECT_EQ(p.GetValue("FreeMins", 2), "0");
    EXPECT_FALSE(p.m_Modified);
}

TEST_F(Registry, RegisteringTwiceKeepsTheFirst) {
    p.Register(3, "FXSVolRec", new CParMaskByte(1, 0, 1, 1, 0x01), 7, 0x500, 1);
    const TMultiPar* rc = p.Find("FXSVolRec");
    EXPECT_EQ(rc->Count, 1);
    EXPECT_EQ(rc->Level, 0);
    EXPECT_EQ(rc->Type->m_Address, 0x021);
    EXPECT_EQ(p.m_MaxLevel, 1);
}

TEST_F(Registry, ImageRoundTripGivesCanonicalValuesBack) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        kw::test::FillRandom(p, random);
        std::vector<uint8_t> image(kw::kImageSize, 0xCC);
        p.StoreToImage(image.data(), kw::kImageSize);
        CParameters back;
        kw::RegisterCatalogue(back);
        back.LoadFromImage(image.data(), kw::kImageSize);
        EXPECT_FALSE(back.m_Modified);
        for (const auto& [name, rc] : p.Records()) {
            const TMultiPar* got = back.Find(name);
            for (int32_t row = 0; row < rc.Count; ++row) {
                const std::string expected = rc.Type->m_Address == -1
                                                 ? rc.Type->m_Default
                                                 : kw::test::AfterImage(*rc.Type, rc.Values[row]);
                ASSERT_EQ(got->Values[row], expected) << name << " row " << row << " seed " << seed;
            }
        }
    }
}

TEST_F(Registry, StoreToImageClearsUncoveredBytes) {
    std::vector<uint8_t> image(kw::kImageSize, 0xCC);
    p.StoreToImage(image.data(), kw::kImageSize);
    for (int i = 0x800; i < 0x1000; ++i)
        ASSERT_EQ(image[i], 0) << i;
    for (int i = 0x2F68; i < kw::kImageSize; ++i)
        ASSERT_EQ(image[i], 0) << i;
    EXPECT_EQ(image[0x7FE], 0);
    EXPECT_EQ(image[0x1000 + 21], 0); // the unused tail of an FXS row
}

TEST_F(Registry, ShortImageNeverWritesPastItsEnd) {
    std::vector<uint8_t> image(0x100, 0xCC);
    p.StoreToImage(image.data(), static_cast<int32_t>(image.size()));
    EXPECT_EQ(image[0x001], 5);
    p.SetValue("FXSVolRec", 0, "1");
    p.LoadFromImage(image.data(), static_cast<int32_t>(image.size()));
    EXPECT_EQ(p.GetValue("FXSVolRec", 0), "3");
    EXPECT_EQ(p.GetValue("GSMNum", 119), "");
}

using RegistryDeathTest = Registry;

TEST_F(RegistryDeathTest, UnknownNameEndsTheProgramWithAMessage) {
    EXPECT_EXIT(p.GetValue("NoSuchName", 0), ::testing::ExitedWithCode(70),
                "Parameter 'NoSuchName' not found!");
}

TEST_F(RegistryDeathTest, RowOutOfRangeIsAnAssertion) {
    EXPECT_DEATH(p.GetValue("FXSVolRec", 1), "num>=0 && num<rc->Count");
    EXPECT_DEATH(p.SetValue("GSMNum", -1, "1"), "num>=0 && num<rc->Count");
}

} // namespace
