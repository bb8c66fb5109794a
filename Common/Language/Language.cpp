#include "Language.h"

#include "Fatal.h"
#include "IniFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the decimal digits at pos; false when there are none or the number
// exceeds `limit` (an id or index that cannot be valid).
bool ReadNumber(std::string_view text, size_t& pos, long limit, long& value) {
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (value <= limit)
            value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start && value <= limit;
}

// Backslash n is a line feed, backslash t a tab, a backslash before any other
// character gives that character; a lone backslash at the end stays.
std::string Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return out;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (!name.empty() && name.front() == '/')
        return name;
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void CLanguage::Init(const std::string& programFolder, CLanguageMenu* menu,
                     ChangeCallback callback) {
    kw::CIniFile index;
    index.Load(JoinPath(programFolder, kIndexFile)); // a missing file reads as defaults
    const int langNum = index.ReadInteger("Settings", "NumberOfLang", 0);
    KW_ASSERT_TEXT(langNum >= 0, "m_LangNum>=0");
    m_LangNum = std::min(langNum, kMaxLanguages);
    m_WordCount =
        std::clamp(index.ReadInteger("Settings", "NumberOfWords", 0), kMinWords, kMaxWords);

    m_Languages.clear();
    m_Words.assign(static_cast<size_t>(m_WordCount), Word{});
    m_LoadedLang = -1;
    m_Variant.clear();
    m_Menu = menu;
    if (m_Menu)
        m_Menu->ClearLanguages();
    for (int i = 0; i < m_LangNum; ++i) {
        const std::string section = "Lang" + std::to_string(i);
        Entry entry{JoinPath(programFolder, index.ReadString(section, "File", "None.ini")),
                    index.ReadString(section, "Name", "Undefined"),
                    index.ReadString(section, "Id", "None")};
        if (m_Menu)
            m_Menu->AddLanguage(i, entry.name);
        m_Languages.push_back(std::move(entry));
    }
    m_Callback = std::move(callback);
}

void CLanguage::Load(int lang, const std::string& variant) {
    KW_ASSERT_TEXT(lang >= 0 && lang < m_LangNum, "lang>=0 && lang<m_LangNum");
    m_Variant = variant;
    m_LoadedLang = lang;
    if (m_Menu)
        m_Menu->CheckLanguage(lang);

    const std::string unset(kUnset);
    for (Word& word : m_Words) {
        word.text = unset;
        word.hint = unset;
        std::fill(word.items.begin(), word.items.end(), unset);
    }

    std::unique_ptr<std::FILE, FileCloser> file(
        std::fopen(m_Languages[static_cast<size_t>(lang)].file.c_str(), "rb"));
    if (file) {
        // fgets semantics: a longer line arrives as several pieces, each taken as a line.
        char buffer[kMaxLineChars + 1];
        while (std::fgets(buffer, sizeof buffer, file.get())) {
            // A NUL byte ends the piece's text: what follows it on that line is dropped.
            ApplyLine(std::string_view(buffer));
        }
    }

    for (size_t id = 0; id < m_Words.size(); ++id) {
        Word& word = m_Words[id];
        if (word.text == kUnset)
            word.text = WordKey(static_cast<int>(id));
        if (word.hint == kUnset)
            word.hint = WordKey(static_cast<int>(id), "H");
    }
}

void CLanguage::ApplyLine(std::string_view line) {
    if (line.empty() || line.front() != 'S')
        return;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view key = line.substr(0, equals);
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n'))
        value.remove_suffix(1);

    size_t pos = 1;
    long id = 0;
    if (!ReadNumber(key, pos, m_WordCount - 1, id))
        return;
    Word& word = m_Words[static_cast<size_t>(id)];

    std::string* field = nullptr;
    std::string_view suffix;
    if (pos < key.size() && key[pos] == 'H') {
        field = &word.hint;
        suffix = key.substr(pos + 1);
    } else if (pos < key.size() && key[pos] == '_') {
        ++pos;
        long item = 0;
        if (!ReadNumber(key, pos, kMaxItem, item))
            return;
        if (word.items.size() <= static_cast<size_t>(item))
            word.items.resize(static_cast<size_t>(item) + 1, kUnset);
        field = &word.items[static_cast<size_t>(item)];
        suffix = key.substr(pos);
    } else {
        field = &word.text;
        suffix = key.substr(pos);
    }

    if (suffix == m_Variant || (suffix.empty() && *field == kUnset))
        *field = Unescape(value);
}

const CLanguage::Word& CLanguage::CheckedWord(int id) const {
    KW_ASSERT_TEXT(m_LangNum != -1, "m_LangNum!=-1");
    KW_ASSERT_TEXT(m_WordCount > id, "m_WordCount>id");
    KW_ASSERT(id >= 0);
    return m_Words[static_cast<size_t>(id)];
}

std::string CLanguage::GetText(int id) const {
    return CheckedWord(id).text;
}

std::string CLanguage::GetHint(int id) const {
    return CheckedWord(id).hint;
}

std::string CLanguage::GetItem(int id, int index) const {
    const Word& word = CheckedWord(id);
    if (index >= 0 && static_cast<size_t>(index) < word.items.size() &&
        word.items[static_cast<size_t>(index)] != kUnset)
        return word.items[static_cast<size_t>(index)];
    return ItemKey(id, index);
}

bool CLanguage::HasText(int id) const {
    return m_LoadedLang >= 0 && CheckedWord(id).text != WordKey(id);
}

bool CLanguage::HasHint(int id) const {
    return m_LoadedLang >= 0 && CheckedWord(id).hint != WordKey(id, "H");
}

bool CLanguage::HasItem(int id, int index) const {
    const Word& word = CheckedWord(id);
    return index >= 0 && static_cast<size_t>(index) < word.items.size() &&
           word.items[static_cast<size_t>(index)] != kUnset;
}

int CLanguage::ItemCount(int id) const {
    return static_cast<int>(CheckedWord(id).items.size());
}

std::string CLanguage::WordKey(int id, std::string_view suffix) {
    std::string key(1, 'S');
    key += std::to_string(id);
    key += suffix;
    return key;
}

std::string CLanguage::ItemKey(int id, int index) {
    std::string key = WordKey(id, "_");
    key += std::to_string(index);
    return key;
}

int CLanguage::FindLangById(std::string_view id) const {
    for (size_t i = 0; i < m_Languages.size(); ++i)
        if (m_Languages[i].id == id)
            return static_cast<int>(i);
    return -1;
}

std::string CLanguage::GetLangName(int lang) const {
    KW_ASSERT_TEXT(lang >= 0 && lang < m_LangNum, "lang>=0 && lang<m_LangNum");
    return m_Languages[static_cast<size_t>(lang)].name;
}

std::string CLanguage::GetLangId(int lang) const {
    KW_ASSERT_TEXT(lang >= 0 && lang < m_LangNum, "lang>=0 && lang<m_LangNum");
    return m_Languages[static_cast<size_t>(lang)].id;
}

void CLanguage::MenuPicked(int lang) const {
    if (m_Callback && lang >= 0 && lang < m_LangNum)
        m_Callback(lang, m_Variant);
}

namespace kw {

CLanguage& Language() {
    static CLanguage language;
    return language;
}

} // namespace kw
