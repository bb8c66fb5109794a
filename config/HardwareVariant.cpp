#include "HardwareVariant.h"

#include "Parameters.h"
#include "Words.h"

namespace kw {
namespace {

// The compatible pairs, each with the word that names it.
struct TVariantPair {
    char first;
    char second;
    int nameWord;
};
constexpr TVariantPair kPairs[] = {
    {'A', 'D', word::kVariantAD}, {'C', 'F', word::kVariantCF}, {'E', 'G', word::kVariantEG}};

const TVariantPair* PairOf(char letter) {
    for (const TVariantPair& pair : kPairs)
        if (letter == pair.first || letter == pair.second)
            return &pair;
    return nullptr;
}

} // namespace

bool IsGatewayLetter(char letter) {
    return letter != '\0' && kGatewayLetters.find(letter) != std::string_view::npos;
}

bool IsGatewayVariant(const std::string& code) {
    return code.size() == 1 && IsGatewayLetter(code[0]);
}

bool HasFxoLine(const std::string& code) {
    return code != "E" && code != "G";
}

bool HasRemoteSupervision(const std::string& code) {
    return code == "C" || code == "F" || code == "E" || code == "G";
}

bool HasPowerSupply(const std::string& code) {
    return code == "E" || code == "F" || code == "G";
}

bool ConfigurationFitsGateway(char configuration, char gateway) {
    const TVariantPair* pair = PairOf(configuration);
    return configuration == gateway || (pair != nullptr && pair == PairOf(gateway));
}

int VariantNameWord(const std::string& code) {
    const TVariantPair* pair = code.size() == 1 ? PairOf(code[0]) : nullptr;
    return pair != nullptr ? pair->nameWord : 0;
}

std::string SettleVariantAfterLoad(CParameters& parameters) {
    std::string code = parameters.GetValue("HWVer", 0);
    // One letter as a count and a character: assigning a literal here trips a
    // false overlap warning of the optimiser.
    if (code.empty())
        code.assign(1, parameters.WasPresent("ModemNum1") ? 'C' : 'A');
    parameters.SetValue("HWVer", 0, code);
    parameters.m_Modified = false;
    return code;
}

} // namespace kw
