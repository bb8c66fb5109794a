// Random configurations for round-trip tests and benchmarks: every value a
// parameter's type can hold, some of them deliberately longer than the image.
#pragma once

#include <random>
#include <string>

class CParameters;
class CParBasic;

namespace kw::test {

// Sets every row of every parameter (identity texts included) to a random value.
void FillRandom(CParameters& parameters, std::mt19937& random);

// What a value comes back as after the image: the digit strings and the
// length-prefixed texts lose what lies beyond their field.
std::string AfterImage(const CParBasic& type, const std::string& value);

} // namespace kw::test
