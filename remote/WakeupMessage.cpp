#include "WakeupMessage.h"

#include "PduEncoder.h"

#include <array>
#include <utility>

namespace kw {
namespace {

std::string Cleared(const std::string& field) {
    return field == "0" ? std::string() : field;
}

// The fields in the order of the text, as they would be sent.
std::array<std::pair<TWakeupField, std::string>, 6> SentFields(const TIpSettings& s) {
    return {{{TWakeupField::Serial, Cleared(s.LastIpSerial)},
             {TWakeupField::Password, Cleared(s.LastIpPassw)},
             {TWakeupField::Address, Cleared(s.IpAddress)},
             {TWakeupField::Apn, Cleared(s.LastAPN)},
             {TWakeupField::InetUser, Cleared(s.LastInetUser)},
             {TWakeupField::InetPassword, Cleared(s.LastInetPassw)}}};
}

} // namespace

bool IsSerialNumberText(const std::string& text) {
    static constexpr char kPattern[] = "NN-NNNN-NNNN";
    if (text.size() != sizeof kPattern - 1)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kPattern[i] == 'N' ? !digit : text[i] != '-')
            return false;
    }
    return true;
}

std::string WakeupText(const TIpSettings& s) {
    return s.LastIpSerial + ";" + s.LastIpPassw + ";CONNECT;" + s.IpAddress + ";" +
           std::to_string(s.IpPort) + ";" + s.LastAPN + ";" + s.LastInetUser + ";" +
           s.LastInetPassw + ";";
}

void ClearZeroFields(TIpSettings& s) {
    for (std::string* field : {&s.LastIpSerial, &s.LastIpPassw, &s.IpAddress, &s.LastAPN,
                               &s.LastInetUser, &s.LastInetPassw})
        *field = Cleared(*field);
}

bool IsSecretField(TWakeupField field) {
    return field == TWakeupField::Password || field == TWakeupField::InetPassword;
}

std::optional<TWakeupProblem> CheckWakeupFields(const TIpSettings& settings) {
    for (const auto& [field, value] : SentFields(settings)) {
        for (const char c : value) {
            if (c == ';')
                return TWakeupProblem{TWakeupProblem::Kind::Semicolon, field};
            if (!SurvivesSevenBit(uint8_t(c)))
                return TWakeupProblem{TWakeupProblem::Kind::Unsendable, field, uint8_t(c)};
        }
    }
    TIpSettings sent = settings;
    ClearZeroFields(sent);
    const int septets = SeptetCount(WakeupText(sent));
    if (septets > kMaxWakeupSeptets)
        return TWakeupProblem{TWakeupProblem::Kind::TooLong, TWakeupField::Serial, 0, septets};
    return std::nullopt;
}

} // namespace kw
