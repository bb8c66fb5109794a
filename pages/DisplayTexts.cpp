#include "DisplayTexts.h"

#include "FormatText.h"
#include "Language.h"
#include "Win1252.h"

namespace kw {
namespace {

QString Word(const CLanguage& language, int id) {
    return QString::fromStdString(language.GetText(id));
}

QString ValueOrWord(const CLanguage& language, const std::string& value, int emptyWord) {
    return value.empty() ? Word(language, emptyWord) : BytesToQString(value);
}

} // namespace

QString IdentityText(const CLanguage& language, const std::string& value) {
    return ValueOrWord(language, value, 101);
}

QString OperatorLockText(const CLanguage& language, const std::string& operLock) {
    if (operLock.empty())
        return Word(language, 111);
    std::string shown = operLock;
    int word = 137;
    if (static_cast<unsigned char>(shown.back()) & 0x80) {
        shown.back() = static_cast<char>(static_cast<unsigned char>(shown.back()) & 0x7F);
        word = 138;
    }
    // The format is UTF-8 from the language file, the value 8-bit from the
    // gateway: meet in UTF-8.
    const std::string argument = BytesToQString(shown).toStdString();
    return QString::fromStdString(FormatText(language.GetText(word), {argument}));
}

QString ServiceNumberText(const CLanguage& language, const std::string& number) {
    return ValueOrWord(language, number, 342);
}

} // namespace kw
