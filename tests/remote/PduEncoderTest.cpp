// The SMS PDU encoder: the worked example and its edge cases in one table,
// every byte read back by the simulated modem's own decoder, and the command
// line's pdu.
#include "PduEncoder.h"
#include "SmsSubmitDecoder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

using kw::TPdu;

struct PduCase {
    const char* name;
    std::string number;
    std::string text; // Windows-1252 bytes
    uint8_t dataCoding;
    int alphabet;
    TPdu::Error error;
    std::string hex; // the whole output; empty: only the lengths below are checked
    int userDataLength;
    int tpduOctets;
};

const std::string kEuro = "\x80";

std::vector<PduCase> Cases() {
    return {
        {"worked example", "123", "abc", 0, 7, TPdu::Error::None, "0D001100038121F30000FF0361F118",
         3, 13},
        {"even digits need no pad", "1234", "", 0, 7, TPdu::Error::None, "0A001100048121430000FF00",
         0, 10},
        {"euro escaped, + gives 91", "+123", kEuro, 0, 7, TPdu::Error::None,
         "0C001100039121F30000FF029B32", 2, 12},
        {"brackets and backslash", "5", "{[]}\\", 0, 7, TPdu::Error::None,
         "0E0011000181F50000FF0528542AF502", 5, 14},
        {"absent characters become ?", "5", "~^|", 0, 7, TPdu::Error::None,
         "0C0011000181F50000FF03BFDF0F", 3, 12},
        {"table positions, space is 0x20", "5", "@_$ \xC4", 0, 7, TPdu::Error::None,
         "0E0011000181F50000FF05808800B405", 5, 14},
        {"data coding written as given, octets", "123", "abc", 4, 8, TPdu::Error::None,
         "0D001100038121F30004FF03616263", 3, 13},
        {"161st character dropped", "123", std::string(161, 'a'), 0, 7, TPdu::Error::None, "", 160,
         150},
        {"euros past 160 septets are not cut", "123",
         std::string(10 * 1, '\x80') + std::string(150, 'a'), 0, 7, TPdu::Error::None, "", 170,
         159},
        {"octets cut at 140", "123", std::string(141, 'b'), 0, 8, TPdu::Error::None, "", 140, 150},
        {"longest number", std::string(20, '9'), "x", 0, 7, TPdu::Error::None, "", 1, 19},
        {"more than 255 septets", "123", std::string(130, '\x80'), 0, 7,
         TPdu::Error::TooManySeptets, "", 0, 0},
        {"empty number", "", "x", 0, 7, TPdu::Error::EmptyNumber, "", 0, 0},
        {"only a plus", "+", "x", 0, 7, TPdu::Error::EmptyNumber, "", 0, 0},
        {"letters", "12a4", "x", 0, 7, TPdu::Error::BadNumber, "", 0, 0},
        {"space inside", "+12 34", "x", 0, 7, TPdu::Error::BadNumber, "", 0, 0},
        {"plus not in front", "12+34", "x", 0, 7, TPdu::Error::BadNumber, "", 0, 0},
        {"hex digits are not digits", "12AB", "x", 0, 7, TPdu::Error::BadNumber, "", 0, 0},
        {"21 digits", std::string(21, '1'), "x", 0, 7, TPdu::Error::BadNumber, "", 0, 0},
    };
}

TEST(PduEncoder, EncodesAsTheModemExpects) {
    for (const PduCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const TPdu pdu = kw::EncodePdu(c.number, c.text, c.dataCoding, c.alphabet);
        EXPECT_EQ(pdu.error, c.error);
        if (c.error != TPdu::Error::None) {
            EXPECT_EQ(pdu.hex, "");
            continue;
        }
        if (!c.hex.empty()) {
            EXPECT_EQ(pdu.hex, c.hex);
        }
        EXPECT_EQ(pdu.userDataLength, c.userDataLength);
        EXPECT_EQ(pdu.tpduOctets, c.tpduOctets);
        // The length octet counts what the modem is sent after "00".
        ASSERT_GE(pdu.hex.size(), 4u);
        EXPECT_EQ(std::stoi(pdu.hex.substr(0, 2), nullptr, 16), pdu.tpduOctets);
        EXPECT_EQ(pdu.Sent(), pdu.hex.substr(2));
        EXPECT_EQ(pdu.Sent().size(), size_t(2 + 2 * pdu.tpduOctets));
    }
}

// A second, independent reading: the simulated modem's decoder gets every
// byte back as itself exactly when the encoder says it survives.
TEST(PduEncoder, SevenBitKeepsOnlyWhatItCanCarry) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, char(byte));
        const TPdu pdu = kw::EncodePdu("1", one, 0, kw::kSevenBit);
        kw::sim::SmsSubmit sms;
        ASSERT_EQ(kw::sim::DecodeSmsSubmit(pdu.Sent(), pdu.tpduOctets, sms), "");
        // The decoder knows no euro sign; everything else must come back as
        // itself exactly when the encoder says it survives.
        if (byte != 0x80) {
            EXPECT_EQ(kw::SurvivesSevenBit(uint8_t(byte)), sms.text == one) << byte;
        }
    }
    EXPECT_TRUE(kw::SurvivesSevenBit(0x80));
    EXPECT_EQ(kw::SeptetCount("a\x80{"), 4);
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

CliRun RunPdu(const std::vector<std::string>& args) {
    kw::test::TempDir temp;
    std::string command = KW_CLI " pdu";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " >" + temp.Path("out") + " 2>" + temp.Path("err");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, kw::test::ReadFileBytes(temp.Path("out")),
            kw::test::ReadFileBytes(temp.Path("err"))};
}

TEST(PduCommand, PrintsTheCommandAndThePdu) {
    std::string euros;
    for (int i = 0; i < 130; ++i)
        euros += "\xE2\x82\xAC";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {{"123", "abc"}, 0, "AT+CMGS=13\n001100038121F30000FF0361F118\n", ""},
        // UTF-8 in, Windows-1252 to the table: the euro sign is escaped.
        {{"+123", "\xE2\x82\xAC"}, 0, "AT+CMGS=12\n001100039121F30000FF029B32\n", ""},
        // A character that code page lacks arrives as "?"; a text may start with "-".
        {{"5", "-\xC5\x99"}, 0, "AT+CMGS=11\n0011000181F50000FF02AD1F\n", ""},
        {{"123", euros}, 1, "", "kolbrawin-cli: text too long for one SMS\n"},
        {{"12a", "x"},
         1,
         "",
         "kolbrawin-cli: not a phone number: digits only (at most 20), with an optional + in "
         "front\n"},
        {{"", "x"}, 1, "", "kolbrawin-cli: no phone number given\n"},
        {{"123"},
         2,
         "",
         "kolbrawin-cli pdu: expected NUMBER and TEXT\nusage: kolbrawin-cli pdu NUMBER TEXT\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front());
        const CliRun run = RunPdu(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

} // namespace
