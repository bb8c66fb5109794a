#include "IpInput.h"

#include "PduEncoder.h"
#include "UserPort.h"
#include "WakeupMessage.h"
#include "Win1252.h"
#include "Words.h"

namespace kw {

int WakeupFieldWord(TWakeupField field) {
    switch (field) {
    case TWakeupField::Serial:
        return word::kFieldSerial;
    case TWakeupField::Password:
        return word::kFieldPassword;
    case TWakeupField::Address:
        return word::kFieldAddress;
    case TWakeupField::Apn:
        return word::kFieldApn;
    case TWakeupField::InetUser:
        return word::kFieldInetUser;
    case TWakeupField::InetPassword:
        return word::kFieldInetPassword;
    }
    return word::kFieldSerial;
}

namespace {

// The character as the user would see it; a control character by its code,
// as it would show as nothing.
std::string ShownCharacter(uint8_t byte) {
    const QString text = BytesToQString(std::string(1, char(byte)));
    if (text.at(0).category() != QChar::Other_Control)
        return text.toStdString();
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("\\x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

} // namespace

bool RefuseIpInput(const TIpSettings& settings, CUserPort& user) {
    constexpr auto kError = CUserPort::Icon::Error;
    if (!IsPhoneNumber(settings.LastIpNum)) {
        user.ShowMessage(kError, word::kPhoneNumberRefused);
        return true;
    }
    const std::optional<TWakeupProblem> problem = CheckWakeupFields(settings);
    if (!problem)
        return false;
    const std::string field = user.Word(WakeupFieldWord(problem->field));
    switch (problem->kind) {
    case TWakeupProblem::Kind::Semicolon:
        user.ShowMessage(kError, word::kFieldHoldsSemicolon, {}, {field});
        break;
    case TWakeupProblem::Kind::Unsendable:
        if (IsSecretField(problem->field)) {
            user.ShowMessage(kError, word::kSecretFieldUnsendable, {}, {field});
        } else {
            user.ShowMessage(kError, word::kFieldUnsendable, {},
                             {field, ShownCharacter(problem->byte)});
        }
        break;
    case TWakeupProblem::Kind::TooLong:
        user.ShowMessage(kError, word::kWakeupTooLong, {}, {std::to_string(problem->septets)});
        break;
    }
    return true;
}

bool RefuseCharacterOutsideWin1252(TWakeupField field, const QString& typed, CUserPort& user) {
    const qsizetype at = FirstCharOutsideWin1252(typed);
    if (at < 0)
        return false;
    const std::string name = user.Word(WakeupFieldWord(field));
    if (IsSecretField(field)) {
        user.ShowMessage(CUserPort::Icon::Error, word::kSecretFieldUnsendable, {}, {name});
        return true;
    }
    // A character beyond the first plane is two UTF-16 units.
    const qsizetype length = typed[at].isHighSurrogate() && at + 1 < typed.size() ? 2 : 1;
    user.ShowMessage(CUserPort::Icon::Error, word::kFieldUnsendable, {},
                     {name, typed.mid(at, length).toStdString()});
    return true;
}

} // namespace kw
