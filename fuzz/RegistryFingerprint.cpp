#include "RegistryFingerprint.h"

#include "Parameters.h"

#include <cstdio>

namespace kw::fuzz {
namespace {

// FNV-1a, with a separator after every text so that rows cannot run together.
void Mix(uint64_t& hash, const std::string& text) {
    for (const char c : text) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x100000001b3ull;
    }
    hash ^= 0x1FF;
    hash *= 0x100000001b3ull;
}

} // namespace

uint64_t RegistryFingerprint(const CParameters& parameters) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const auto& [name, record] : parameters.Records()) {
        Mix(hash, name);
        for (const std::string& value : record.Values)
            Mix(hash, value);
    }
    return hash;
}

void ReportRegistryDifference(const CParameters& first, const CParameters& second) {
    auto other = second.Records().begin();
    for (const auto& [name, record] : first.Records()) {
        if (other == second.Records().end())
            return;
        if (record.Values != other->second.Values) {
            std::fprintf(stderr, "%s differs\n", name.c_str());
            return;
        }
        ++other;
    }
}

} // namespace kw::fuzz
