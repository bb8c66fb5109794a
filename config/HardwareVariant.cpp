#include "HardwareVariant.h"

#include "Parameters.h"

namespace kw {

bool IsGatewayVariant(const std::string& code) {
    return code.size() == 1 && std::string("ACDEFG").find(code[0]) != std::string::npos;
}

std::string SettleVariantAfterLoad(CParameters& parameters) {
    std::string code = parameters.GetValue("HWVer", 0);
    if (code.empty())
        code = parameters.WasPresent("ModemNum1") ? "C" : "A";
    parameters.SetValue("HWVer", 0, code);
    parameters.m_Modified = false;
    return code;
}

} // namespace kw
