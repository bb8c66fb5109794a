// Every fault of the simulated gateway against read, write and upgrade on the
// cable, through the real command-line tool and simulator. Each cell states
// the exit code, what stderr or stdout must say, how long the command may take
// at most, and what the gateway's memory or flash holds afterwards; a failed
// read leaves the file it was to write untouched, and where a write left a
// region half-written, a following read reports it instead of loading it.
#include "ConfigImage.h"
#include "FirmwareFile.h"
#include "FirmwareLayout.h"
#include "GatewayRig.h"
#include "ParameterCatalogue.h"
#include "RandomConfiguration.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <sys/wait.h>

namespace {

using namespace kw::test;

enum class Command { Read, Write, Upgrade };

// The gateway's memory after a write.
enum class Memory {
    Unchanged,
    Written,     // the configuration, with the gateway's own ranges kept
    RegionAOnly, // region A written, region B as it was
    Mixed,       // region A written, region B partly
};

// The gateway's flash after an upgrade.
enum class Flash { Unchanged, Upgraded, Partial };

// What a read of the memory a write left behind does.
enum class Following { Nothing, ReadFails, ReadLoads };

struct Cell {
    const char* name;
    Command command;
    std::vector<std::string> faults;
    char letter; // the gateway's hardware
    int exitCode;
    std::vector<std::string> saying; // each appears in stderr or stdout
    bool mayBeIncomplete;            // the interrupted-write message appears
    int boundMs;                     // the command ends within this
    Memory memory = Memory::Unchanged;
    Flash flash = Flash::Unchanged;
    Following following = Following::Nothing;
    std::vector<std::pair<std::string, int>> logged = {}; // simulator log lines, counted
};

void PrintTo(const Cell& cell, std::ostream* out) {
    *out << cell.name;
}

const std::string kNoAnswer = "no answer from the gateway within 2 s";
const std::string kTimeOut = "the gateway stopped answering (time-out)";
const std::string kChecksums =
    "the gateway's configuration memory failed its checksums three times";
const std::string kNotTaken = "the gateway did not take the configuration";
const std::string kUnknownLetter = "the gateway reports an unknown hardware letter";
const std::string kFirmwareCheck = "the gateway's firmware fails the check";
const std::string kIncomplete =
    "The gateway's configuration may be incomplete; writing again will repair it.";
const std::string kUpgraded = "replaced by 1.08";

// How long a cell may take: the attach limit or the reply time-out it runs
// into, and room for starting the programs and moving the bytes on a busy
// machine (a whole upgrade is some 60 000 of them).
constexpr int kQuick = 10000;
constexpr int kWholeUpgrade = 30000;
constexpr int kLongTimeOut = 20000 + 10000;

Cell ReadCell(const char* name, std::vector<std::string> faults, int exitCode, std::string saying,
              int boundMs = kQuick, std::vector<std::pair<std::string, int>> logged = {}) {
    return {name,
            Command::Read,
            std::move(faults),
            'A',
            exitCode,
            {std::move(saying)},
            false,
            boundMs,
            Memory::Unchanged,
            Flash::Unchanged,
            Following::Nothing,
            std::move(logged)};
}

Cell WriteCell(const char* name, std::vector<std::string> faults, int exitCode,
               std::vector<std::string> saying, bool mayBeIncomplete, Memory memory,
               int boundMs = kQuick, Following following = Following::Nothing,
               std::vector<std::pair<std::string, int>> logged = {}) {
    return {name,     Command::Write,    std::move(faults), 'A',
            exitCode, std::move(saying), mayBeIncomplete,   boundMs,
            memory,   Flash::Unchanged,  following,         std::move(logged)};
}

Cell UpgradeCell(const char* name, char letter, std::vector<std::string> faults, int exitCode,
                 std::string saying, Flash flash, int boundMs = kWholeUpgrade,
                 std::vector<std::pair<std::string, int>> logged = {}) {
    return {
        name,  Command::Upgrade, std::move(faults), letter, exitCode,           {std::move(saying)},
        false, boundMs,          Memory::Unchanged, flash,  Following::Nothing, std::move(logged)};
}

const Cell kCells[] = {
    // bad-checksum-a, bad-checksum-b
    ReadCell("read_bad_checksum_a", {"bad-checksum-a:3"}, 1, kChecksums, kQuick,
             {{"e bad-checksum", 3}, {"E", 0}}),
    WriteCell("write_bad_checksum_a", {"bad-checksum-a:4"}, 1, {kChecksums}, false,
              Memory::Unchanged),
    UpgradeCell("upgrade_bad_checksum_a", 'D', {"bad-checksum-a:3"}, 0, kUpgraded, Flash::Upgraded),
    ReadCell("read_bad_checksum_b", {"bad-checksum-b:3"}, 1, kChecksums, kQuick,
             {{"e", 1}, {"E bad-checksum", 3}}),
    // The read-back of region B differs once: region B goes again.
    WriteCell("write_bad_checksum_b", {"bad-checksum-b:1"}, 0, {}, false, Memory::Written, kQuick,
              Following::Nothing, {{"G chunk 0 X", 2}, {"G chunk 3 X", 2}}),
    UpgradeCell("upgrade_bad_checksum_b", 'D', {"bad-checksum-b:3"}, 0, kUpgraded, Flash::Upgraded),
    // refuse-g, refuse-g-chunk
    ReadCell("read_refuse_g", {"refuse-g:3"}, 0, ""),
    WriteCell("write_refuse_g", {"refuse-g:3"}, 1, {kNotTaken}, false, Memory::Unchanged, kQuick,
              Following::Nothing, {{"g Y", 3}, {"G chunk 0 X", 0}}),
    UpgradeCell("upgrade_refuse_g", 'D', {"refuse-g:3"}, 0, kUpgraded, Flash::Upgraded),
    ReadCell("read_refuse_g_chunk", {"refuse-g-chunk:2:3"}, 0, ""),
    WriteCell("write_refuse_g_chunk", {"refuse-g-chunk:2:3"}, 1, {kNotTaken}, true, Memory::Mixed,
              kQuick, Following::ReadFails, {{"G chunk 2 Y", 3}}),
    UpgradeCell("upgrade_refuse_g_chunk", 'D', {"refuse-g-chunk:2:3"}, 0, kUpgraded,
                Flash::Upgraded),
    // silent, silent-after, silent-after-blocks
    ReadCell("read_silent", {"silent"}, 1, kNoAnswer),
    WriteCell("write_silent", {"silent"}, 1, {kNoAnswer}, false, Memory::Unchanged),
    UpgradeCell("upgrade_silent", 'D', {"silent"}, 1, kNoAnswer, Flash::Unchanged, kQuick),
    // Silent from the tenth command on: "E".
    ReadCell("read_silent_after", {"silent-after:9"}, 1, kTimeOut, kQuick, {{"E silent", 1}}),
    // Silent from "G" on: region A is written, region B waits in vain.
    WriteCell("write_silent_after", {"silent-after:8"}, 1, {kTimeOut}, true, Memory::RegionAOnly,
              kLongTimeOut, Following::ReadLoads),
    // Silent at the read-back of page 2.
    UpgradeCell("upgrade_silent_after", 'A', {"silent-after:10"}, 1, kTimeOut, Flash::Partial,
                kQuick, {{"O page 2 silent", 1}}),
    ReadCell("read_silent_after_blocks", {"silent-after-blocks:5"}, 0, ""),
    WriteCell("write_silent_after_blocks", {"silent-after-blocks:5"}, 0, {}, false,
              Memory::Written),
    // Silent once five pages are in: at the read-back of page 4.
    UpgradeCell("upgrade_silent_after_blocks", 'A', {"silent-after-blocks:5"}, 1, kTimeOut,
                Flash::Partial, kQuick, {{"K page 4 X", 1}, {"O page 4 silent", 1}}),
    // trickle: slow but steady replies never time out.
    ReadCell("read_trickle", {"trickle:1"}, 0, "", 40000),
    WriteCell("write_trickle", {"trickle:1"}, 0, {}, false, Memory::Written, 60000),
    UpgradeCell("upgrade_trickle", 'D', {"trickle:1"}, 0, kUpgraded, Flash::Upgraded),
    // drop-after: the line goes while region B comes in, while region A is
    // read back after writing, while page 238 comes in.
    ReadCell("read_drop_after", {"drop-after:3000"}, 1, kTimeOut),
    WriteCell("write_drop_after", {"drop-after:6000"}, 1, {kTimeOut}, true, Memory::RegionAOnly,
              kQuick, Following::ReadLoads),
    UpgradeCell("upgrade_drop_after", 'D', {"drop-after:200"}, 1, kTimeOut, Flash::Unchanged),
    // drop-after-received: the line goes after the identity questions, in
    // the middle of region B's second chunk, in the middle of page 7.
    ReadCell("read_drop_after_received", {"drop-after-received:6"}, 1, kTimeOut),
    WriteCell("write_drop_after_received", {"drop-after-received:5000"}, 1, {kTimeOut}, true,
              Memory::Mixed, kLongTimeOut, Following::ReadFails),
    UpgradeCell("upgrade_drop_after_received", 'A', {"drop-after-received:2000"}, 1, kTimeOut,
                Flash::Partial),
    // hw-letter
    ReadCell("read_hw_letter", {"hw-letter:B"}, 1, kUnknownLetter),
    WriteCell("write_hw_letter", {"hw-letter:C"}, 1,
              {"the configuration does not fit the gateway's hardware (C)"}, false,
              Memory::Unchanged, kQuick, Following::Nothing, {{"e", 0}}),
    UpgradeCell("upgrade_hw_letter", 'D', {"hw-letter:B"}, 1, kUnknownLetter, Flash::Unchanged,
                kQuick),
    // refuse-page, bad-echo, bad-readback: firmware faults, nothing to a
    // configuration transfer.
    ReadCell("read_refuse_page", {"refuse-page:5:10"}, 0, ""),
    WriteCell("write_refuse_page", {"refuse-page:5:10"}, 0, {}, false, Memory::Written),
    UpgradeCell("upgrade_refuse_page", 'A', {"refuse-page:5:10"}, 1,
                "the gateway refused the firmware 10 times; upgrade abandoned", Flash::Partial,
                kQuick, {{"K page 5 Y", 10}}),
    ReadCell("read_bad_echo", {"bad-echo:3:2"}, 0, ""),
    WriteCell("write_bad_echo", {"bad-echo:3:2"}, 0, {}, false, Memory::Written),
    UpgradeCell("upgrade_bad_echo", 'D', {"bad-echo:3:2"}, 0, kUpgraded, Flash::Upgraded, kQuick,
                {{"K block 3 bad-echo", 2}, {"K block 3", 1}}),
    ReadCell("read_bad_readback", {"bad-readback:7:2"}, 0, ""),
    WriteCell("write_bad_readback", {"bad-readback:7:2"}, 0, {}, false, Memory::Written),
    UpgradeCell("upgrade_bad_readback", 'A', {"bad-readback:7:2"}, 0, kUpgraded, Flash::Upgraded,
                kQuick, {{"O page 7 bad-readback", 2}, {"K page 7 X", 3}}),
    // short: a region one byte short is waited for in vain; so is the first
    // "e" of a write (nothing written yet) and the page 238 the upgrade asks for.
    ReadCell("read_short", {"short:e"}, 1, kTimeOut),
    WriteCell("write_short", {"short:e:1"}, 1, {kTimeOut}, false, Memory::Unchanged),
    UpgradeCell("upgrade_short", 'A', {"short:O:1"}, 1, kTimeOut, Flash::Unchanged),
    // garbage: garbled region A copies fail their checksums; a garbled
    // copy before a write looks like other modem numbers; a garbled echo is
    // repeated.
    ReadCell("read_garbage", {"garbage:e:3"}, 1, kChecksums),
    WriteCell("write_garbage", {"garbage:e:1"}, 1,
              {"the gateway's modem numbers differ from the configuration's", "answered No"}, false,
              Memory::Unchanged),
    UpgradeCell("upgrade_garbage", 'D', {"garbage:K:1"}, 0, kUpgraded, Flash::Upgraded),
    // delay: longer than the read's time-out, shorter than a write's or a block's.
    ReadCell("read_delay", {"delay:E:1500"}, 1, kTimeOut),
    WriteCell("write_delay", {"delay:g:1500"}, 0, {}, false, Memory::Written),
    UpgradeCell("upgrade_delay", 'D', {"delay:K:1500:1"}, 0, kUpgraded, Flash::Upgraded),
    // invalid-version-until-upgrade: read and write refuse the gateway; the
    // upgrade is the way on.
    ReadCell("read_invalid_version", {"invalid-version-until-upgrade"}, 1, kFirmwareCheck),
    WriteCell("write_invalid_version", {"invalid-version-until-upgrade"}, 1, {kFirmwareCheck},
              false, Memory::Unchanged),
    UpgradeCell("upgrade_invalid_version", 'D', {"invalid-version-until-upgrade"}, 0,
                "firmware BOOT replaced by 1.08", Flash::Upgraded),
};

// Empties the modem-number slots, so a configuration and the gateway agree on them.
void ClearModemSlots(CParameters& parameters) {
    for (int n = 1; n <= 5; ++n) {
        parameters.SetValue("ModemNum" + std::to_string(n), 0, "");
        parameters.SetValue("SubString" + std::to_string(n), 0, "0");
    }
}

Image RandomMemory(unsigned seed, const char* letter, CParameters& parameters) {
    std::mt19937 random(seed);
    FillRandom(parameters, random);
    ClearModemSlots(parameters);
    parameters.SetValue("HWVer", 0, letter);
    return EncodedImage(parameters);
}

// A slice with the gateway's own page 238 and its sum stored again, as the
// upgrade sends a file's slice that left the page zero.
Image WithDeviceArea(Image slice, char letter) {
    const kw::FirmwareSlice layout = kw::SliceFor(letter);
    if (!layout.hasDeviceArea)
        return slice;
    for (int i = 0; i < kw::kDeviceAreaSize; ++i)
        slice[size_t(kw::kDeviceAreaOffset + i)] = static_cast<uint8_t>(0x30 + (i * 11) % 200);
    kw::StoreSliceSum(slice.data(), layout);
    return slice;
}

// The security codes are never saved in a file; the rest is compared.
Image WithoutSecrets(Image image) {
    constexpr int kSecrets = 2038, kSecretsSize = 8;
    std::fill_n(image.begin() + kSecrets, kSecretsSize, 0);
    kw::StoreRegionChecksum(image.data(), kw::kRegionA);
    return image;
}

// The last line of a program's output, for the matrix's report.
std::string LastLine(const std::string& text) {
    const size_t end = text.find_last_not_of('\n');
    if (end == std::string::npos)
        return {};
    const size_t newline = text.rfind('\n', end);
    const size_t begin = newline == std::string::npos ? 0 : newline + 1;
    return text.substr(begin, end + 1 - begin);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool SameRange(const Image& a, const Image& b, const kw::ImageRegion& region) {
    return std::memcmp(a.data() + region.begin, b.data() + region.begin, size_t(region.size)) == 0;
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
    long tookMs;
};

class FaultMatrix : public ::testing::TestWithParam<Cell> {
protected:
    void SetUp() override {
        // The gateway's own configuration, with its own PIN and password.
        CParameters own;
        kw::RegisterCatalogue(own);
        RandomMemory(21, "A", own);
        own.SetValue("PINVal", 0, "4321");
        own.SetValue("ServisPassw", 0, "8765");
        m_Memory = EncodedImage(own);
        WriteFileBytes(sim.Path("memory.bin"), m_Memory);

        kw::RegisterCatalogue(m_Configuration);
        const Image written = RandomMemory(22, "A", m_Configuration);
        ASSERT_TRUE(m_Configuration.SaveToFile(dir.Path("write.sgd")));
        m_Written = KeptByGateway(written);

        m_Firmware = MakeFirmwareFile(dir.Path("Kolbra.Bin"), "1.08", 5);
        dir.Write("out.sgd", "previous\r\n");
    }

    // What a gateway holding m_Memory holds after taking `image`.
    Image KeptByGateway(Image image) const {
        constexpr int kDate = 1072, kDateSize = 15, kSecrets = 2038, kSecretsSize = 8;
        std::memcpy(&image[kDate], &m_Memory[kDate], kDateSize);
        std::memcpy(&image[kSecrets], &m_Memory[kSecrets], kSecretsSize);
        kw::StoreRegionChecksum(image.data(), kw::kRegionA);
        kw::StoreRegionChecksum(image.data(), kw::kRegionB);
        return image;
    }

    void StartSim(const Cell& cell) {
        m_Flash =
            WithDeviceArea(FirmwareSliceOf(MakeFirmware("1.07", 99), cell.letter), cell.letter);
        WriteFileBytes(sim.Path("flash.bin"), m_Flash);
        m_Upgraded = WithDeviceArea(FirmwareSliceOf(m_Firmware, cell.letter), cell.letter);

        std::vector<std::string> options{"--hw",     std::string(1, cell.letter),
                                         "--memory", sim.Path("memory.bin"),
                                         "--flash",  sim.Path("flash.bin")};
        for (const std::string& fault : cell.faults) {
            options.push_back("--fault");
            options.push_back(fault);
        }
        ASSERT_TRUE(sim.Start(options));
    }

    CliRun Cli(const std::string& args) const {
        const auto start = std::chrono::steady_clock::now();
        const std::string command = std::string(KW_CLI) + " " + args + " >" +
                                    dir.Path("stdout.txt") + " 2>" + dir.Path("stderr.txt");
        const int status = std::system(command.c_str());
        const auto took = std::chrono::steady_clock::now() - start;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("stdout.txt"),
                dir.Read("stderr.txt"),
                long(std::chrono::duration_cast<std::chrono::milliseconds>(took).count())};
    }

    std::string Arguments(const Cell& cell, const std::string& port) const {
        const std::string common = " --port " + port + " --attach-timeout 2";
        switch (cell.command) {
        case Command::Read:
            return "read" + common + " -o " + dir.Path("out.sgd");
        case Command::Write:
            return "write" + common + " " + dir.Path("write.sgd");
        case Command::Upgrade:
            return "upgrade" + common + " --firmware " + dir.Path("Kolbra.Bin") + " --yes";
        }
        return {};
    }

    void CheckMemory(const Cell& cell, const Image& memory) const {
        switch (cell.memory) {
        case Memory::Unchanged:
            EXPECT_TRUE(memory == m_Memory) << "the gateway's memory changed";
            break;
        case Memory::Written:
            EXPECT_TRUE(memory == m_Written) << "the gateway's memory is not what was written";
            break;
        case Memory::RegionAOnly:
            EXPECT_TRUE(SameRange(memory, m_Written, kw::kRegionA)) << "region A not written";
            EXPECT_TRUE(SameRange(memory, m_Memory, kw::kRegionB)) << "region B changed";
            break;
        case Memory::Mixed:
            EXPECT_TRUE(SameRange(memory, m_Written, kw::kRegionA)) << "region A not written";
            EXPECT_FALSE(SameRange(memory, m_Memory, kw::kRegionB)) << "region B untouched";
            EXPECT_FALSE(SameRange(memory, m_Written, kw::kRegionB)) << "region B complete";
            break;
        }
    }

    void CheckFlash(const Cell& cell, const Image& flash) const {
        switch (cell.flash) {
        case Flash::Unchanged:
            EXPECT_TRUE(flash == m_Flash) << "the flash changed";
            break;
        case Flash::Upgraded:
            EXPECT_TRUE(flash == m_Upgraded) << "the flash does not hold the new slice";
            break;
        case Flash::Partial:
            EXPECT_TRUE(flash != m_Flash && flash != m_Upgraded)
                << "the flash should hold part of the new slice";
            break;
        }
    }

    // A read of the memory the write left, on a fresh simulator.
    void CheckFollowingRead(const Following expected, const Image& memory) const {
        if (expected == Following::Nothing)
            return;
        SimProcess again;
        WriteFileBytes(again.Path("memory.bin"), memory);
        ASSERT_TRUE(again.Start({"--memory", again.Path("memory.bin")}));
        const CliRun following = Cli("read --port " + again.LinkPath() + " --attach-timeout 2 -o " +
                                     dir.Path("following.sgd"));
        if (expected == Following::ReadFails) {
            EXPECT_EQ(following.exitCode, 1) << following.err;
            EXPECT_NE(following.err.find(kChecksums), std::string::npos) << following.err;
        } else {
            EXPECT_EQ(following.exitCode, 0) << following.err;
        }
    }

    TempDir dir;
    SimProcess sim;
    CParameters m_Configuration;
    Image m_Memory;   // the gateway's own configuration
    Image m_Written;  // what it holds after taking write.sgd
    Image m_Firmware; // the firmware file
    Image m_Flash;    // the gateway's flash before
    Image m_Upgraded; // its flash after a complete upgrade
};

TEST_P(FaultMatrix, EndsAsTheProtocolSays) {
    const Cell& cell = GetParam();
    StartSim(cell);
    const CliRun run = Cli(Arguments(cell, sim.LinkPath()));
    const std::vector<std::string> log = sim.LogLines();
    ASSERT_GE(sim.Stop(), 0) << "the simulator did not end";

    // The line the matrix's report shows: the last of stderr, or of stdout on success.
    std::cout << "[matrix] " << cell.name << ": exit " << run.exitCode << " in " << run.tookMs
              << " ms: " << LastLine(run.exitCode == 0 && !run.out.empty() ? run.out : run.err)
              << "\n";

    EXPECT_EQ(run.exitCode, cell.exitCode) << run.err;
    for (const std::string& saying : cell.saying)
        EXPECT_TRUE(run.err.find(saying) != std::string::npos ||
                    run.out.find(saying) != std::string::npos)
            << "missing: " << saying << "\n"
            << run.err;
    EXPECT_EQ(run.err.find(kIncomplete) != std::string::npos, cell.mayBeIncomplete) << run.err;
    EXPECT_LT(run.tookMs, cell.boundMs);
    for (const auto& [line, count] : cell.logged)
        EXPECT_EQ(CountLines(log, line), count) << line << " in the log:\n" << Joined(log);

    const Image memory = ReadImageFile(sim.Path("memory.bin"));
    CheckMemory(cell, memory);
    const std::string flashBytes = ReadFileBytes(sim.Path("flash.bin"));
    CheckFlash(cell, Image(flashBytes.begin(), flashBytes.end()));
    if (cell.command == Command::Read) {
        if (cell.exitCode == 0) {
            CParameters read;
            kw::RegisterCatalogue(read);
            ASSERT_TRUE(read.LoadFromFile(dir.Path("out.sgd")));
            EXPECT_TRUE(WithoutSecrets(EncodedImage(read)) == WithoutSecrets(m_Memory))
                << "the file does not hold the gateway's configuration";
        } else {
            EXPECT_EQ(dir.Read("out.sgd"), "previous\r\n") << "a failed read touched the file";
        }
    }
    CheckFollowingRead(cell.following, memory);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(kCells),
                         [](const ::testing::TestParamInfo<Cell>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
