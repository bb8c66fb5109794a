// The language file loader, with every hardware variant: any file loads, a
// load depends only on the file and the variant (never on the load before),
// and every text the file gives is safe as a format: FormatText fills exactly
// the placeholders FormatPlaceholders names and prints the rest as it stands.
#include "FormatText.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "Language.h"

#include <string>
#include <vector>

namespace {

using namespace kw::fuzz;

const char* const kVariants[] = {"A", "C", "D", "E", "F", "G", ""};
// The smallest table there is: lines for higher ids are ignored.
constexpr int kWords = CLanguage::kMinWords;

// Every text, hint and list item the file set, in a fixed order. Lists keep
// their length from load to load, so items left unset at the end are no part
// of what a load gave.
std::string Table(const CLanguage& language) {
    std::string table;
    for (int id = 0; id < kWords; ++id) {
        if (language.HasText(id))
            table += std::to_string(id) + "=" + language.GetText(id) + '\x1F';
        if (language.HasHint(id))
            table += std::to_string(id) + "H=" + language.GetHint(id) + '\x1F';
        for (int item = 0; item < language.ItemCount(id); ++item)
            if (language.HasItem(id, item))
                table += CLanguage::ItemKey(id, item) + "=" + language.GetItem(id, item) + '\x1F';
    }
    return table;
}

void CheckFormat(const std::string& text) {
    static const std::vector<std::string> kArgs = {"<first>", "<second-argument>", "<3>"};
    const std::string placeholders = kw::FormatPlaceholders(text);
    const std::string bare = kw::FormatText(text, {});
    const std::string filled = kw::FormatText(text, kArgs);
    size_t expected = bare.size();
    for (size_t i = 0; i < placeholders.size() && i < kArgs.size(); ++i)
        expected += kArgs[i].size() - 2; // "%s" or "%i" gives way to the argument
    KW_FUZZ_REQUIRE(filled.size() == expected,
                    "a format takes exactly the arguments its placeholders name");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    WriteFuzzFile(CLanguage::kIndexFile,
                  "[Settings]\nNumberOfLang=1\nNumberOfWords=" + std::to_string(kWords) +
                      "\n[Lang0]\nFile=Fuzzed.lng\nName=Fuzzed\nId=Fuz\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CLanguage language;
    static bool initialised = false;
    WriteFuzzFile("Fuzzed.lng", std::string(reinterpret_cast<const char*>(data), size));
    if (!initialised) {
        language.Init(FuzzFolder());
        initialised = true;
    }
    KW_FUZZ_REQUIRE(language.LangNum() == 1 && language.WordCount() >= kWords,
                    "the index lists the fuzzed language");

    std::string first;
    for (const char* variant : kVariants) {
        language.Load(0, variant);
        if (variant == kVariants[0])
            first = Table(language);
        for (int id = 0; id < kWords; ++id) {
            if (language.HasText(id))
                CheckFormat(language.GetText(id));
        }
    }
    // Loading the first variant again, after all the others, gives the same table.
    language.Load(0, kVariants[0]);
    KW_FUZZ_REQUIRE(Table(language) == first, "a load depends on the file and the variant only");
    return 0;
}
