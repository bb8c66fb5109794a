#include "RandomConfiguration.h"

#include "ParNumbers.h"
#include "ParStrings.h"
#include "Parameters.h"

namespace kw::test {
namespace {

int Uniform(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::string RandomFrom(std::mt19937& random, const std::string& alphabet, int length) {
    std::string text;
    for (int i = 0; i < length; ++i)
        text += alphabet[Uniform(random, 0, static_cast<int>(alphabet.size()) - 1)];
    return text;
}

std::string AnyBytes(std::mt19937& random, int length) {
    std::string text;
    for (int i = 0; i < length; ++i)
        text += static_cast<char>(Uniform(random, 0, 255));
    return text;
}

std::string RandomValue(const CParBasic& type, std::mt19937& random) {
    if (auto* number = dynamic_cast<const CParInt*>(&type))
        return std::to_string(Uniform(random, number->m_Min, number->m_Max));
    if (auto* digits = dynamic_cast<const CParStringNum*>(&type))
        return RandomFrom(random, "0123456789", Uniform(random, 0, digits->m_MaxSize + 4));
    if (auto* digits = dynamic_cast<const CParStringNumEmpty*>(&type))
        return RandomFrom(random, "0123456789", Uniform(random, 0, digits->m_MaxSize + 2));
    if (auto* phone = dynamic_cast<const CParPhoneString*>(&type)) {
        std::string alphabet = "0123456789*#";
        if (phone->m_AllowPlus)
            alphabet += '+';
        if (phone->m_ExtraChar != 0)
            alphabet += phone->m_ExtraChar;
        return RandomFrom(random, alphabet, Uniform(random, 0, phone->m_MaxSize));
    }
    if (auto* pas = dynamic_cast<const CParPasString*>(&type))
        return AnyBytes(random, Uniform(random, 0, pas->m_MaxSize + 10));
    return AnyBytes(random, Uniform(random, 0, 30));
}

} // namespace

void FillRandom(CParameters& parameters, std::mt19937& random) {
    for (const auto& [name, rc] : parameters.Records())
        for (int32_t row = 0; row < rc.Count; ++row)
            parameters.SetValue(name, row, RandomValue(*rc.Type, random));
}

std::string AfterImage(const CParBasic& type, const std::string& value) {
    if (auto* text = dynamic_cast<const CParString*>(&type)) {
        const bool cuts = dynamic_cast<const CParStringNum*>(&type) != nullptr ||
                          dynamic_cast<const CParStringNumEmpty*>(&type) != nullptr ||
                          dynamic_cast<const CParPasString*>(&type) != nullptr;
        if (cuts && static_cast<int32_t>(value.size()) > text->m_MaxSize)
            return type.Normalize(value.substr(0, text->m_MaxSize));
    }
    return value;
}

} // namespace kw::test
