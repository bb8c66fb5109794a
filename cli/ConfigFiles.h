// Configuration files as the commands load and save them, failures reported
// as CommandFailure naming the file and why.
#pragma once

#include <string>

class CParameters;

namespace kw::cli {

void Save(const CParameters& parameters, const std::string& out);
// Loads the file and settles its hardware variant (HWVer).
void LoadConfiguration(CParameters& parameters, const std::string& in);

} // namespace kw::cli
