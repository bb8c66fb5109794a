// The complete list of gateway parameters: types, limits, rows and their places
// in the configuration image. Registered once into the registry at start.
#pragma once

class CParameters;

namespace kw {

inline constexpr int kCatalogueSize = 153;
inline constexpr int kRoutingRows = 120;
inline constexpr int kBankCount = 4;

// Registers every parameter, resets all to defaults and marks the two security
// parameters as never saved.
void RegisterCatalogue(CParameters& parameters);

} // namespace kw
