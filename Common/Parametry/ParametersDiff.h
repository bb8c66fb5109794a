// The values in which two configurations differ, in the order a .sgd file
// writes them (parameter, then row): what the command line's diff prints and
// the compare window lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CParameters;

namespace kw {

struct TValueDifference {
    std::string name;
    int32_t row = 0;
    bool multiRow = false; // the parameter has more than one row
    std::string first;     // the value in the first configuration
    std::string second;    // the value in the second
};

// Both registries hold the same catalogue; only parameters a file holds count.
std::vector<TValueDifference> Differences(const CParameters& first, const CParameters& second);

// `Name="a" -> "b"` or `Name[r]="a" -> "b"`, values escaped as the file writes them.
std::string DifferenceLine(const TValueDifference& difference);

} // namespace kw
