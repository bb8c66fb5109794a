// The image decoder and its checksums: an image whose region checksums hold
// (the input's own, or stored over it) decodes to values that encode to an
// image with valid checksums; that decodes to the same values and encodes to
// the same bytes again.
#include "ConfigImage.h"
#include "FuzzCheck.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RegistryFingerprint.h"

#include <algorithm>
#include <vector>

namespace {

using Image = std::vector<uint8_t>;

struct Registries {
    Registries() {
        kw::RegisterCatalogue(first);
        kw::RegisterCatalogue(second);
    }
    CParameters first;
    CParameters second;
};

bool ChecksumsHold(const Image& image) {
    return kw::RegionChecksumValid(image.data(), kw::kRegionA) &&
           kw::RegionChecksumValid(image.data(), kw::kRegionB);
}

Image Encoded(const CParameters& parameters) {
    Image image(kw::kImageSize, 0xA5); // StoreToImage must clear what it does not fill
    parameters.StoreToImage(image.data(), kw::kImageSize);
    kw::StoreRegionChecksum(image.data(), kw::kRegionA);
    kw::StoreRegionChecksum(image.data(), kw::kRegionB);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Registries registries;
    Image image(data, data + std::min<size_t>(size, kw::kImageSize));
    image.resize(kw::kImageSize, 0);
    if (!ChecksumsHold(image)) {
        kw::StoreRegionChecksum(image.data(), kw::kRegionA);
        kw::StoreRegionChecksum(image.data(), kw::kRegionB);
    }

    registries.first.LoadFromImage(image.data(), kw::kImageSize);
    const Image encoded = Encoded(registries.first);
    KW_FUZZ_REQUIRE(ChecksumsHold(encoded), "an encoded image carries valid checksums");
    registries.second.LoadFromImage(encoded.data(), kw::kImageSize);
    if (kw::fuzz::RegistryFingerprint(registries.first) !=
        kw::fuzz::RegistryFingerprint(registries.second)) {
        kw::fuzz::ReportRegistryDifference(registries.first, registries.second);
        KW_FUZZ_REQUIRE(false, "an image encoded from decoded values decodes to the same values");
    }
    KW_FUZZ_REQUIRE(Encoded(registries.second) == encoded,
                    "encoding the same values again gives the same bytes");
    return 0;
}
