// The installed language files against the words the program uses: every
// language with every variant is complete, formats carry exactly the
// placeholders their callers fill, and the files themselves are well formed.
#include "FormatText.h"
#include "IniFile.h"
#include "Language.h"
#include "ProgramFolder.h"
#include "TempDir.h"
#include "WordManifest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::string kProgramDir = KW_PROGRAM_DIR "/";
const char* const kVariants[] = {"", "A", "C", "D", "E", "F", "G"};

std::vector<kw::UsedWord> Manifest() {
    std::vector<kw::UsedWord> words;
    std::string error;
    EXPECT_TRUE(kw::LoadWordManifest(kProgramDir + kw::kWordManifestFile, words, &error)) << error;
    return words;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += "  " + line + "\n";
    return out;
}

bool IsValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int extra = c < 0x80           ? 0
                          : (c >> 5) == 0x06 ? 1
                          : (c >> 4) == 0x0E ? 2
                          : (c >> 3) == 0x1E ? 3
                                             : -1;
        if (extra < 0 || i + extra >= text.size())
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        i += 1 + extra;
    }
    return true;
}

TEST(LanguageData, IndexListsCzechAndEnglishWithRoomForEveryWord) {
    kw::CIniFile index;
    ASSERT_TRUE(index.Load(kProgramDir + CLanguage::kIndexFile));
    int highest = 0;
    for (const kw::UsedWord& w : Manifest())
        highest = std::max(highest, w.id);
    // Even an index file that says less leaves room for every word used.
    EXPECT_LT(highest, CLanguage::kMinWords);
    EXPECT_GT(index.ReadInteger("Settings", "NumberOfWords", 0), highest);

    CLanguage language;
    language.Init(kProgramDir);
    EXPECT_EQ(language.LangNum(), 2);
    ASSERT_GE(language.FindLangById("Cze"), 0);
    ASSERT_GE(language.FindLangById("Eng"), 0);
    EXPECT_EQ(language.GetLangName(language.FindLangById("Cze")), "Čeština");
    EXPECT_EQ(language.GetLangName(language.FindLangById("Eng")), "English");
}

TEST(LanguageData, EveryLanguageIsCompleteForEveryVariant) {
    const std::vector<kw::UsedWord> words = Manifest();
    ASSERT_FALSE(words.empty());
    CLanguage language;
    language.Init(kProgramDir);
    ASSERT_GT(language.LangNum(), 0);
    for (int lang = 0; lang < language.LangNum(); ++lang) {
        for (const char* variant : kVariants) {
            language.Load(lang, variant);
            const kw::WordCoverage c = kw::CheckCoverage(language, words);
            EXPECT_TRUE(c.Complete())
                << language.GetLangId(lang) << " variant '" << variant << "':\n"
                << Join(c.problems);
            EXPECT_EQ(c.textsPresent, c.textsUsed);
            EXPECT_EQ(c.hintsPresent, c.hintsUsed);
            EXPECT_EQ(c.itemsPresent, c.itemsUsed);
        }
    }
}

// The callers' argument lists, as the code fills them: a change here means a
// caller changed and the language files must follow.
TEST(LanguageData, FormatWordsMatchTheirCallers) {
    const std::map<int, std::string> callers = {{109, "s"},
                                                {110, "s"},
                                                {137, "s"},
                                                {138, "s"},
                                                {358, "s"},
                                                {359, "s"},
                                                {360, "ss"},
                                                {401, "s"},
                                                {402, "ss"},
                                                {403, "s"},
                                                {404, "i"},
                                                {405, "is"},
                                                {406, "i"},
                                                // Backups, compare and traces.
                                                {462, "s"},
                                                {477, "is"},
                                                {481, "s"},
                                                {482, "i"},
                                                {483, "s"},
                                                // Spreadsheets and the report.
                                                {496, "s"},
                                                {497, "iiss"},
                                                {498, "s"},
                                                {499, "s"},
                                                {503, "s"},
                                                {510, "s"},
                                                {512, "ii"},
                                                {515, "s"},
                                                {518, "ii"}};
    std::map<int, std::string> formats;
    for (const kw::UsedWord& w : Manifest())
        if (!w.placeholders.empty())
            formats[w.id] = w.placeholders;
    EXPECT_EQ(formats, callers);

    CLanguage language;
    language.Init(kProgramDir);
    for (int lang = 0; lang < language.LangNum(); ++lang) {
        language.Load(lang, "");
        // Filled as the callers fill them, nothing is left over.
        const std::string text =
            kw::FormatText(language.GetText(360), {"12-3456-7890", "10.0.0.7"});
        EXPECT_NE(text.find("12-3456-7890"), std::string::npos) << text;
        EXPECT_NE(text.find("10.0.0.7"), std::string::npos) << text;
        EXPECT_EQ(text.find('%'), std::string::npos) << text;
    }
}

// Line-level checks the table itself cannot see: every key names a used word and
// a shown item, variant suffixes are real gateway codes, no key is given twice,
// and the file is UTF-8 with lines the reader takes whole.
TEST(LanguageData, FilesAreWellFormed) {
    std::map<int, kw::UsedWord> used;
    for (const kw::UsedWord& w : Manifest())
        used[w.id] = w;
    CLanguage language;
    language.Init(kProgramDir);
    for (const CLanguage::Entry& entry : language.Languages()) {
        SCOPED_TRACE(entry.file);
        std::ifstream in(entry.file, std::ios::binary);
        ASSERT_TRUE(in.is_open());
        std::set<std::string> keys;
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            SCOPED_TRACE("line " + std::to_string(number));
            EXPECT_TRUE(IsValidUtf8(line));
            EXPECT_LT(line.size(), CLanguage::kMaxLineChars);
            EXPECT_EQ(line.find('\r'), std::string::npos);
            if (line.empty() || line[0] == '#')
                continue;
            ASSERT_EQ(line[0], 'S') << line;
            const size_t equals = line.find('=');
            ASSERT_NE(equals, std::string::npos) << line;
            const std::string key = line.substr(0, equals);
            EXPECT_TRUE(keys.insert(key).second) << "duplicate " << key;
            EXPECT_NE(line.substr(equals + 1), CLanguage::kUnset) << key;

            size_t pos = 1;
            int id = 0;
            while (pos < key.size() && std::isdigit(static_cast<unsigned char>(key[pos])))
                id = id * 10 + (key[pos++] - '0');
            ASSERT_GT(pos, 1u) << key;
            ASSERT_TRUE(used.count(id)) << key << " is not a word the program uses";
            std::string suffix = key.substr(pos);
            if (!suffix.empty() && suffix[0] == 'H') {
                EXPECT_TRUE(used[id].hint) << key << ": no control shows this hint";
                suffix.erase(0, 1);
            } else if (!suffix.empty() && suffix[0] == '_') {
                size_t end = 1;
                int item = 0;
                while (end < suffix.size() && std::isdigit(static_cast<unsigned char>(suffix[end])))
                    item = item * 10 + (suffix[end++] - '0');
                EXPECT_LT(item, used[id].items) << key << ": no list shows this item";
                suffix.erase(0, end);
            }
            EXPECT_TRUE(suffix.empty() || suffix == "A" || suffix == "C" || suffix == "D" ||
                        suffix == "E" || suffix == "F" || suffix == "G")
                << key << ": unknown variant '" << suffix << "'";
        }
    }
}

TEST(LanguageData, VariantsWithoutFxoGetTheirOwnTexts) {
    CLanguage language;
    language.Init(kProgramDir);
    for (int lang = 0; lang < language.LangNum(); ++lang) {
        language.Load(lang, "A");
        const std::string withFxo = language.GetText(210);
        EXPECT_NE(withFxo.find("FXO"), std::string::npos);
        for (const char* variant : {"E", "G"}) {
            language.Load(lang, variant);
            EXPECT_EQ(language.GetText(210).find("FXO"), std::string::npos) << variant;
        }
    }
}

TEST(WordManifestParse, ReportsMalformedLines) {
    std::vector<std::string> errors;
    const auto words = kw::ParseWordManifest("# comment\n\n"
                                             "5 TH 3 ss text with spaces\n"
                                             "6 T 0 - plain\n"
                                             "x T 0 - bad id\n"
                                             "7 Q 0 - bad needs\n"
                                             "8 T 22 - too many items\n"
                                             "9 T 0 %d bad format\n"
                                             "10 T\n",
                                             &errors);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].id, 5);
    EXPECT_TRUE(words[0].hint);
    EXPECT_EQ(words[0].items, 3);
    EXPECT_EQ(words[0].placeholders, "ss");
    EXPECT_EQ(words[0].use, "text with spaces");
    EXPECT_EQ(words[1].placeholders, "");
    EXPECT_EQ(errors.size(), 5u);
}

TEST(WordManifestCheck, NamesEveryKindOfFault) {
    kw::test::TempDir dir;
    dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=1\n[Lang0]\nFile=T.lng\n");
    dir.Write("T.lng", "S1=ok\nS1H=hint %s\nS2=%s and %s\nS3=x\nS3_0=a\nS3_2=c\nS3_3=d\n"
                       "S4=50%% done\n");
    CLanguage language;
    language.Init(dir.Dir().string());
    language.Load(0, "");
    const auto words = kw::ParseWordManifest("1 TH 0 - a\n2 T 0 s b\n3 T 3 - c\n4 T 0 - d\n"
                                             "5 TH 1 - e\n" +
                                             std::to_string(CLanguage::kMinWords) + " T 0 - f\n");
    const kw::WordCoverage c = kw::CheckCoverage(language, words);
    EXPECT_EQ(c.problems, (std::vector<std::string>{
                              "S1H: placeholder in a hint",
                              "S2: placeholders 'ss', expected 's'",
                              "S3_1: item missing",
                              "S3_3: no list shows this item",
                              "S5: text missing",
                              "S5H: hint missing",
                              "S5_0: item missing",
                              "S" + std::to_string(CLanguage::kMinWords) + ": beyond NumberOfWords",
                          }));
    EXPECT_EQ(c.textsUsed, 6);
    EXPECT_EQ(c.textsPresent, 4);
    EXPECT_EQ(c.hintsUsed, 2);
    EXPECT_EQ(c.hintsPresent, 1);
    EXPECT_EQ(c.itemsUsed, 4);
    EXPECT_EQ(c.itemsPresent, 2);
}

} // namespace

namespace {

// The programs find their language files beside themselves in a build tree,
// and anywhere the environment points to.
TEST(ProgramFolder, ExecutableFolderOrEnvironment) {
    const char* saved = std::getenv("KOLBRAWIN_PROGRAM_DIR");
    const std::string restore = saved ? saved : "";
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
    EXPECT_EQ(kw::ExecutableFolder(), kProgramDir);
    EXPECT_EQ(kw::ProgramFolder(), kProgramDir);
    ::setenv("KOLBRAWIN_PROGRAM_DIR", "/opt/kw", 1);
    EXPECT_EQ(kw::ProgramFolder(), "/opt/kw/");
    if (saved)
        ::setenv("KOLBRAWIN_PROGRAM_DIR", restore.c_str(), 1);
    else
        ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

} // namespace
