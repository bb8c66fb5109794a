// kolbrawin-cli defaults, encode and decode, run as the real program.
#include "ConfigImage.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int exitCode;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return temp.Path(name); }

    Result Run(const std::string& args) const {
        const std::string err = Path("stderr.txt");
        const std::string command = std::string(KW_CLI) + " " + args + " 2>" + err;
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(err)};
    }
    static std::string ReadFile(const std::string& path) { return kw::test::ReadFileBytes(path); }

    kw::test::TempDir temp;
    const fs::path& dir = temp.Dir();
};

TEST_F(Cli, DefaultsEncodeDecodeGiveTheSameFileBack) {
    ASSERT_EQ(Run("defaults -o " + Path("d.sgd")).exitCode, 0);
    const std::string defaults = ReadFile(Path("d.sgd"));
    EXPECT_EQ(defaults.rfind("HWVer=\"A\"\r\nAMREnabled=\"0\"\r\n", 0), 0u);
    EXPECT_EQ(std::count(defaults.begin(), defaults.end(), '\n'), 151);

    ASSERT_EQ(Run("encode " + Path("d.sgd") + " -o " + Path("d.bin")).exitCode, 0);
    const std::string image = ReadFile(Path("d.bin"));
    ASSERT_EQ(image.size(), 12288u);
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.data());
    EXPECT_TRUE(kw::RegionChecksumValid(bytes, kw::kRegionA));
    EXPECT_TRUE(kw::RegionChecksumValid(bytes, kw::kRegionB));
    CParameters defaultsRegistry;
    kw::RegisterCatalogue(defaultsRegistry);
    std::string expected(kw::kImageSize, '\0');
    auto* expectedBytes = reinterpret_cast<uint8_t*>(expected.data());
    defaultsRegistry.StoreToImage(expectedBytes, kw::kImageSize);
    kw::StoreRegionChecksum(expectedBytes, kw::kRegionA);
    kw::StoreRegionChecksum(expectedBytes, kw::kRegionB);
    EXPECT_EQ(image, expected);
    ASSERT_EQ(Run("decode " + Path("d.bin") + " -o " + Path("back.sgd")).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("back.sgd")), defaults);
}

TEST_F(Cli, VariantOptionSetsHwVer) {
    ASSERT_EQ(Run("defaults --variant E -o " + Path("e.sgd")).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("e.sgd")).rfind("HWVer=\"E\"\r\n", 0), 0u);
    ASSERT_EQ(Run("encode " + Path("e.sgd") + " -o " + Path("e.bin")).exitCode, 0);
    ASSERT_EQ(Run("decode " + Path("e.bin") + " --variant G -o " + Path("g.sgd")).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("g.sgd")).rfind("HWVer=\"G\"\r\n", 0), 0u);
}

TEST_F(Cli, SmsTextWithEveryKindOfByteSurvives) {
    std::string text = "tab\there \"quote\" back\\slash ";
    for (int c = 128; text.size() < 40; ++c)
        text += static_cast<char>(c);
    std::string escaped;
    for (char c : text)
        escaped += c == '\t'   ? std::string("\\x09")
                   : c == '"'  ? std::string("\\x34")
                   : c == '\\' ? std::string("\\\\")
                               : std::string(1, c);
    {
        std::ofstream out(Path("s.sgd"), std::ios::binary);
        out << "HWVer=\"C\"\r\nSMSText=\"" << escaped << "\"\r\n";
    }
    ASSERT_EQ(Run("encode " + Path("s.sgd") + " -o " + Path("s.bin")).exitCode, 0);
    const std::string image = ReadFile(Path("s.bin"));
    EXPECT_EQ(image.substr(0x209, 40), text);
    ASSERT_EQ(Run("decode " + Path("s.bin") + " --variant C -o " + Path("s2.sgd")).exitCode, 0);
    const std::string file = ReadFile(Path("s2.sgd"));
    EXPECT_NE(file.find("SMSText=\"" + escaped + "\"\r\n"), std::string::npos);
    ASSERT_EQ(Run("encode " + Path("s2.sgd") + " -o " + Path("s2.bin")).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("s2.bin")), image);
}

TEST_F(Cli, FailuresNameTheFileAndTheReason) {
    Result r = Run("encode " + Path("missing.sgd") + " -o " + Path("x.bin"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("missing.sgd: missing"), std::string::npos) << r.err;

    { std::ofstream(Path("short.bin")) << "abc"; }
    r = Run("decode " + Path("short.bin") + " -o " + Path("x.sgd"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("short.bin: wrong size (3 bytes, expected 12288)"), std::string::npos)
        << r.err;

    ASSERT_EQ(Run("defaults -o " + Path("d.sgd")).exitCode, 0);
    ASSERT_EQ(Run("encode " + Path("d.sgd") + " -o " + Path("d.bin")).exitCode, 0);
    std::string image = ReadFile(Path("d.bin"));
    image[5000] ^= 0x10;
    { std::ofstream(Path("bad.bin"), std::ios::binary) << image; }
    r = Run("decode " + Path("bad.bin") + " -o " + Path("x.sgd"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.bin: bad checksum in region B"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(Path("x.sgd")));
    EXPECT_EQ(Run("decode " + Path("bad.bin") + " --force -o " + Path("x.sgd")).exitCode, 0);

    r = Run("defaults -o " + Path("no/such/dir/d.sgd"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("d.sgd: cannot write"), std::string::npos) << r.err;
    r = Run("decode " + dir.string() + " -o " + Path("x.sgd"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("unreadable"), std::string::npos) << r.err;
}

TEST_F(Cli, BadUsageExitsWithTwoAndAUsageLine) {
    for (const char* args :
         {"", "frobnicate", "defaults", "defaults -o", "defaults --variant B -o x",
          "encode -o x.bin", "encode a b -o x", "decode x.bin --bogus -o y"}) {
        const Result r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage"), std::string::npos) << args;
    }
}

TEST_F(Cli, LangReportCountsEveryLanguage) {
    const std::string out = Path("report.txt");
    Result r = Run("lang-report --program-dir " KW_PROGRAM_DIR " >" + out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string report = ReadFile(out);
    EXPECT_NE(report.find("2 languages, 393 words used"), std::string::npos) << report;
    EXPECT_NE(report.find("Cze (Čeština, Czech.lng): words 393/393, hints 113/113, "
                          "list items 82/82, complete"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("Eng (English, English.lng): words 393/393"), std::string::npos)
        << report;

    // A language with a gap fails and names the missing line.
    fs::copy_file(fs::path(KW_PROGRAM_DIR) / "words-used.txt", Path("words-used.txt"));
    {
        std::ofstream(Path("L_Init.ini"))
            << "[Settings]\nNumberOfLang=1\n[Lang0]\nFile=T.lng\nId=Tst\n";
    }
    { std::ofstream(Path("T.lng")) << "S0=Only the caption\n"; }
    r = Run("lang-report --program-dir " + dir.string() + " >" + out);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("1 of 1 languages incomplete"), std::string::npos) << r.err;
    EXPECT_NE(ReadFile(out).find("no variant: S1: text missing"), std::string::npos);

    r = Run("lang-report --program-dir " + Path("nowhere"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("L_Init.ini: missing"), std::string::npos) << r.err;
    EXPECT_EQ(Run("lang-report extra").exitCode, 2);
}

} // namespace
