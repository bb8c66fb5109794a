// .sgd files: the written form, the reading rules, malformed input, and the
// round trip through file and image of many random configurations.
#include "ConfigImage.h"
#include "HardwareVariant.h"
#include "ParFile.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class SgdFiles : public ::testing::Test {
protected:
    void SetUp() override { kw::RegisterCatalogue(p); }

    std::string Path(const char* name) const { return temp.Path(name); }
    void Write(const char* name, const std::string& content) const { temp.Write(name, content); }
    std::string Read(const char* name) const { return temp.Read(name); }
    bool LoadText(const std::string& content) {
        Write("in.sgd", content);
        return p.LoadFromFile(Path("in.sgd"));
    }

    kw::test::TempDir temp;
    const fs::path& dir = temp.Dir();
    CParameters p;
};

TEST_F(SgdFiles, DefaultsGive151LinesInLevelThenByteOrder) {
    p.SetValue("HWVer", 0, "A");
    ASSERT_TRUE(p.SaveToFile(Path("d.sgd")));
    const std::string text = Read("d.sgd");
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()); // every line ends in CR LF, nothing after
    ASSERT_EQ(lines.size(), 151u);
    EXPECT_EQ(lines[0], "HWVer=\"A\"");
    EXPECT_EQ(lines[1], "AMREnabled=\"0\"");
    EXPECT_EQ(lines[2], "BateryOut=\"0\"");
    EXPECT_EQ(lines[3], "CLIRInk=\"0\"");
    EXPECT_EQ(lines[4], "COMPerm=\"0\"");
    EXPECT_EQ(lines[5], "CallHandOver=\"0\"");
    EXPECT_EQ(lines[150], "UMTSGSM=\"0\"");
    EXPECT_TRUE(std::is_sorted(lines.begin() + 1, lines.end()));
    EXPECT_EQ(text.find("PINVal"), std::string::npos);
    EXPECT_EQ(text.find("ServisPassw"), std::string::npos);
    auto it = std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("FXSNumBegin=", 0) == 0; });
    ASSERT_NE(it, lines.end());
    EXPECT_EQ(it->size(), 12 + 120 * 2 + 119u);
}

TEST_F(SgdFiles, SaveAndLoadGiveEveryValueBack) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
        std::mt19937 random(seed);
        kw::test::FillRandom(p, random);
        ASSERT_TRUE(p.SaveToFile(Path("r.sgd")));
        CParameters back;
        kw::RegisterCatalogue(back);
        ASSERT_TRUE(back.LoadFromFile(Path("r.sgd")));
        EXPECT_FALSE(back.m_Modified);
        for (const auto& [name, rc] : p.Records()) {
            const TMultiPar* got = back.Find(name);
            EXPECT_EQ(got->Present, rc.Type->m_Saved) << name;
            for (int32_t row = 0; row < rc.Count; ++row)
                ASSERT_EQ(got->Values[row], rc.Type->m_Saved ? rc.Values[row] : rc.Type->m_Default)
                    << name << " row " << row << " seed " << seed;
        }
    }
}

TEST_F(SgdFiles, EveryByteSurvivesAsSmsText) {
    std::string text;
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(c);
    p.SetValue("SMSText", 0, text);
    p.SetValue("OperLock", 0, "\"quoted\" \\ \t");
    ASSERT_TRUE(p.SaveToFile(Path("all.sgd")));
    const std::string file = Read("all.sgd");
    EXPECT_NE(file.find("\\x09"), std::string::npos);
    EXPECT_NE(file.find("\\x34"), std::string::npos);
    EXPECT_NE(file.find("\\\\"), std::string::npos);
    CParameters back;
    kw::RegisterCatalogue(back);
    ASSERT_TRUE(back.LoadFromFile(Path("all.sgd")));
    EXPECT_EQ(back.GetValue("SMSText", 0), text);
    EXPECT_EQ(back.GetValue("OperLock", 0), "\"quoted\" \\ \t");
}

TEST_F(SgdFiles, EscapesAreWrittenAsDecimalCodes) {
    EXPECT_EQ(kw::sgd::EscapeValue("a\tb"), "a\\x09b");
    EXPECT_EQ(kw::sgd::EscapeValue("\r\n"), "\\x13\\x10");
    EXPECT_EQ(kw::sgd::EscapeValue("\"\\"), "\\x34\\\\");
    EXPECT_EQ(kw::sgd::EscapeValue("\x1f\x7f\x80"), "\\x31\x7f\x80");
}

TEST_F(SgdFiles, IdentityAndVariantSettling) {
    ASSERT_TRUE(LoadText("HWVer=\"E\"\r\n"));
    EXPECT_EQ(kw::SettleVariantAfterLoad(p), "E");
    EXPECT_FALSE(p.m_Modified);
    EXPECT_EQ(p.GetValue("FXSVolRec", 0), "3");

    ASSERT_TRUE(LoadText("ModemNum1=\"\"\n"));
    EXPECT_EQ(kw::SettleVariantAfterLoad(p), "C");
    EXPECT_EQ(p.GetValue("HWVer", 0), "C");

    ASSERT_TRUE(LoadText("FXSVolRec=\"1\"\n"));
    EXPECT_EQ(kw::SettleVariantAfterLoad(p), "A");
    EXPECT_EQ(p.GetValue("HWVer", 0), "A");
    EXPECT_FALSE(p.m_Modified);
}

TEST_F(SgdFiles, ValuesAreNormalizedAndMalformedLinesSkipped) {
    ASSERT_TRUE(LoadText("FXSVolRec=\"9\"\r\n"
                         "FXSVolSend=9\r\n"
                         "FXOVolRec =\"1\"\r\n"
                         "PINVal=\"1234\"\r\n"
                         "no equals sign at all\r\n"
                         "\r\n"
                         "Unknown=\"1\"\r\n"
                         "FXSNumBegin=\"1\",\"2\",\"3\"\r\n"
                         "FXSHangMin=\"550\",\"700\",\"800\"\n"));
    EXPECT_EQ(p.GetValue("FXSVolRec", 0), "5");
    EXPECT_EQ(p.GetValue("FXSVolSend", 0), "3");
    EXPECT_TRUE(p.WasPresent("FXSVolSend"));
    EXPECT_EQ(p.GetValue("FXOVolRec", 0), "3");
    EXPECT_FALSE(p.WasPresent("FXOVolRec"));
    EXPECT_EQ(p.GetValue("PINVal", 0), "");
    EXPECT_TRUE(p.WasPresent("PINVal"));
    EXPECT_EQ(p.GetValue("FXSNumBegin", 2), "3");
    EXPECT_EQ(p.GetValue("FXSNumBegin", 3), "");
    EXPECT_EQ(p.GetValue("FXSHangMin", 0), "500");
    EXPECT_FALSE(p.m_Modified);
}

TEST_F(SgdFiles, BrokenValuesStopTheLineWithoutStoringThem) {
    ASSERT_TRUE(LoadText("FXSNumBegin=\"1\",\"2\\\n"      // backslash at the end of the line
                         "FXSAdd=\"1\",\"2\\x9\",\"3\"\n" // \x without two digits
                         "FXONumBegin=\"1\",\"2\n"        // value never closed
                         "FXOAdd=\"1\"\"2\"\n"            // no comma after the first value
                         "GSMNum=\"1\\q2\",\"\\\\\"\n"    // unknown escape stands for nothing
                         "GSMDialNUm=\"\\x49\\x50\"\n")); // decimal codes: "1" and "2"
    EXPECT_EQ(p.GetValue("FXSNumBegin", 0), "1");
    EXPECT_EQ(p.GetValue("FXSNumBegin", 1), "");
    EXPECT_EQ(p.GetValue("FXSAdd", 1), "");
    EXPECT_EQ(p.GetValue("FXSAdd", 2), "");
    EXPECT_EQ(p.GetValue("FXONumBegin", 1), "");
    EXPECT_EQ(p.GetValue("FXOAdd", 0), "1");
    EXPECT_EQ(p.GetValue("FXOAdd", 1), "");
    EXPECT_EQ(p.GetValue("GSMNum", 0), "12");
    EXPECT_EQ(p.GetValue("GSMDialNUm", 0), "12");
}

TEST_F(SgdFiles, LongLinesAreReadInPieces) {
    // The second piece of an over-long line reads as a line of its own.
    std::string line = "SMSText=\"" + std::string(4999 - 9, 'a');
    line += "FXSVolRec=\"1\"\r\n";
    std::string huge(200000, 'x');
    ASSERT_TRUE(LoadText(line + huge + "\r\nFXSVolSend=\"2\"\r\n"));
    EXPECT_EQ(p.GetValue("SMSText", 0), "");
    EXPECT_EQ(p.GetValue("FXSVolRec", 0), "1");
    EXPECT_EQ(p.GetValue("FXSVolSend", 0), "2");
}

TEST_F(SgdFiles, HostileBytesNeverCrash) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "=\",\\x0123456789\r\nFXSNumBeginSMSText";
    for (int round = 0; round < 200; ++round) {
        std::string content = round % 2 ? "SMSText=" : "FXSNumBegin=";
        for (int i = 0; i < 3000; ++i)
            content += round % 3 ? alphabet[byte(random) % alphabet.size()]
                                 : static_cast<char>(byte(random));
        ASSERT_TRUE(LoadText(content));
        for (const auto& [name, rc] : p.Records())
            for (const auto& value : rc.Values)
                ASSERT_EQ(value, rc.Type->Normalize(value)) << name;
    }
}

TEST_F(SgdFiles, MissingFileOrFolderIsAFailureWithDefaults) {
    p.SetValue("FXSVolRec", 0, "1");
    EXPECT_FALSE(p.LoadFromFile(Path("missing.sgd")));
    EXPECT_EQ(p.GetValue("FXSVolRec", 0), "3");
    EXPECT_FALSE(p.LoadFromFile(dir.string()));
}

TEST_F(SgdFiles, FailedSaveLeavesTheOldFileIntact) {
    Write("keep.sgd", "old content\r\n");
    EXPECT_FALSE(p.SaveToFile(Path("no/such/folder/x.sgd")));
    EXPECT_FALSE(p.SaveToFile(dir.string())); // a folder is no file to write

    if (::geteuid() != 0) { // root writes through any permission bits
        ::chmod(Path("keep.sgd").c_str(), 0444);
        EXPECT_FALSE(p.SaveToFile(Path("keep.sgd")));
    }
    EXPECT_EQ(Read("keep.sgd"), "old content\r\n");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 1u); // no temporary left behind
}

TEST_F(SgdFiles, WriteErrorIsReportedAndKeepsTheOldFile) {
    Write("keep.sgd", "old content\r\n");
    // A file-size limit makes the writes themselves fail, as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = p.SaveToFile(Path("keep.sgd"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(Read("keep.sgd"), "old content\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(SgdFiles, SaveReplacesTheFileAndFollowsLinks) {
    Write("real.sgd", "old\r\n");
    fs::create_symlink(dir / "real.sgd", dir / "link.sgd");
    ::chmod(Path("real.sgd").c_str(), 0600);
    p.SetValue("HWVer", 0, "C");
    ASSERT_TRUE(p.SaveToFile(Path("link.sgd")));
    EXPECT_TRUE(fs::is_symlink(dir / "link.sgd"));
    EXPECT_EQ(Read("real.sgd").rfind("HWVer=\"C\"\r\n", 0), 0u);
    EXPECT_EQ(fs::status(dir / "real.sgd").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
