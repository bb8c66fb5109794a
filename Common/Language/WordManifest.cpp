#include "WordManifest.h"

#include "FormatText.h"

#include <fstream>
#include <sstream>

namespace kw {
namespace {

std::string Key(int id, const char* suffix = "") {
    return CLanguage::WordKey(id, suffix);
}

std::string ItemKey(int id, int index) {
    return CLanguage::ItemKey(id, index);
}

bool ParseLine(const std::string& line, UsedWord& word, std::string& why) {
    std::istringstream in(line);
    std::string needs, fmt;
    if (!(in >> word.id >> needs >> word.items >> fmt)) {
        why = "expected: id needs items fmt use";
        return false;
    }
    if (word.id < 0 || word.id >= CLanguage::kMaxWords) {
        why = "id out of range";
        return false;
    }
    if (needs != "T" && needs != "TH") {
        why = "needs must be T or TH";
        return false;
    }
    if (word.items < 0 || word.items > CLanguage::kMaxItem + 1) {
        why = "items must be 0 to 21";
        return false;
    }
    if (fmt != "-" && fmt.find_first_not_of("si") != std::string::npos) {
        why = "fmt must be '-' or a sequence of s and i";
        return false;
    }
    word.hint = needs == "TH";
    word.placeholders = fmt == "-" ? std::string() : fmt;
    std::getline(in >> std::ws, word.use);
    return true;
}

} // namespace

std::vector<UsedWord> ParseWordManifest(std::string_view text, std::vector<std::string>* errors) {
    std::vector<UsedWord> words;
    std::istringstream in{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#')
            continue;
        UsedWord word;
        std::string why;
        if (ParseLine(line, word, why))
            words.push_back(std::move(word));
        else if (errors)
            errors->push_back("line " + std::to_string(number) + ": " + why);
    }
    return words;
}

bool LoadWordManifest(const std::string& path, std::vector<UsedWord>& words, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        if (error)
            *error = path + ": cannot open";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> errors;
    words = ParseWordManifest(text.str(), &errors);
    if (!errors.empty()) {
        if (error)
            *error = path + ": " + errors.front();
        return false;
    }
    return true;
}

WordCoverage CheckCoverage(const CLanguage& language, const std::vector<UsedWord>& words) {
    WordCoverage c;
    for (const UsedWord& w : words) {
        c.textsUsed++;
        if (w.id >= language.WordCount()) {
            c.problems.push_back(Key(w.id) + ": beyond NumberOfWords");
            continue;
        }
        if (language.HasText(w.id)) {
            c.textsPresent++;
            const std::string found = FormatPlaceholders(language.GetText(w.id));
            if (found != w.placeholders)
                c.problems.push_back(Key(w.id) + ": placeholders '" + found + "', expected '" +
                                     w.placeholders + "'");
        } else {
            c.problems.push_back(Key(w.id) + ": text missing");
        }
        if (w.hint) {
            c.hintsUsed++;
            if (language.HasHint(w.id))
                c.hintsPresent++;
            else
                c.problems.push_back(Key(w.id, "H") + ": hint missing");
        }
        if (w.hint && language.HasHint(w.id) && !FormatPlaceholders(language.GetHint(w.id)).empty())
            c.problems.push_back(Key(w.id, "H") + ": placeholder in a hint");
        for (int i = 0; i < w.items; ++i) {
            c.itemsUsed++;
            if (!language.HasItem(w.id, i)) {
                c.problems.push_back(ItemKey(w.id, i) + ": item missing");
                continue;
            }
            c.itemsPresent++;
            if (!FormatPlaceholders(language.GetItem(w.id, i)).empty())
                c.problems.push_back(ItemKey(w.id, i) + ": placeholder in a list item");
        }
        for (int i = w.items; i < language.ItemCount(w.id); ++i)
            if (language.HasItem(w.id, i))
                c.problems.push_back(ItemKey(w.id, i) + ": no list shows this item");
    }
    return c;
}

} // namespace kw
