// Scripted misbehaviour of the simulated gateway and the option grammar that
// asks for it.
#include "SimRig.h"

#include "ConfigImage.h"
#include "SimOptions.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using sim::GatewayFaults;

bool ReplyChecksumValid(const std::string& reply, const ImageRegion& region) {
    sim::MemoryImage image{};
    std::copy(reply.begin() + 1, reply.end(), image.begin() + region.begin);
    return RegionChecksumValid(image.data(), region);
}

TEST(SimFaults, BadRegionChecksumsForTheFirstReads) {
    SimRig rig({}, Faults({"bad-checksum-b:3", "bad-checksum-a:1"}));
    EXPECT_FALSE(ReplyChecksumValid(rig.Send("e"), kRegionA));
    EXPECT_TRUE(ReplyChecksumValid(rig.Send("e"), kRegionA));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(ReplyChecksumValid(rig.Send("E"), kRegionB));
    const std::string good = rig.Send("E");
    EXPECT_EQ(good.size(), 8193u);
    EXPECT_TRUE(ReplyChecksumValid(good, kRegionB));
    EXPECT_EQ(rig.log, (std::vector<std::string>{"e bad-checksum", "e", "E bad-checksum",
                                                 "E bad-checksum", "E bad-checksum", "E"}));
}

TEST(SimFaults, RefusedRegionAWritesStoreNothing) {
    SimRig rig({}, Faults({"refuse-g:2"}));
    const std::string data(2048, '\x07');
    EXPECT_EQ(rig.Send("g" + data), "Y");
    EXPECT_EQ(rig.Send("g" + data), "Y");
    EXPECT_EQ(rig.memoryWrites, 0);
    EXPECT_EQ(rig.model.Memory()[0], DefaultMemory()[0]);
    EXPECT_EQ(rig.Send("g" + data), "X");
    EXPECT_EQ(rig.model.Memory()[0], 0x07);
    EXPECT_EQ(rig.log, (std::vector<std::string>{"g Y", "g Y", "g X bad-checksum"}));
}

TEST(SimFaults, RefusedChunkEndsTheRegionBWrite) {
    SimRig rig({}, Faults({"refuse-g-chunk:1:2"}));
    const std::string chunk(2048, '\x05');
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(rig.Send("G" + chunk), "X");
        EXPECT_EQ(rig.Send(chunk), "Y");
    }
    // After "Y" the gateway awaits a command again, and the third try succeeds.
    EXPECT_EQ(rig.Send("U"), "X");
    EXPECT_EQ(rig.Send("G" + chunk + chunk + chunk + chunk), "XXXX");
    EXPECT_EQ(rig.log, (std::vector<std::string>{"G chunk 0 X", "G chunk 1 Y", "G chunk 0 X",
                                                 "G chunk 1 Y", "U", "G chunk 0 X", "G chunk 1 X",
                                                 "G chunk 2 X", "G chunk 3 X bad-checksum"}));
}

TEST(SimFaults, SilentGatewayAnswersNothingAndStoresNothing) {
    SimRig rig({}, Faults({"silent"}));
    EXPECT_EQ(rig.Send("UBe"), "");
    EXPECT_EQ(rig.Send("g" + std::string(2048, '\x01')), "");
    EXPECT_EQ(rig.Send("G" + std::string(2048, '\x01') + "U"), "");
    EXPECT_EQ(rig.memoryWrites, 0);
    EXPECT_EQ(rig.log, (std::vector<std::string>{"U silent", "B silent", "e silent", "g silent",
                                                 "G chunk 0 silent", "U silent"}));
}

TEST(SimFaults, SilentAfterSomeCommands) {
    SimRig rig({}, Faults({"silent-after:2"}));
    EXPECT_EQ(rig.Send("UUUB"), "XX");
}

TEST(SimFaults, ShortReplyLacksItsLastByte) {
    SimRig rig({}, Faults({"short:e", "short:B:2"}));
    EXPECT_EQ(rig.Send("e").size(), 2048u);
    EXPECT_EQ(rig.Send("e").size(), 2049u);
    EXPECT_EQ(rig.Send("B"), "BA");
    EXPECT_EQ(rig.Send("B"), "BA");
    EXPECT_EQ(rig.Send("B"), std::string("BA\0", 3));
}

TEST(SimFaults, GarbledAndDelayedReplies) {
    SimRig rig({}, Faults({"garbage:U", "delay:B:1500:2"}));
    EXPECT_EQ(rig.Send("U"), std::string(1, 'X' ^ 0x55));
    EXPECT_EQ(rig.Send("U"), "X");
    EXPECT_EQ(rig.model.TakeReplyDelayMs(), 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rig.Send("B"), std::string("BA\0", 3));
        EXPECT_EQ(rig.model.TakeReplyDelayMs(), 1500);
        EXPECT_EQ(rig.model.TakeReplyDelayMs(), 0); // taken once
    }
    rig.Send("B");
    EXPECT_EQ(rig.model.TakeReplyDelayMs(), 0);
}

TEST(SimFaults, GrammarAcceptsEachFormAndRefusesMalformedOnes) {
    GatewayFaults faults =
        Faults({"trickle:20", "drop-after:100", "drop-after-received:7", "hw-letter:B",
                "refuse-page:238", "bad-echo:3:10", "bad-readback:5:2", "silent-after-blocks:4",
                "invalid-version-until-upgrade"});
    EXPECT_EQ(faults.trickleMs, 20);
    EXPECT_EQ(faults.dropAfter, 100);
    EXPECT_EQ(faults.dropAfterReceived, 7);
    EXPECT_EQ(faults.hwLetter, 'B');
    ASSERT_EQ(faults.refusePage.size(), 1u);
    EXPECT_EQ(faults.refusePage[0].index, 238);
    EXPECT_EQ(faults.refusePage[0].times, 1);
    EXPECT_EQ(faults.badEcho[0].times, 10);
    EXPECT_EQ(faults.silentAfterBlocks, 4);
    EXPECT_TRUE(faults.invalidVersionUntilUpgrade);

    for (const char* bad :
         {"refuse-g", "refuse-g:", "refuse-g:x", "refuse-g:-1", "refuse-g:1:2", "refuse-g-chunk:4",
          "silent:3", "trickle", "hw-letter:AB", "bad-echo:1:2:3", "short:ee", "made-up:1", ""})
        EXPECT_NE(sim::ParseFault(bad, faults), "") << bad;
    EXPECT_EQ(sim::ParseFault("made-up:1", faults), "unknown fault 'made-up'");
}

TEST(SimOptions, ParsesTheCommandLine) {
    sim::SimOptions options;
    EXPECT_EQ(sim::ParseSimOptions(
                  {"--link",   "/tmp/x",       "--hw",       "E",       "--fw-version=BOOT",
                   "--serial", "99-0000-0001", "--operlock", "L1",      "--memory",
                   "m.bin",    "--baud",       "19200",      "--fault", "silent",
                   "--fault",  "refuse-g:1",   "--log",      "l.txt",   "--flash",
                   "f.bin"},
                  options),
              "");
    EXPECT_EQ(options.link, "/tmp/x");
    EXPECT_EQ(options.identity.hwLetter, 'E');
    EXPECT_EQ(options.identity.fwVersion, "BOOT");
    EXPECT_EQ(options.identity.serial, "99-0000-0001");
    EXPECT_EQ(options.identity.operLock, "L1");
    EXPECT_EQ(options.memoryFile, "m.bin");
    EXPECT_EQ(options.flashFile, "f.bin");
    EXPECT_EQ(options.logFile, "l.txt");
    EXPECT_EQ(options.baud, 19200);
    EXPECT_TRUE(options.faults.silent);
    EXPECT_EQ(options.faults.refuseG, 1);

    sim::SimOptions letter;
    EXPECT_EQ(sim::ParseSimOptions({"--link", "p", "--fault", "hw-letter:H"}, letter), "");
    EXPECT_EQ(letter.identity.hwLetter, 'H');

    const std::vector<std::vector<std::string>> bad{{},
                                                    {"--hw", "A"},
                                                    {"--link"},
                                                    {"--link", "p", "--hw", "AB"},
                                                    {"--link", "p", "--baud", "fast"},
                                                    {"--link", "p", "--baud", "0"},
                                                    {"--link", "p", "--fw-version", "123456789012"},
                                                    {"--link", "p", "--fault", "nonsense"},
                                                    {"--link", "p", "--colour"}};
    for (const auto& args : bad) {
        sim::SimOptions options2;
        EXPECT_NE(sim::ParseSimOptions(args, options2), "") << ::testing::PrintToString(args);
    }
    sim::SimOptions help;
    EXPECT_EQ(sim::ParseSimOptions({"--help"}, help), "");
    EXPECT_TRUE(help.help);
}

} // namespace
} // namespace kw::test
