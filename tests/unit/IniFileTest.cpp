// The INI reader/writer: file order, values as written, hostile files.
#include "IniFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using kw::CIniFile;

namespace {

class IniFiles : public ::testing::Test {
protected:
    std::string Write(const char* name, const std::string& bytes) const {
        dir.Write(name, bytes);
        return dir.Path(name);
    }
    static std::string ReadAll(const std::string& path) { return kw::test::ReadFileBytes(path); }

    kw::test::TempDir dir;
};

TEST(IniParse, KeepsFileOrderAndValuesAsWritten) {
    CIniFile ini;
    ini.Parse("\xEF\xBB\xBF; comment\r\n[Settings]\r\nZeta=1,2,3\r\n Alpha = a, b \r\n"
              "Pass=\"x=y\";z\r\n\r\n[Lang0]\nFile=Cz.lng\n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    const auto& settings = ini.Sections()[0];
    EXPECT_EQ(settings.name, "Settings");
    ASSERT_EQ(settings.entries.size(), 3u);
    EXPECT_EQ(settings.entries[0].key, "Zeta");               // not sorted
    EXPECT_EQ(ini.ReadString("Settings", "Zeta"), "1,2,3");   // not a list
    EXPECT_EQ(ini.ReadString("Settings", "Alpha"), " a, b "); // value untouched, CR gone
    EXPECT_EQ(ini.ReadString("Settings", "Pass"), "\"x=y\";z");
    EXPECT_EQ(ini.ReadString("Lang0", "File"), "Cz.lng");
}

TEST(IniParse, ByteOrderMarksOfJoinedFilesHideNothing) {
    // Two files joined, each starting with its mark; a mark before a key in
    // front of every header comes back the same after writing and reading.
    CIniFile ini;
    ini.Parse("\xEF\xBB\xBF[A]\nK=1\n\xEF\xBB\xBF[B]\nK=2\n \xEF\xBB\xBF"
              "L=3\n");
    EXPECT_EQ(ini.ReadString("A", "K"), "1");
    EXPECT_EQ(ini.ReadString("B", "K"), "2");
    EXPECT_EQ(ini.ReadString("B", "L"), "3");
    CIniFile leading;
    leading.Parse("\xEF\xBB\xBF\xEF\xBB\xBF"
                  "dC=Ize\n\r\r\xEF\xBB\xBF"
                  "2C=Ize\n");
    CIniFile again;
    again.Parse(leading.Text());
    EXPECT_EQ(again.ReadString("", "dC"), "Ize");
    EXPECT_EQ(again.ReadString("", "2C"), "Ize");
    EXPECT_EQ(again.Text(), leading.Text());
}

TEST(IniParse, LookupsAreExactAndFirstDuplicateWins) {
    CIniFile ini;
    ini.Parse("[S]\nKey=first\nKey=second\nkey=lower\n");
    EXPECT_EQ(ini.ReadString("S", "Key"), "first");
    EXPECT_EQ(ini.ReadString("S", "key"), "lower");
    EXPECT_EQ(ini.ReadString("s", "Key", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("S", "Missing", "dflt"), "dflt");
    EXPECT_FALSE(ini.HasKey("S", "KEY"));
}

TEST(IniParse, IntegersNeverFailOnJunk) {
    CIniFile ini;
    ini.Parse("[S]\nA= 42 \nB=-7\nC=12abc\nD=\nE=99999999999999999999\nF=+3\nG=0x10\nH=- 1\n");
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 42);
    EXPECT_EQ(ini.ReadInteger("S", "B", 0), -7);
    EXPECT_EQ(ini.ReadInteger("S", "C", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "D", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "E", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "F", 0), 3);
    EXPECT_EQ(ini.ReadInteger("S", "G", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "H", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "Missing", -1), -1);
}

TEST(IniParse, BoolsAcceptTheUsualSpellings) {
    CIniFile ini;
    ini.Parse("[S]\nA=1\nB=0\nC=True\nD=no\nE=maybe\n");
    EXPECT_TRUE(ini.ReadBool("S", "A", false));
    EXPECT_FALSE(ini.ReadBool("S", "B", true));
    EXPECT_TRUE(ini.ReadBool("S", "C", false));
    EXPECT_FALSE(ini.ReadBool("S", "D", true));
    EXPECT_TRUE(ini.ReadBool("S", "E", true));
    EXPECT_FALSE(ini.ReadBool("S", "E", false));
}

TEST(IniParse, HostileTextNeverBreaksTheReader) {
    std::string text = "[Broken\nNoEquals\n=novalue\n[S]\nK=";
    text += std::string(200000, 'x');
    text += "\nBin=";
    for (int c = 0; c < 256; ++c)
        if (c != '\n' && c != '\r')
            text += static_cast<char>(c);
    text += "\n[]\nEmptySection=1\n[S]\nAfter=2";
    CIniFile ini;
    ini.Parse(text);
    EXPECT_EQ(ini.ReadString("S", "K").size(), 200000u);
    EXPECT_EQ(ini.ReadString("S", "Bin").size(), 254u);
    EXPECT_EQ(ini.ReadString("S", "After"), "2"); // a repeated header continues the section
    EXPECT_EQ(ini.ReadString("", "EmptySection"), "1");
    EXPECT_FALSE(ini.HasKey("S", "NoEquals"));
    EXPECT_FALSE(ini.HasKey("S", ""));
}

TEST(IniWrite, KeepsTheOrderGivenAndReplacesInPlace) {
    CIniFile ini;
    ini.WriteString("Settings", "Zeta", "1,2");
    ini.WriteInteger("Settings", "Alpha", -5);
    ini.WriteBool("Other", "Flag", true);
    ini.WriteString("Settings", "Zeta", "line\r\nbreak");
    EXPECT_EQ(ini.Text(), "[Settings]\nZeta=linebreak\nAlpha=-5\n\n[Other]\nFlag=1\n");

    CIniFile again;
    again.Parse(ini.Text());
    EXPECT_EQ(again.Text(), ini.Text());
    again.ClearSection("Settings");
    EXPECT_FALSE(again.HasKey("Settings", "Alpha"));
    EXPECT_EQ(again.Sections().size(), 2u);
}

TEST_F(IniFiles, SaveAndLoadRoundTrip) {
    CIniFile ini;
    ini.WriteString("Settings", "Password", " a,b;c=d ");
    ini.WriteString("Settings", "Path", "/tmp/x y");
    const std::string path = dir.Path("app.ini");
    std::string error;
    ASSERT_TRUE(ini.Save(path, CIniFile::Access::Default, &error)) << error;
    CIniFile back;
    ASSERT_TRUE(back.Load(path, &error)) << error;
    EXPECT_EQ(back.ReadString("Settings", "Password"), " a,b;c=d ");
    EXPECT_EQ(back.ReadString("Settings", "Path"), "/tmp/x y");
    EXPECT_EQ(ReadAll(path), ini.Text());
}

TEST_F(IniFiles, OwnerOnlySaveTightensAnExistingFile) {
    const std::string path = Write("app.ini", "[Settings]\nPassword=old\n");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    CIniFile ini;
    ini.WriteString("Settings", "Password", "secret");
    ASSERT_TRUE(ini.Save(path, CIniFile::Access::OwnerOnly));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadAll(path), "[Settings]\nPassword=secret\n");
}

TEST_F(IniFiles, FailuresLeaveTheOldFileAndSayWhy) {
    CIniFile ini;
    std::string error;
    EXPECT_FALSE(ini.Load(dir.Path("missing.ini"), &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_TRUE(ini.Sections().empty());

    error.clear();
    EXPECT_FALSE(ini.Load(dir.Dir().string(), &error)); // a directory
    EXPECT_FALSE(error.empty());

    const std::string path = Write("keep.ini", "[S]\nK=v\n");
    ini.WriteString("S", "K", "new");
    error.clear();
    EXPECT_FALSE(ini.Save(dir.Path("no-such-dir/x.ini"), {}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadAll(path), "[S]\nK=v\n");
}

TEST_F(IniFiles, RefusesHugeFiles) {
    const std::string path = dir.Path("huge.ini");
    {
        std::ofstream out(path, std::ios::binary);
        out << "[S]\nK=v\n";
    }
    fs::resize_file(path, CIniFile::kMaxFileSize + 1);
    CIniFile ini;
    std::string error;
    EXPECT_FALSE(ini.Load(path, &error));
    EXPECT_NE(error.find("too large"), std::string::npos);
}

} // namespace
