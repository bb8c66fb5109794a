// The simulated gateway's command protocol, driven byte by byte without a line.
#include "SimRig.h"

#include "ConfigImage.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using sim::GatewayIdentity;

// A zero-terminated text reply: byte 0 not zero (a zero there would end the
// tool's wait early), the text from byte 1, one zero at the end only.
std::string TextOf(const std::string& reply) {
    EXPECT_GE(reply.size(), 2u);
    EXPECT_NE(reply[0], '\0');
    EXPECT_EQ(reply.back(), '\0');
    EXPECT_EQ(reply.find('\0'), reply.size() - 1);
    return reply.substr(1, reply.size() - 2);
}

TEST(SimModel, AnswersSyncAndIdentityTexts) {
    SimRig rig({'D', "2.01", "12-3456-7890", "T-Lock"});
    EXPECT_EQ(rig.Send("U"), "X");
    EXPECT_EQ(TextOf(rig.Send("B")), "D");
    EXPECT_EQ(TextOf(rig.Send("C")), "2.01");
    EXPECT_EQ(TextOf(rig.Send("D")), "12-3456-7890");
    EXPECT_EQ(TextOf(rig.Send("F")), "T-Lock");
    EXPECT_EQ(rig.log, (std::vector<std::string>{"U", "B", "C", "D", "F"}));

    SimRig defaults;
    EXPECT_EQ(TextOf(defaults.Send("B")), "A");
    EXPECT_EQ(TextOf(defaults.Send("C")), "1.07");
    EXPECT_EQ(TextOf(defaults.Send("F")), ""); // empty operator lock: byte 0 and the zero
    // The serial number fills the 14-byte identity block a connect-back expects.
    EXPECT_EQ(defaults.Send("D").size(), 14u);
}

TEST(SimModel, RegionReadsHaveTheirLengthAndValidChecksums) {
    SimRig rig;
    const std::string a = rig.Send("e");
    const std::string b = rig.Send("E");
    ASSERT_EQ(a.size(), 2049u);
    ASSERT_EQ(b.size(), 8193u);
    sim::MemoryImage image{};
    std::copy(a.begin() + 1, a.end(), image.begin());
    std::copy(b.begin() + 1, b.end(), image.begin() + kRegionB.begin);
    EXPECT_TRUE(RegionChecksumValid(image.data(), kRegionA));
    EXPECT_TRUE(RegionChecksumValid(image.data(), kRegionB));
    EXPECT_EQ(a.substr(1), Bytes(DefaultMemory().data(), 2048));
    EXPECT_EQ(b.substr(1), Bytes(DefaultMemory().data() + 4096, 8192));
}

TEST(SimModel, RegionAWriteIsStoredEvenWithAWrongChecksumButNoted) {
    sim::MemoryImage image = DefaultMemory();
    image[100] = 0x42;
    StoreRegionChecksum(image.data(), kRegionA);
    SimRig rig;
    // Nothing before the 2048th data byte.
    EXPECT_EQ(rig.Send("g" + Bytes(image.data(), 2047)), "");
    EXPECT_EQ(rig.Send(Bytes(image.data() + 2047, 1)), "X");
    EXPECT_EQ(rig.model.Memory()[100], 0x42);
    EXPECT_EQ(rig.memoryWrites, 1);

    image[101] = 0x43; // checksum now wrong
    EXPECT_EQ(rig.Send("g" + Bytes(image.data(), 2048)), "X");
    EXPECT_EQ(rig.model.Memory()[101], 0x43);
    EXPECT_EQ(rig.log, (std::vector<std::string>{"g X", "g X bad-checksum"}));
    EXPECT_EQ(rig.Send("e").substr(1), Bytes(image.data(), 2048));
}

TEST(SimModel, RegionBWriteAcknowledgesEachChunk) {
    sim::MemoryImage image = DefaultMemory();
    for (int i = 4096; i < 12286; ++i)
        image[i] = static_cast<uint8_t>(i * 13);
    StoreRegionChecksum(image.data(), kRegionB);
    SimRig rig;
    EXPECT_EQ(rig.Send("G"), "");
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(rig.Send(Bytes(image.data() + 4096 + 2048 * k, 2048)), "X") << "chunk " << k;
    EXPECT_EQ(rig.Send("E").substr(1), Bytes(image.data() + 4096, 8192));
    EXPECT_EQ(rig.log, (std::vector<std::string>{"G chunk 0 X", "G chunk 1 X", "G chunk 2 X",
                                                 "G chunk 3 X", "E"}));
    // Region A and the untransferred middle are untouched.
    EXPECT_EQ(Bytes(rig.model.Memory().data(), 4096), Bytes(DefaultMemory().data(), 4096));
}

TEST(SimModel, ByteAtATimeGivesTheSameRepliesAsWholeCommands) {
    const std::string stream = "UBe" + std::string(2048, '\x11').insert(0, "g") + "CF";
    SimRig whole;
    SimRig single;
    const std::string expected = whole.Send(stream);
    std::string got;
    for (char c : stream)
        got += single.Send(std::string(1, c));
    EXPECT_EQ(got, expected);
    EXPECT_EQ(single.log, whole.log);
}

TEST(SimModel, EndOfExchangeIsTakenOnceTheLineIsQuietOrAnotherCommandFollows) {
    SimRig rig;
    EXPECT_EQ(rig.Send("A"), "");
    EXPECT_TRUE(rig.log.empty()); // could still become "AT"
    EXPECT_GT(rig.model.QuietTimeoutMs(), 0);
    rig.model.LineQuiet();
    EXPECT_EQ(rig.log, std::vector<std::string>{"A"});
    EXPECT_EQ(rig.exchangesEnded, 1);
    EXPECT_EQ(rig.model.QuietTimeoutMs(), -1);

    EXPECT_EQ(rig.Send("AU"), "X");
    EXPECT_EQ(rig.log, (std::vector<std::string>{"A", "A", "U"}));
}

TEST(SimModel, AtCommandsAreRelayedToTheGsmModule) {
    SimRig rig;
    EXPECT_EQ(rig.Send("AT\r"), "AT\r\r\nOK\r\n");
    EXPECT_EQ(rig.Send("ATE0\r"), "ATE0\r\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+CSQ\r"), "\r\n+CSQ: 23,0\r\n\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+cimi\r"), "\r\n230011234567890\r\n\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+NOPE\r"), "\r\nERROR\r\n");
    EXPECT_EQ(rig.Send("AT+CSCA=\"+420123\",145\r"), "\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+CSCA?\r"), "\r\n+CSCA: \"+420123\",145\r\n\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+COPS=3,2\r"), "\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+COPS?\r"), "\r\n+COPS: 0,2,\"23099\",2\r\n\r\nOK\r\n");
    EXPECT_EQ(rig.Send("AT+CLCC\r"), "\r\nOK\r\n");
    EXPECT_EQ(rig.exchangesEnded, 0);
    EXPECT_EQ(rig.log.front(), "AT");
}

TEST(SimModel, ModuleClockCanBeSetAndKeepsRunning) {
    std::time_t now = 1700000000;
    sim::GsmModule module([&now] { return now; });
    ASSERT_EQ(module.Answer("ATE0"), "ATE0\r\r\nOK\r\n"); // echoed while echo was on
    EXPECT_EQ(module.Answer("AT+CCLK=\"24/02/29,23:59:50\""), "\r\nOK\r\n");
    now += 15;
    EXPECT_EQ(module.Answer("AT+CCLK?"), "\r\n+CCLK: \"24/03/01,00:00:05+04\"\r\n\r\nOK\r\n");
    EXPECT_EQ(module.Answer("AT+CCLK=\"24/13/01,00:00:00\""), "\r\nERROR\r\n");
    EXPECT_EQ(module.Answer("AT+CCLK=\"garbage\""), "\r\nERROR\r\n");
}

TEST(SimModel, ModemGreetingLettersAreAnswered) {
    SimRig rig;
    EXPECT_EQ(rig.Send("U"), "X");
    EXPECT_EQ(rig.Send("X"), "X");
    const std::string quoted = rig.Send("Z");
    ASSERT_GE(quoted.size(), 2u);
    EXPECT_EQ(quoted.front(), '"');
    EXPECT_EQ(quoted.back(), '"');
}

TEST(SimModel, UnknownBytesAreLoggedAndSkipped) {
    SimRig rig;
    EXPECT_EQ(rig.Send(std::string("\x01?\0U", 4)), "X");
    EXPECT_EQ(rig.log,
              (std::vector<std::string>{"unknown 0x01", "unknown 0x3F", "unknown 0x00", "U"}));
}

TEST(SimModel, ACommandWhoseBytesStopComingIsAbandoned) {
    SimRig rig;
    EXPECT_EQ(rig.Send("g" + std::string(100, 'U')), "");
    rig.model.LineQuiet();
    EXPECT_EQ(rig.Send("U"), "X"); // a command again, not data
    EXPECT_EQ(rig.log, (std::vector<std::string>{"g incomplete 100 of 2048 bytes", "U"}));
    EXPECT_EQ(rig.memoryWrites, 0);
}

TEST(SimModel, OverlongAtLineIsDropped) {
    SimRig rig;
    EXPECT_EQ(rig.Send("AT" + std::string(600, '1') + "\rU"), "X");
    EXPECT_EQ(rig.log.front(), "AT line too long, dropped");
}

} // namespace
} // namespace kw::test
