// The .sgd loader: any file loads without harm, and what it loaded, saved and
// loaded again has the same values.
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RegistryFingerprint.h"

namespace {

using namespace kw::fuzz;

struct Registries {
    Registries() {
        kw::RegisterCatalogue(first);
        kw::RegisterCatalogue(second);
    }
    CParameters first;
    CParameters second;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Registries registries;
    CParameters& first = registries.first;
    CParameters& second = registries.second;

    const std::string input =
        WriteFuzzFile("input.sgd", std::string(reinterpret_cast<const char*>(data), size));
    KW_FUZZ_REQUIRE(first.LoadFromFile(input), "any file that opens loads");
    KW_FUZZ_REQUIRE(!first.m_Modified, "a loaded configuration is not modified");

    const std::string saved = FuzzFolder() + "saved.sgd";
    KW_FUZZ_REQUIRE(first.SaveToFile(saved), "a loaded configuration saves");
    KW_FUZZ_REQUIRE(second.LoadFromFile(saved), "a saved file loads");
    if (kw::fuzz::RegistryFingerprint(first) != kw::fuzz::RegistryFingerprint(second)) {
        kw::fuzz::ReportRegistryDifference(first, second);
        KW_FUZZ_REQUIRE(false, "a loaded file saved and loaded again has the same values");
    }
    return 0;
}
