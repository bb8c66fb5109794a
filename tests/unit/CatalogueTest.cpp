// The catalogue as the gateway's memory layout: default image bytes, shared
// bit-field bytes, table geometry, and the region checksums.
#include "ConfigImage.h"
#include "ParNumbers.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

namespace {

std::vector<uint8_t> DefaultImage() {
    CParameters p;
    kw::RegisterCatalogue(p);
    std::vector<uint8_t> image(kw::kImageSize);
    p.StoreToImage(image.data(), kw::kImageSize);
    return image;
}

// Every non-zero byte the defaults produce; everything else must be 0.
std::map<int, uint8_t> ExpectedDefaultBytes() {
    std::map<int, uint8_t> bytes{{0x001, 5},  {0x002, 5},  {0x020, 3},  {0x021, 3},   {0x022, 3},
                                 {0x023, 3},  {0x024, 50}, {0x099, 1},  {0x0D0, 20},  {0x0D1, 10},
                                 {0x0D2, 5},  {0x100, 1},  {0x101, 15}, {0x102, 5},   {0x104, 15},
                                 {0x105, 15}, {0x111, 4},  {0x112, 58}, {0x317, 0x30}};
    for (int word : {0x004, 0x006, 0x008, 0x00A, 0x00D, 0x00F, 0x121, 0x123, 0x126, 0x128}) {
        bytes[word] = 0xA9;
        bytes[word + 1] = 0x01;
    }
    // The factory service password 40917, packed as dial nibbles.
    bytes[0x7F6] = 0x4A;
    bytes[0x7F7] = 0x91;
    bytes[0x7F8] = 0x70;
    return bytes;
}

TEST(Catalogue, Has153ParametersWithTheirRowCounts) {
    CParameters p;
    kw::RegisterCatalogue(p);
    EXPECT_EQ(p.Records().size(), 153u);
    int tables = 0, banks = 0;
    for (const auto& [name, rc] : p.Records()) {
        tables += rc.Count == 120;
        banks += rc.Count == 4;
        EXPECT_EQ(rc.Level, name == "HWVer" ? 1 : 0) << name;
        EXPECT_EQ(rc.Type->m_Saved, name != "PINVal" && name != "ServisPassw") << name;
    }
    EXPECT_EQ(tables, 24);
    EXPECT_EQ(banks, 5);
    EXPECT_EQ(p.m_MaxLevel, 1);
}

TEST(Catalogue, DefaultImageHasExactlyTheListedBytes) {
    const auto image = DefaultImage();
    const auto expected = ExpectedDefaultBytes();
    for (int i = 0; i < kw::kImageSize; ++i) {
        auto it = expected.find(i);
        ASSERT_EQ(image[i], it == expected.end() ? 0 : it->second) << "byte 0x" << std::hex << i;
    }
}

TEST(Catalogue, NoTwoParametersClaimTheSameBits) {
    CParameters p;
    kw::RegisterCatalogue(p);
    std::vector<uint8_t> claimed(kw::kImageSize, 0);
    for (const auto& [name, rc] : p.Records()) {
        if (rc.Type->m_Address < 0)
            continue;
        for (int32_t row = 0; row < rc.Count; ++row) {
            const int32_t at = rc.Type->m_Address + row * rc.Type->m_Stride;
            const int32_t size = rc.Type->ByteSize();
            ASSERT_LE(at + size, 0x2F68) << name;
            auto* mask = dynamic_cast<const CParMaskByte*>(rc.Type.get());
            const uint8_t own = mask ? mask->m_Mask : 0xFF;
            for (int32_t b = 0; b < size; ++b) {
                ASSERT_EQ(claimed[at + b] & own, 0) << name << " row " << row;
                claimed[at + b] |= own;
            }
        }
    }
    EXPECT_EQ(claimed[0x7FE], 0);
    EXPECT_EQ(claimed[0x2FFE], 0);
}

TEST(Catalogue, SharedBitFieldBytesDoNotDependOnEncodingOrder) {
    CParameters p;
    kw::RegisterCatalogue(p);
    std::mt19937 random(7);
    // Every multi-parameter byte, its sharers set to non-zero values.
    const std::vector<std::pair<int, std::vector<std::pair<const char*, const char*>>>> shared{
        {0x000, {{"FXSTypeDial", "1"}, {"FXSSigBeep", "1"}, {"FXSDTMFType", "1"}}},
        {0x003,
         {{"FXSSigCall", "1"},
          {"FXSFrekvTarImp", "1"},
          {"FXSSigOfCall", "3"},
          {"FXSCallPartyCtrl", "1"}}},
        {0x00C, {{"FXSToneAfter", "1"}, {"FXSDialToneCad", "1"}, {"FXSConToneCad", "4"}}},
        {0x025, {{"FXSSendClip", "1"}, {"FXSAlertCadency", "2"}, {"FXSAlertCadencyData", "3"}}},
        {0x070,
         {{"FXSDefPermitted", "1"},
          {"FXSDefDirection", "2"},
          {"FXSDefNumLength", "9"},
          {"FXSDefNumEnd", "1"}}},
        {0x071, {{"FXSDefRemove", "20"}, {"FXSDefBankNumber", "4"}}},
        {0x0B0, {{"FXODefPermitted", "1"}, {"FXODefNumLength", "15"}, {"FXODefNumEnd", "1"}}},
        {0x0B1, {{"FXODefRemove", "17"}, {"FXODefBankNumber", "3"}}},
        {0x0D3, {{"GSMFaxTo", "1"}, {"GSMDataTo", "1"}}},
        {0x103, {{"FXOSigEDialBeep", "1"}, {"FXODialType", "1"}, {"FXODTMFType", "1"}}},
        {0x300, {{"CLIRInk", "2"}, {"RoamPerm", "1"}, {"CallHandOver", "1"}, {"AMREnabled", "1"}}},
        {0x380, {{"COMPerm", "1"}, {"BateryOut", "1"}}},
    };
    const std::map<int, uint8_t> expectedByte{
        {0x000, 0x13}, {0x003, 0x73}, {0x00C, 0x54}, {0x025, 0xB2}, {0x070, 0xE9}, {0x071, 0x94},
        {0x0B0, 0xCF}, {0x0B1, 0x71}, {0x0D3, 0x03}, {0x103, 0x31}, {0x300, 0xCA}, {0x380, 0x03}};
    for (const auto& [address, sharers] : shared)
        for (const auto& [name, value] : sharers)
            p.SetValue(name, 0, value);
    for (const auto& [address, sharers] : shared) {
        std::vector<const TMultiPar*> order;
        for (const auto& [name, value] : sharers)
            order.push_back(p.Find(name));
        for (int shuffle = 0; shuffle < 6; ++shuffle) {
            std::shuffle(order.begin(), order.end(), random);
            uint8_t byte[1] = {0};
            for (const TMultiPar* rc : order)
                rc->Type->Encode(rc->Values[0], byte);
            EXPECT_EQ(byte[0], expectedByte.at(address)) << std::hex << address;
        }
    }
    std::vector<uint8_t> image(kw::kImageSize);
    p.StoreToImage(image.data(), kw::kImageSize);
    for (const auto& [address, byte] : expectedByte)
        EXPECT_EQ(image[address], byte) << std::hex << address;
}

TEST(Catalogue, RoutingRowFlagsShareTheirBytes) {
    CParameters p;
    kw::RegisterCatalogue(p);
    p.SetValue("FXSPermitted", 5, "1");
    p.SetValue("FXSNumEnd", 5, "1");
    p.SetValue("FXSDirection", 5, "3");
    p.SetValue("FXSNumLength", 5, "12");
    p.SetValue("FXSBankNumber", 5, "4");
    p.SetValue("FXSRemove", 5, "20");
    p.SetValue("FXOPermitted", 0, "1");
    p.SetValue("FXONumLength", 0, "1");
    p.SetValue("GSMSubString", 119, "15");
    p.SetValue("GSMDirection", 119, "4");
    std::vector<uint8_t> image(kw::kImageSize);
    p.StoreToImage(image.data(), kw::kImageSize);
    EXPECT_EQ(image[0x1000 + 5 * 24 + 8], 0xFC);
    EXPECT_EQ(image[0x1000 + 5 * 24 + 9], 0x94);
    EXPECT_EQ(image[0x1B40 + 8], 0x83); // length 1 becomes 3
    EXPECT_EQ(image[0x2590 + 119 * 21 + 8], 0xF4);
}

TEST(Catalogue, TableGeometry) {
    CParameters p;
    kw::RegisterCatalogue(p);
    auto at = [&](const char* name, int row) {
        const auto& type = *p.Find(name)->Type;
        return type.m_Address + row * type.m_Stride;
    };
    EXPECT_EQ(at("FXSNumBegin", 119), 0x1B28);
    EXPECT_EQ(at("FXSCallTime", 119), 0x1B3C);
    EXPECT_EQ(at("FXONumBegin", 0), 0x1B40);
    EXPECT_EQ(at("GSMCallTime", 119), 0x2F64);
    EXPECT_EQ(at("RemainMins", 3), 0x43C);
    p.SetValue("MinCredit", 0, "7");
    p.SetValue("RemainMins", 3, "300");
    std::vector<uint8_t> image(kw::kImageSize);
    p.StoreToImage(image.data(), kw::kImageSize);
    EXPECT_EQ(image[0x315], 0x00);
    EXPECT_EQ(image[0x316], 0x00);
    EXPECT_EQ(image[0x317], 0x37);
    EXPECT_EQ(image[0x43C], 0x01);
    EXPECT_EQ(image[0x43D], 0x2C);
}

TEST(RegionChecksum, StoresOnesComplementLowByteFirst) {
    std::vector<uint8_t> image(kw::kImageSize, 0);
    image[0] = 0x34;
    image[1] = 0x12; // sum 0x46
    image[2045] = 0xFF;
    EXPECT_EQ(kw::RegionSum(image.data(), kw::kRegionA), 0x145);
    kw::StoreRegionChecksum(image.data(), kw::kRegionA);
    EXPECT_EQ(image[2046], 0xBA);
    EXPECT_EQ(image[2047], 0xFE);
    EXPECT_TRUE(kw::RegionChecksumValid(image.data(), kw::kRegionA));
    image[100] ^= 1;
    EXPECT_FALSE(kw::RegionChecksumValid(image.data(), kw::kRegionA));
}

TEST(RegionChecksum, SumOf0x1234IsValidWithCBED) {
    std::vector<uint8_t> image(kw::kImageSize, 0);
    int remaining = 0x1234;
    for (int i = 4096; remaining > 0; ++i) {
        image[i] = static_cast<uint8_t>(std::min(remaining, 255));
        remaining -= image[i];
    }
    image[12286] = 0xCB;
    image[12287] = 0xED;
    EXPECT_TRUE(kw::RegionChecksumValid(image.data(), kw::kRegionB));
    EXPECT_FALSE(kw::RegionChecksumValid(image.data(), kw::kRegionA));
    image[12285] = 1; // the byte just before the checksum counts
    EXPECT_FALSE(kw::RegionChecksumValid(image.data(), kw::kRegionB));
}

TEST(RegionChecksum, SumWrapsModulo65536) {
    std::vector<uint8_t> image(kw::kImageSize, 0xFF);
    kw::StoreRegionChecksum(image.data(), kw::kRegionB);
    // 8190 * 255 = 0x1FDE02, so 0xDE02 is stored inverted.
    EXPECT_EQ(image[12286], 0xFD);
    EXPECT_EQ(image[12287], 0x21);
    EXPECT_TRUE(kw::RegionChecksumValid(image.data(), kw::kRegionB));
}

} // namespace
