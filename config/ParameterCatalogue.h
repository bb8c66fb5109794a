// The complete list of gateway parameters: types, limits, rows and their places
// in the configuration image. Registered once into the registry at start.
#pragma once

#include "ConfigImage.h"

#include <vector>

class CParameters;

namespace kw {

inline constexpr int kCatalogueSize = 153;
inline constexpr int kRoutingRows = 120;
inline constexpr int kBankCount = 4;

// Registers every parameter, resets all to defaults and marks the two security
// parameters as never saved.
void RegisterCatalogue(CParameters& parameters);

// Where the PIN and the passwords lie in the image: a link trace leaves them out.
// Each as a region of its own, named by nothing ('\0').
const std::vector<ImageRegion>& SecretImageBytes();

} // namespace kw
