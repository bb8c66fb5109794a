// The word table: index file, variant rules, fallbacks, escapes, line pieces,
// the checks, and hostile language files.
#include "Language.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A program folder with an index file and language files written by the test.
class LanguageFiles : public ::testing::Test {
protected:
    // One language "Test" (id "Tst") whose file holds `lines`.
    void OneLanguage(const std::string& lines, int words = 400) {
        dir.Write("L_Init.ini",
                  "[Settings]\nNumberOfLang=1\nNumberOfWords=" + std::to_string(words) +
                      "\n[Lang0]\nFile=Test.lng\nName=Test\nId=Tst\n");
        dir.Write("Test.lng", lines);
        language.Init(dir.Dir().string());
    }
    void LoadOne(const std::string& lines, const std::string& variant) {
        OneLanguage(lines);
        language.Load(0, variant);
    }

    kw::test::TempDir dir;
    CLanguage language;
};

TEST_F(LanguageFiles, IndexFileListsLanguagesWithDefaults) {
    dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=3\nNumberOfWords=600\n"
                            "[Lang0]\nFile=Cz.lng\nName=Čeština\nId=Cze\n"
                            "[Lang1]\nFile=En.lng\nName=English\nId=Eng\n"
                            "[Lang2]\n");
    language.Init(dir.Dir().string() + "/");
    EXPECT_EQ(language.LangNum(), 3);
    EXPECT_EQ(language.WordCount(), 600);
    EXPECT_EQ(language.GetLangName(0), "Čeština");
    EXPECT_EQ(language.Languages()[1].file, dir.Path("En.lng"));
    EXPECT_EQ(language.GetLangName(2), "Undefined");
    EXPECT_EQ(language.GetLangId(2), "None");
    EXPECT_EQ(language.Languages()[2].file, dir.Path("None.ini"));
    EXPECT_EQ(language.FindLangById("Eng"), 1);
    EXPECT_EQ(language.FindLangById("eng"), -1);
    EXPECT_EQ(language.FindLangById("Slo"), -1);
    // Before the first load the table is allocated and empty.
    EXPECT_EQ(language.GetText(5), "");
    EXPECT_FALSE(language.HasText(5));
}

TEST_F(LanguageFiles, FirstGeneralLineWinsUnlessNoVariant) {
    LoadOne("S5=Alpha\nS5=Beta\n", "C");
    EXPECT_EQ(language.GetText(5), "Alpha");
    language.Load(0, "");
    EXPECT_EQ(language.GetText(5), "Beta");
}

TEST_F(LanguageFiles, VariantLineWinsWhereverItStands) {
    OneLanguage("S5=Alpha\nS5C=Gamma\nS6C=Gamma\nS6=Alpha\nS7H=Hint\nS7HE=Hint E\n"
                "S8_1=one\nS8_1E=one E\nS8_1C=one C\n");
    language.Load(0, "C");
    EXPECT_EQ(language.GetText(5), "Gamma");
    EXPECT_EQ(language.GetText(6), "Gamma");
    EXPECT_EQ(language.GetHint(7), "Hint");
    EXPECT_EQ(language.GetItem(8, 1), "one C");
    language.Load(0, "E");
    EXPECT_EQ(language.GetText(5), "Alpha");
    EXPECT_EQ(language.GetText(6), "Alpha");
    EXPECT_EQ(language.GetHint(7), "Hint E");
    EXPECT_EQ(language.GetItem(8, 1), "one E");
    language.Load(0, ""); // variant lines never apply without a configuration
    EXPECT_EQ(language.GetText(5), "Alpha");
    EXPECT_EQ(language.GetHint(7), "Hint");
    EXPECT_EQ(language.GetItem(8, 1), "one");
}

TEST_F(LanguageFiles, MissingFieldsReadAsTheirKeys) {
    LoadOne("S5=Alpha\nS7_2=x\nS9=0\nS9H=0\n", "A");
    EXPECT_EQ(language.GetText(6), "S6");
    EXPECT_EQ(language.GetHint(5), "S5H");
    EXPECT_EQ(language.GetItem(7, 3), "S7_3");
    EXPECT_EQ(language.ItemCount(7), 3);
    EXPECT_EQ(language.GetItem(7, 0), "S7_0");
    EXPECT_EQ(language.GetItem(7, 1), "S7_1");
    EXPECT_EQ(language.GetItem(7, 2), "x");
    EXPECT_EQ(language.GetItem(7, -1), "S7_-1");
    EXPECT_EQ(language.GetItem(7, 99), "S7_99");
    // "0" is the unset marker, so a text of "0" reads as missing.
    EXPECT_EQ(language.GetText(9), "S9");
    EXPECT_EQ(language.GetHint(9), "S9H");
    EXPECT_TRUE(language.HasText(5));
    EXPECT_FALSE(language.HasText(6));
    EXPECT_TRUE(language.HasItem(7, 2));
    EXPECT_FALSE(language.HasItem(7, 1));
}

TEST_F(LanguageFiles, ListIndexesAbove20AreIgnored) {
    LoadOne("S7_21=x\nS7_20=last\nS7_0021=y\nS7_-1=z\nS7_=w\n", "");
    EXPECT_EQ(language.ItemCount(7), 21);
    EXPECT_EQ(language.GetItem(7, 20), "last");
    EXPECT_EQ(language.GetItem(7, 21), "S7_21");
}

TEST_F(LanguageFiles, EachLoadStartsFromAClearedTableAndListsKeepTheirLength) {
    OneLanguage("S7_3=three\nS5=five\n");
    language.Load(0, "");
    dir.Write("Test.lng", "S7_0=zero\n");
    language.Load(0, "");
    EXPECT_EQ(language.GetText(5), "S5");
    EXPECT_EQ(language.ItemCount(7), 4);
    EXPECT_EQ(language.GetItem(7, 0), "zero");
    EXPECT_EQ(language.GetItem(7, 3), "S7_3");
}

TEST_F(LanguageFiles, EscapesAndLineEnds) {
    LoadOne("S1=Line 1\\nLine 2\r\nS2=50\\%\r\r\nS3=a\\tb\\\\c\\\nS4=x=y\nS5=  spaced  \n", "");
    EXPECT_EQ(language.GetText(1), "Line 1\nLine 2");
    EXPECT_EQ(language.GetText(2), "50%");
    EXPECT_EQ(language.GetText(3), "a\tb\\c\\");
    EXPECT_EQ(language.GetText(4), "x=y");
    EXPECT_EQ(language.GetText(5), "  spaced  ");
}

TEST_F(LanguageFiles, LinesAreReadInPiecesOf4999Characters) {
    // The first piece of a long line keeps 4999 characters ("S5=" and 4996 x);
    // the rest arrives as a piece of its own, and this one is an entry too.
    const std::string longLine = "S5=" + std::string(4996, 'x') + "S6=tail\n";
    LoadOne(longLine + "S7=after\n", "");
    EXPECT_EQ(language.GetText(5), std::string(4996, 'x'));
    EXPECT_EQ(language.GetText(6), "tail");
    EXPECT_EQ(language.GetText(7), "after");
}

TEST_F(LanguageFiles, MalformedLinesAreIgnored) {
    LoadOne("s5=lower\n S5=space\nS=noid\nSx=letter\nS5\n"
            "S99999999999999999999=big\nS400=beyond\nS399=last\n=S5\n# S6=comment\nS6=ok\n",
            "");
    EXPECT_EQ(language.GetText(5), "S5");
    EXPECT_EQ(language.GetText(0), "S0"); // "S=" and "Sx=" do not name word 0
    EXPECT_EQ(language.GetText(399), "last");
    EXPECT_EQ(language.GetText(6), "ok");
}

TEST_F(LanguageFiles, HostileFilesNeverCrash) {
    std::string hostile;
    hostile += std::string(10000, 'S') + "=" + std::string(10000, '=') + "\n";
    hostile += "S5=" + std::string(10000, 'y') + "\n";
    hostile += "S6=\xFF\xFE\xC3(\xE2\x82\n";       // invalid UTF-8 is kept as bytes
    hostile += std::string("S7=nul\0after\n", 13); // text after a NUL byte is dropped
    hostile += "S8_" + std::string(50, '9') + "=x\n";
    hostile += "S9H" + std::string(10000, 'H') + "=h\n";
    for (int c = 0; c < 256; ++c)
        hostile += static_cast<char>(c);
    hostile += "\nS10=end"; // no final line break
    LoadOne(hostile, "");
    EXPECT_EQ(language.GetText(5), std::string(4996, 'y'));
    EXPECT_EQ(language.GetText(6), "\xFF\xFE\xC3(\xE2\x82");
    EXPECT_EQ(language.GetText(7), "nul");
    EXPECT_EQ(language.ItemCount(8), 0);
    EXPECT_EQ(language.GetHint(9), "S9H");
    EXPECT_EQ(language.GetText(10), "end");
}

TEST_F(LanguageFiles, MissingOrEmptyLanguageFileShowsKeys) {
    OneLanguage("");
    language.Load(0, "A");
    EXPECT_EQ(language.GetText(0), "S0");
    dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=1\n[Lang0]\nFile=Gone.lng\n");
    language.Init(dir.Dir().string());
    language.Load(0, "");
    EXPECT_EQ(language.GetText(367), "S367");
    EXPECT_EQ(language.GetItem(12, 0), "S12_0");
}

TEST_F(LanguageFiles, MissingIndexFileMeansNoLanguagesButRoomForEveryWord) {
    language.Init(dir.Dir().string());
    EXPECT_EQ(language.LangNum(), 0);
    EXPECT_EQ(language.FindLangById("Cze"), -1);
    // A missing or short "NumberOfWords" still leaves room for the ids the
    // program uses: texts read empty instead of stopping the program.
    EXPECT_EQ(language.WordCount(), CLanguage::kMinWords);
    EXPECT_EQ(language.GetText(367), "");
}

TEST_F(LanguageFiles, HugeCountsAreCapped) {
    dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=2000000000\nNumberOfWords=2000000000\n");
    language.Init(dir.Dir().string());
    EXPECT_EQ(language.LangNum(), CLanguage::kMaxLanguages);
    EXPECT_EQ(language.WordCount(), CLanguage::kMaxWords);
    EXPECT_EQ(language.GetLangName(CLanguage::kMaxLanguages - 1), "Undefined");
}

class RecordingMenu : public CLanguageMenu {
public:
    void ClearLanguages() override { names.clear(); }
    void AddLanguage(int index, const std::string& name) override {
        EXPECT_EQ(index, static_cast<int>(names.size()));
        names.push_back(name);
    }
    void CheckLanguage(int index) override { checked = index; }
    std::vector<std::string> names;
    int checked = -1;
};

TEST_F(LanguageFiles, MenuAndChangeCallback) {
    dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=2\n[Lang0]\nName=One\n[Lang1]\nName=Two\n");
    RecordingMenu menu;
    menu.names = {"stale"};
    std::vector<std::pair<int, std::string>> calls;
    language.Init(dir.Dir().string(), &menu,
                  [&](int lang, const std::string& variant) { calls.emplace_back(lang, variant); });
    EXPECT_EQ(menu.names, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(menu.checked, -1);
    language.Load(1, "G");
    EXPECT_EQ(menu.checked, 1);
    EXPECT_EQ(language.LoadedLang(), 1);
    language.MenuPicked(0);
    language.MenuPicked(7); // no such language: nothing happens
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::pair<int, std::string>{0, "G"}));
}

using LanguageDeathTest = LanguageFiles;

TEST_F(LanguageDeathTest, ChecksNameTheBrokenCondition) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CLanguage fresh;
    EXPECT_DEATH(fresh.GetText(0), "m_LangNum!=-1");
    EXPECT_DEATH(fresh.GetItem(0, 0), "m_LangNum!=-1");
    OneLanguage("S1=x\n", 400);
    language.Load(0, "");
    EXPECT_DEATH(language.GetHint(CLanguage::kMinWords), "m_WordCount>id");
    EXPECT_DEATH(language.Load(1, ""), "lang>=0 && lang<m_LangNum");
    EXPECT_DEATH(language.Load(-1, ""), "lang>=0 && lang<m_LangNum");
    EXPECT_DEATH(language.GetLangName(1), "lang>=0 && lang<m_LangNum");
    dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=-1\n");
    EXPECT_DEATH(language.Init(dir.Dir().string()), "m_LangNum>=0");
}

} // namespace
