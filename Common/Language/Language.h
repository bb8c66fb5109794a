// The language word table: the installed languages listed in "L_Init.ini", and
// the texts, hints and list items of the one language loaded last, chosen by the
// hardware variant. Standard library only; the Qt side (translating widget trees,
// the language menu) lives in TranslateWidgets.h and LanguageMenuQt.h.
//
// Texts are UTF-8 as the language files hold them. A field the loaded file did
// not set reads as its key: "S5" (text of word 5), "S5H" (its hint), "S5_3"
// (list item 3), so a missing translation is visible and names the line to add.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The language menu, seen from the table: Init fills it, Load moves the check
// mark. The Qt side implements it over a QMenu; a click on an item must call
// CLanguage::MenuPicked with the item's language index.
class CLanguageMenu {
public:
    virtual ~CLanguageMenu() = default;
    // Removes every language item (Init rebuilds the list).
    virtual void ClearLanguages() = 0;
    // Appends an item for language `index`, unchecked.
    virtual void AddLanguage(int index, const std::string& name) = 0;
    // Checks the item of `index` and unchecks all others.
    virtual void CheckLanguage(int index) = 0;
};

class CLanguage {
public:
    // Called with a language index and the current variant when the user picks
    // a language from the menu. The owner binds itself into the function.
    using ChangeCallback = std::function<void(int lang, const std::string& variant)>;

    struct Entry {
        std::string file; // full path of the language file
        std::string name; // shown to the user
        std::string id;   // short identifier such as "Eng"
    };

    // Name of the index file in the program folder.
    static constexpr const char* kIndexFile = "L_Init.ini";
    // The one-character text of a field no line has set.
    static constexpr const char* kUnset = "0";
    // List items have indexes 0 to kMaxItem.
    static constexpr int kMaxItem = 20;
    // Lines are read in pieces of at most this many characters.
    static constexpr size_t kMaxLineChars = 4999;
    // The word table always has room for the ids the program uses (0 to 539), so
    // an index file with a missing or small "NumberOfWords" shows "S…" keys
    // instead of stopping the program; larger counts are capped at kMaxWords.
    static constexpr int kMinWords = 540;
    static constexpr int kMaxWords = 100000;
    // At most this many languages are listed, whatever "NumberOfLang" says.
    static constexpr int kMaxLanguages = 256;

    CLanguage() = default;
    CLanguage(const CLanguage&) = delete;
    CLanguage& operator=(const CLanguage&) = delete;

    // Reads programFolder + "L_Init.ini" (a missing file means no languages),
    // lists the languages, fills `menu` (when given) with one item per language
    // and remembers the callback. All words are empty until the first Load.
    // A negative "NumberOfLang" is a fatal error "m_LangNum>=0".
    void Init(const std::string& programFolder, CLanguageMenu* menu = nullptr,
              ChangeCallback callback = {});

    // Fills the word table from language `lang`'s file for hardware variant
    // `variant` (empty: no configuration in memory). Requires a valid index.
    // A variant-specific line always wins; of general lines the first wins,
    // except with an empty variant, where the last one does.
    void Load(int lang, const std::string& variant);

    std::string GetText(int id) const;
    std::string GetHint(int id) const;
    // The list item, or "S<id>_<index>" when it is missing, unset or the index
    // lies outside 0 to 20.
    std::string GetItem(int id, int index) const;

    // Index of the first language with exactly that id, or -1.
    int FindLangById(std::string_view id) const;
    std::string GetLangName(int lang) const;
    std::string GetLangId(int lang) const;
    const std::vector<Entry>& Languages() const { return m_Languages; }

    // The language menu's click: calls the change callback, when one is set,
    // with `lang` and the current variant.
    void MenuPicked(int lang) const;

    int LangNum() const { return m_LangNum; }
    int WordCount() const { return m_WordCount; }
    // The language and variant given to the last Load (-1 and "" before one).
    int LoadedLang() const { return m_LoadedLang; }
    const std::string& Variant() const { return m_Variant; }

    // Whether the loaded file set the field (false when it reads as its key).
    bool HasText(int id) const;
    bool HasHint(int id) const;
    bool HasItem(int id, int index) const;
    // Number of list items the word has (set or not), 0 to 21.
    int ItemCount(int id) const;

    // The language-file key of a field, which is also what an unset field reads
    // as: WordKey(5) "S5", WordKey(5, "H") "S5H", ItemKey(5, 3) "S5_3".
    static std::string WordKey(int id, std::string_view suffix = {});
    static std::string ItemKey(int id, int index);

private:
    struct Word {
        std::string text;
        std::string hint;
        std::vector<std::string> items;
    };

    const Word& CheckedWord(int id) const;
    void ApplyLine(std::string_view line);

    std::vector<Entry> m_Languages;
    std::vector<Word> m_Words;
    int m_WordCount = 0;
    int m_LangNum = -1;
    int m_LoadedLang = -1;
    std::string m_Variant;
    CLanguageMenu* m_Menu = nullptr;
    ChangeCallback m_Callback;
};

namespace kw {

// The program's one language table (created on first use).
CLanguage& Language();

} // namespace kw
