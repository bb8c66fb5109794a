// The language file loader, with every hardware variant: any file loads, a
// load depends only on the file and the variant (never on the load before),
// and every text the file gives is safe as a format: FormatText fills exactly
// the placeholders FormatPlaceholders names and prints the rest as it stands.
//
// Input: a byte choosing two variants (of the six letters and none), then the
// file. It is loaded for the first variant, the second, and the first again.
#include "FormatText.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "Language.h"

#include <string>
#include <vector>

namespace {

using namespace kw::fuzz;

const char* const kVariants[] = {"A", "C", "D", "E", "F", "G", ""};
constexpr size_t kVariantCount = std::size(kVariants);
// The smallest table there is: lines for higher ids are ignored.
constexpr int kWords = CLanguage::kMinWords;

// What an unset text and hint read as, made once.
struct Keys {
    Keys() {
        for (int id = 0; id < kWords; ++id) {
            text.push_back(CLanguage::WordKey(id));
            hint.push_back(CLanguage::WordKey(id, "H"));
        }
    }
    std::vector<std::string> text;
    std::vector<std::string> hint;
};

const Keys& UnsetKeys() {
    static const Keys keys;
    return keys;
}

// Every text, hint and list item the file set, in a fixed order. Lists keep
// their length from load to load, so items left unset at the end are no part
// of what a load gave.
std::string Table(const CLanguage& language) {
    const Keys& keys = UnsetKeys();
    std::string table;
    for (int id = 0; id < kWords; ++id) {
        const std::string text = language.GetText(id);
        if (text != keys.text[size_t(id)])
            table += std::to_string(id) + "=" + text + '\x1F';
        const std::string hint = language.GetHint(id);
        if (hint != keys.hint[size_t(id)])
            table += std::to_string(id) + "H=" + hint + '\x1F';
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
    if (size == 0)
        return 0;
    const char* first = kVariants[data[0] % kVariantCount];
    const char* second = kVariants[data[0] / kVariantCount % kVariantCount];
    WriteFuzzFile("Fuzzed.lng", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (!initialised) {
        language.Init(FuzzFolder());
        initialised = true;
    }
    KW_FUZZ_REQUIRE(language.LangNum() == 1 && language.WordCount() >= kWords,
                    "the index lists the fuzzed language");

    // Each text is tried as a format once (the variants mostly share them);
    // an unset one reads as its key and needs no trying.
    std::vector<std::string> checked = UnsetKeys().text;
    const auto checkFormats = [&checked] {
        for (int id = 0; id < kWords; ++id) {
            std::string text = language.GetText(id);
            if (text != checked[size_t(id)]) {
                CheckFormat(text);
                checked[size_t(id)] = std::move(text);
            }
        }
    };
    language.Load(0, first);
    const std::string table = Table(language);
    checkFormats();
    language.Load(0, second);
    checkFormats();
    // Loading the first variant again, after the other, gives the same table.
    language.Load(0, first);
    KW_FUZZ_REQUIRE(Table(language) == table, "a load depends on the file and the variant only");
    return 0;
}
