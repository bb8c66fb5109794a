// The simulated gateway's flash: page and block dialects, echoes, read-back,
// a whole upgrade for every hardware letter, and the faults of an upgrade.
#include "SimRig.h"

#include "Crc32.h"
#include "FirmwareFile.h"
#include "FirmwareLayout.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using sim::GatewayFaults;

sim::GatewayIdentity Letter(char letter) {
    return {letter, "1.07", "10-2024-0001", ""};
}

std::string PageWrite(const std::vector<uint8_t>& slice, int page) {
    return 'K' + Le16(page) + Bytes(slice.data() + page * 256, 256);
}

std::string BlockWrite(const std::vector<uint8_t>& slice, int block) {
    const int address = block * 2048;
    const char letter = address >= 65536 ? 'Q' : 'K';
    return letter + Be16(address) + Bytes(slice.data() + address, 2048);
}

std::string Echo(const std::vector<uint8_t>& slice, int block) {
    const int address = block * 2048;
    const uint32_t crc = Crc32(slice.data() + address, 2048);
    std::string echo = std::string(1, address >= 65536 ? 'Q' : 'K') + Be16(address);
    for (int i = 0; i < 4; ++i)
        echo += char(crc >> (8 * i));
    return echo;
}

TEST(FirmwareLayout, SlicesTileTheFileAndVersionsAreChecked) {
    int32_t end = 0;
    for (char letter : {'A', 'D', 'C', 'E', 'F', 'G'}) {
        const FirmwareSlice slice = SliceFor(letter);
        EXPECT_EQ(slice.offset, end) << letter;
        EXPECT_EQ(slice.size % slice.blockSize, 0) << letter;
        end = slice.offset + slice.size;
    }
    EXPECT_EQ(end, kFirmwareFileSize);
    EXPECT_EQ(SliceFor('A').Blocks(), 240);
    EXPECT_EQ(SliceFor('E').Blocks(), 60);
    EXPECT_EQ(SliceFor('E').VersionOffset(), 122864);
    EXPECT_EQ(SliceFor('B').letter, 'G');
    EXPECT_TRUE(IsValidFirmwareVersion("1.07"));
    EXPECT_TRUE(IsValidFirmwareVersion("A.1"));
    EXPECT_FALSE(IsValidFirmwareVersion("BOOT"));
    EXPECT_FALSE(IsValidFirmwareVersion(""));
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
}

TEST(FirmwareFile, SyntheticFileHasVersionsSumsAndAnEmptyDeviceArea) {
    const std::vector<uint8_t> file = MakeFirmware("1.08", 3, {{'E', "2.00"}});
    ASSERT_EQ(file.size(), size_t(kFirmwareFileSize));
    for (char letter : {'A', 'D', 'C', 'E', 'F', 'G'}) {
        const FirmwareSlice layout = SliceFor(letter);
        const std::vector<uint8_t> slice = FirmwareSliceOf(file, letter);
        EXPECT_EQ(SliceVersionText(slice.data(), layout), letter == 'E' ? "2.00" : "1.08");
        EXPECT_EQ(StoredSliceSum(slice.data(), layout), SliceSum(slice.data(), layout));
        if (layout.hasDeviceArea) {
            EXPECT_EQ(std::count(slice.begin() + kDeviceAreaOffset,
                                 slice.begin() + kDeviceAreaOffset + kDeviceAreaSize, 0),
                      kDeviceAreaSize);
        }
    }
}

TEST(SimFlash, StartsWithAVersionASumAndADeviceAreaOfItsOwn) {
    for (char letter : {'A', 'D', 'E'}) {
        sim::GatewayFlash flash(letter, "1.07", "10-2024-0001");
        const FirmwareSlice& layout = flash.Layout();
        EXPECT_EQ(flash.Bytes().size(), size_t(layout.size));
        EXPECT_EQ(flash.VersionText(), "1.07");
        EXPECT_EQ(StoredSliceSum(flash.Bytes().data(), layout),
                  SliceSum(flash.Bytes().data(), layout));
        if (layout.hasDeviceArea) {
            EXPECT_NE(flash.Bytes()[kDeviceAreaOffset], 0) << letter;
        }
    }
}

TEST(SimFlash, PageDialectAcknowledgesAndReadsBack) {
    SimRig rig(Letter('A'));
    const std::vector<uint8_t> slice = FirmwareSliceOf(MakeFirmware("1.08"), 'A');
    EXPECT_EQ(rig.Send(PageWrite(slice, 5)), "X");
    const std::string read = rig.Send('O' + Le16(5));
    ASSERT_EQ(read.size(), 259u);
    EXPECT_EQ(read.substr(3), Bytes(slice.data() + 5 * 256, 256));
    // The device area can be fetched before anything was written.
    EXPECT_EQ(rig.Send('O' + Le16(238)).substr(3),
              Bytes(rig.model.Flash().Bytes().data() + kDeviceAreaOffset, 256));
    EXPECT_EQ(rig.Send('K' + Le16(240) + std::string(256, '\0')), "Y");
    EXPECT_EQ(rig.log, (std::vector<std::string>{"K page 5 X", "O page 5", "O page 238",
                                                 "K page 240 Y out-of-range"}));
}

TEST(SimFlash, BlockDialectEchoesAddressAndCrc) {
    SimRig rig(Letter('E'));
    const std::vector<uint8_t> slice = FirmwareSliceOf(MakeFirmware("1.08"), 'E');
    // Block 31 at 63488 goes with "K" and 0xF8 0x00; block 32 at 65536 with "Q" and 0x00 0x00.
    EXPECT_EQ(BlockWrite(slice, 31).substr(0, 3), std::string("K\xF8\x00", 3));
    EXPECT_EQ(BlockWrite(slice, 32).substr(0, 3), std::string("Q\x00\x00", 3));
    EXPECT_EQ(rig.Send(BlockWrite(slice, 31)), Echo(slice, 31));
    EXPECT_EQ(rig.Send(BlockWrite(slice, 32)), Echo(slice, 32));
    const std::vector<uint8_t>& flash = rig.model.Flash().Bytes();
    EXPECT_TRUE(std::equal(flash.begin() + 63488, flash.begin() + 67584, slice.begin() + 63488));
    EXPECT_EQ(rig.log, (std::vector<std::string>{"K block 31", "Q block 32"}));
}

TEST(SimFlash, WholeUpgradeMakesTheFlashEqualTheSliceForEveryLetter) {
    const std::vector<uint8_t> file = MakeFirmware("1.08", 7);
    for (char letter : {'A', 'C', 'D', 'E', 'F', 'G'}) {
        SCOPED_TRACE(letter);
        SimRig rig(Letter(letter), Faults({"invalid-version-until-upgrade"}));
        std::vector<uint8_t> slice = FirmwareSliceOf(file, letter);
        const FirmwareSlice layout = SliceFor(letter);
        EXPECT_EQ(rig.Send("C"), std::string("CBOOT\0", 6));
        for (int unit = 0; unit < layout.Blocks(); ++unit) {
            if (layout.PageDialect())
                ASSERT_EQ(rig.Send(PageWrite(slice, unit)), "X") << unit;
            else
                ASSERT_EQ(rig.Send(BlockWrite(slice, unit)), Echo(slice, unit)) << unit;
        }
        EXPECT_EQ(rig.model.Flash().Bytes(), slice);
        EXPECT_EQ(rig.log.back(), "upgrade complete 1.08");
        EXPECT_EQ(rig.Send("C"), std::string("C1.08\0", 6));
        EXPECT_EQ(rig.flashWrites, layout.Blocks());
    }
}

TEST(SimFlash, RefusedPagesWrongEchoesAndBadReadbacks) {
    const std::vector<uint8_t> slice = FirmwareSliceOf(MakeFirmware("1.08"), 'A');
    SimRig pages(Letter('A'), Faults({"refuse-page:3", "bad-readback:4:2"}));
    EXPECT_EQ(pages.Send(PageWrite(slice, 3)), "Y");
    EXPECT_EQ(pages.Send(PageWrite(slice, 3)), "X");
    EXPECT_EQ(pages.Send(PageWrite(slice, 4)), "X");
    for (int i = 0; i < 3; ++i) {
        const std::string read = pages.Send('O' + Le16(4)).substr(3);
        EXPECT_EQ(read == Bytes(slice.data() + 1024, 256), i == 2) << i;
    }

    const std::vector<uint8_t> blocks = FirmwareSliceOf(MakeFirmware("1.08"), 'D');
    SimRig echoes(Letter('D'), Faults({"bad-echo:2:2"}));
    EXPECT_NE(echoes.Send(BlockWrite(blocks, 2)), Echo(blocks, 2));
    EXPECT_NE(echoes.Send(BlockWrite(blocks, 2)), Echo(blocks, 2));
    EXPECT_EQ(echoes.Send(BlockWrite(blocks, 2)), Echo(blocks, 2));
    EXPECT_EQ(echoes.log,
              (std::vector<std::string>{"K block 2 bad-echo", "K block 2 bad-echo", "K block 2"}));
}

TEST(SimFlash, FallsSilentMidUpgrade) {
    const std::vector<uint8_t> slice = FirmwareSliceOf(MakeFirmware("1.08"), 'C');
    SimRig rig(Letter('C'), Faults({"silent-after-blocks:2"}));
    EXPECT_EQ(rig.Send(BlockWrite(slice, 0)).size(), 7u);
    EXPECT_EQ(rig.Send(BlockWrite(slice, 1)).size(), 7u);
    EXPECT_EQ(rig.Send(BlockWrite(slice, 2)), "");
    EXPECT_EQ(rig.Send("U"), "");
    EXPECT_EQ(rig.log.back(), "U silent");
}

TEST(SimFlash, UnknownHardwareLetterUsesTheLastSlice) {
    SimRig rig(Letter('B'));
    EXPECT_EQ(rig.Send("B"), std::string("BB\0", 3));
    EXPECT_EQ(rig.model.Flash().Layout().letter, 'G');
    EXPECT_EQ(rig.Send('K' + Be16(0) + std::string(2048, '\0')).size(), 7u);
}

} // namespace
} // namespace kw::test
