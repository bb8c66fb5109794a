// Our INI reader, and the language index read through it: any text parses;
// the text written from what was read reads back to the same sections and
// entries and is written the same again; integers read back as written; an
// index file lists as many languages as it may.
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "IniFile.h"
#include "Language.h"

#include <algorithm>
#include <string>

namespace {

using namespace kw::fuzz;
using kw::CIniFile;

// The sections that hold something, as lookups see them (an empty section
// without a name writes nothing and so does not come back).
bool SameContent(const CIniFile& a, const CIniFile& b) {
    auto held = [](const CIniFile& ini) {
        std::vector<const CIniFile::Section*> sections;
        for (const CIniFile::Section& section : ini.Sections())
            if (!section.name.empty() || !section.entries.empty())
                sections.push_back(&section);
        return sections;
    };
    const auto first = held(a), second = held(b);
    if (first.size() != second.size())
        return false;
    for (size_t i = 0; i < first.size(); ++i) {
        if (first[i]->name != second[i]->name ||
            first[i]->entries.size() != second[i]->entries.size())
            return false;
        for (size_t k = 0; k < first[i]->entries.size(); ++k)
            if (first[i]->entries[k].key != second[i]->entries[k].key ||
                first[i]->entries[k].value != second[i]->entries[k].value)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = WriteFuzzFile(CLanguage::kIndexFile, text);

    CIniFile loaded;
    KW_FUZZ_REQUIRE(loaded.Load(path), "a small file loads");
    CIniFile parsed;
    parsed.Parse(text);
    KW_FUZZ_REQUIRE(SameContent(loaded, parsed),
                    "loading a file reads what parsing its text reads");

    const std::string written = parsed.Text();
    CIniFile again;
    again.Parse(written);
    KW_FUZZ_REQUIRE(SameContent(parsed, again), "a written file reads back to what was read");
    KW_FUZZ_REQUIRE(again.Text() == written, "writing what was read back gives the same text");

    for (const CIniFile::Section& section : parsed.Sections()) {
        for (const CIniFile::Entry& entry : section.entries) {
            const auto number = kw::ParseIniInteger(entry.value);
            if (number)
                KW_FUZZ_REQUIRE(kw::ParseIniInteger(std::to_string(*number)) == number,
                                "an integer reads back as written");
            // The first entry of a key is the one lookups see.
            const auto found = parsed.Find(section.name, entry.key);
            KW_FUZZ_REQUIRE(found.has_value(), "every entry can be found");
        }
    }

    // The same text as the language index: a negative count is a programming
    // error that stops the program, so only the others are tried.
    const int languages = parsed.ReadInteger("Settings", "NumberOfLang", 0);
    if (languages >= 0) {
        CLanguage language;
        language.Init(FuzzFolder());
        KW_FUZZ_REQUIRE(language.LangNum() == std::min(languages, CLanguage::kMaxLanguages),
                        "the index lists its languages, at most the limit");
        KW_FUZZ_REQUIRE(language.WordCount() >= CLanguage::kMinWords &&
                            language.WordCount() <= CLanguage::kMaxWords,
                        "the word table is within its bounds");
        KW_FUZZ_REQUIRE(language.Languages().size() == size_t(language.LangNum()),
                        "one entry per language");
    }
    return 0;
}
