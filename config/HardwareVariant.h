// Rules around the hardware variant code, the one letter in HWVer.
#pragma once

#include <string>

class CParameters;

namespace kw {

// A letter a gateway may report: A, C, D, E, F or G.
bool IsGatewayVariant(const std::string& code);

// After a file was loaded: HWVer as the file gave it, or C when the file had
// remote-supervision numbers (only those variants have them), else A. The code
// is stored in HWVer and the configuration counts as unmodified.
std::string SettleVariantAfterLoad(CParameters& parameters);

} // namespace kw
