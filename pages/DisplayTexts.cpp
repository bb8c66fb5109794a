#include "DisplayTexts.h"

#include "FormatText.h"
#include "Language.h"
#include "Win1252.h"
#include "Words.h"

namespace kw {
namespace {

QString Word(const CLanguage& language, int id) {
    return QString::fromStdString(language.GetText(id));
}

QString OperatorLockText(const CLanguage& language, const std::string& operLock) {
    if (operLock.empty())
        return Word(language, word::kNotLocked);
    std::string shown = operLock;
    int id = word::kLockedTo;
    if (static_cast<unsigned char>(shown.back()) & 0x80) {
        shown.back() = static_cast<char>(static_cast<unsigned char>(shown.back()) & 0x7F);
        id = word::kLockedPermanently;
    }
    // The format is UTF-8 from the language file, the value 8-bit from the
    // gateway: meet in UTF-8.
    const std::string argument = BytesToQString(shown).toStdString();
    return QString::fromStdString(FormatText(language.GetText(id), {argument}));
}

} // namespace

QString DisplayText(pages::DisplayRule rule, const CLanguage& language, const std::string& value) {
    switch (rule) {
    case pages::DisplayRule::OperatorLock:
        return OperatorLockText(language, value);
    case pages::DisplayRule::ServiceNumber:
        return value.empty() ? Word(language, word::kNotSet) : BytesToQString(value);
    case pages::DisplayRule::Identity:
        break;
    }
    return value.empty() ? Word(language, word::kNotKnown) : BytesToQString(value);
}

} // namespace kw
