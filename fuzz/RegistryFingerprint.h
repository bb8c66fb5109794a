// A 64-bit fingerprint of every value in a registry, so a fuzz target can tell
// cheaply whether two registries, or one before and after, hold the same values.
#pragma once

#include <cstdint>

class CParameters;

namespace kw::fuzz {

uint64_t RegistryFingerprint(const CParameters& parameters);
// Names on stderr the first parameter whose values differ (same catalogue).
void ReportRegistryDifference(const CParameters& first, const CParameters& second);

} // namespace kw::fuzz
