#include "ParametersDiff.h"

#include "ParFile.h"
#include "Parameters.h"

#include <algorithm>

namespace kw {

std::vector<TValueDifference> Differences(const CParameters& first, const CParameters& second) {
    std::vector<TValueDifference> differences;
    // The file's order: the highest level first, names in order within a level.
    for (int32_t level = first.m_MaxLevel; level >= 0; --level) {
        for (const auto& [name, rc] : first.Records()) {
            if (!rc.Type->m_Saved || rc.Level != level)
                continue;
            const TMultiPar* other = second.Find(name);
            if (other == nullptr)
                continue;
            const int32_t rows = std::min(rc.Count, other->Count);
            for (int32_t row = 0; row < rows; ++row)
                if (rc.Values[row] != other->Values[row])
                    differences.push_back(
                        {name, row, rc.Count > 1, rc.Values[row], other->Values[row]});
        }
    }
    return differences;
}

std::string DifferenceLine(const TValueDifference& difference) {
    std::string line = difference.name;
    if (difference.multiRow)
        line += "[" + std::to_string(difference.row) + "]";
    line += "=\"" + sgd::EscapeValue(difference.first) + "\" -> \"" +
            sgd::EscapeValue(difference.second) + "\"";
    return line;
}

} // namespace kw
