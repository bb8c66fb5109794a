// The words the program uses, as listed in "words-used.txt" beside the language
// files, and a check of a loaded language against that list: which texts, hints
// and list items are present, and whether format words carry exactly the
// placeholders their callers fill. The coverage report and the data tests use it.
#pragma once

#include "Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace kw {

inline constexpr const char* kWordManifestFile = "words-used.txt";

struct UsedWord {
    int id = 0;
    bool hint = false;        // the hint is shown somewhere
    int items = 0;            // list items 0 .. items-1 are shown
    std::string placeholders; // what FormatPlaceholders must give for the text ("" = none)
    std::string use;          // where the word appears, for people
};

// Parses the manifest text: "id needs items fmt use…" per line, '#' comments.
// Malformed lines are skipped and described in `errors` (when given).
std::vector<UsedWord> ParseWordManifest(std::string_view text,
                                        std::vector<std::string>* errors = nullptr);
// Reads and parses a manifest file; false with `error` set when it cannot be read.
bool LoadWordManifest(const std::string& path, std::vector<UsedWord>& words,
                      std::string* error = nullptr);

struct WordCoverage {
    int textsUsed = 0, textsPresent = 0;
    int hintsUsed = 0, hintsPresent = 0;
    int itemsUsed = 0, itemsPresent = 0;
    // One line per fault: a missing field (named by its key, "S12", "S12H",
    // "S12_3"), a list item no list shows, or a placeholder mismatch.
    std::vector<std::string> problems;
    bool Complete() const { return problems.empty(); }
};

// Checks the language loaded last in `language` against `words`.
WordCoverage CheckCoverage(const CLanguage& language, const std::vector<UsedWord>& words);

} // namespace kw
