#include "GatewayRig.h"

#include "ConfigImage.h"
#include "ParameterCatalogue.h"
#include "TempDir.h"

#include <fstream>

namespace kw::test {

Image EncodedImage(const CParameters& parameters) {
    Image image(kImageSize);
    parameters.StoreToImage(image.data(), kImageSize);
    StoreRegionChecksum(image.data(), kRegionA);
    StoreRegionChecksum(image.data(), kRegionB);
    return image;
}

void WriteFileBytes(const std::string& path, const Image& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Image ReadImageFile(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return Image(bytes.begin(), bytes.end());
}

int CountLines(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

GatewayRig::GatewayRig() {
    RegisterCatalogue(parameters);
    link.Tap().Add([this](const TLinkTapEvent& event) {
        if (event.Sent())
            tapped.push_back(event);
    });
}

void GatewayRig::StartSim(std::vector<std::string> options, const Image& memory) {
    if (!memory.empty())
        WriteFileBytes(MemoryPath(), memory);
    options.push_back("--memory");
    options.push_back(MemoryPath());
    ASSERT_TRUE(sim.Start(options));
    link.SetComPort(sim.LinkPath());
}

TTransferHost GatewayRig::Host() {
    return TTransferHost{link,       parameters,      user,  hardwareText,
                         pinChanged, passwordChanged, [] {}, [this] { ++refreshes; }};
}

} // namespace kw::test
