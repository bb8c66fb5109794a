// The rules around the hardware variant code, the one letter in HWVer: which
// letters exist, which have an FXO line, which configurations a gateway accepts
// and how a variant is named. Every layer asks here instead of listing letters.
#pragma once

#include <array>
#include <string>
#include <string_view>

class CParameters;

namespace kw {

// The letters a gateway may report.
inline constexpr std::string_view kGatewayLetters = "ACDEFG";

bool IsGatewayLetter(char letter);
// A one-letter code of kGatewayLetters.
bool IsGatewayVariant(const std::string& code);

// E and G have no FXO line; every other code (none included) shows it.
bool HasFxoLine(const std::string& code);
// C, F, E and G watch five numbers (remote supervision).
bool HasRemoteSupervision(const std::string& code);
// E, F and G report battery and mains failures.
bool HasPowerSupply(const std::string& code);

// A configuration made for one letter of a pair (A/D, C/F, E/G) fits gateways of
// either letter of that pair; Write refuses any other (word 333).
bool ConfigurationFitsGateway(char configuration, char gateway);

// The variants a new configuration is made for, each the first letter of its
// pair, in the order the new-configuration dialog lists them.
inline constexpr std::array<char, 3> kNewConfigurationLetters = {'A', 'C', 'E'};

// The word naming a code's pair (326 A/D, 327 C/F, 328 E/G) for the window's
// caption and the new-configuration list; 0 for no or an unknown code.
int VariantNameWord(const std::string& code);

// After a file was loaded: HWVer as the file gave it, or C when the file had
// remote-supervision numbers (only those variants have them), else A. The code
// is stored in HWVer and the configuration counts as unmodified.
std::string SettleVariantAfterLoad(CParameters& parameters);

} // namespace kw
