// defaults, encode, decode: configuration files and images without a gateway.
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigFiles.h"
#include "ConfigImage.h"
#include "HardwareVariant.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace kw::cli {
namespace {

using Image = std::array<uint8_t, kImageSize>;

std::string VariantOption(const CliArgs& args) {
    const std::string variant = args.Value("--variant").value_or("A");
    if (!IsGatewayVariant(variant))
        throw UsageError("--variant must be one of A, C, D, E, F, G");
    return variant;
}

[[noreturn]] void Fail(const std::string& file, const std::string& reason) {
    throw CommandFailure(file + ": " + reason);
}

std::string SystemReason() {
    return errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : std::string();
}

void RequireReadableFile(const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        Fail(file, "missing");
    if (std::filesystem::is_directory(file, ec))
        Fail(file, "unreadable (a directory)");
}

Image ReadImage(const std::string& in) {
    RequireReadableFile(in);
    std::ifstream file(in, std::ios::binary);
    if (!file.is_open())
        Fail(in, "unreadable" + SystemReason());
    Image image{};
    file.read(reinterpret_cast<char*>(image.data()), image.size());
    const std::streamsize got = file.gcount();
    const bool longer = file.peek() != std::char_traits<char>::eof();
    if (got != kImageSize || longer) {
        const auto size = std::filesystem::file_size(in);
        Fail(in, "wrong size (" + std::to_string(size) + " bytes, expected " +
                     std::to_string(kImageSize) + ")");
    }
    return image;
}

void WriteImage(const Image& image, const std::string& out) {
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    if (file.is_open())
        file.write(reinterpret_cast<const char*>(image.data()), image.size());
    file.close();
    if (!file)
        Fail(out, "cannot write" + SystemReason());
}

} // namespace

void Save(const CParameters& parameters, const std::string& out) {
    errno = 0;
    if (!parameters.SaveToFile(out))
        Fail(out, "cannot write" + SystemReason());
}

void LoadConfiguration(CParameters& parameters, const std::string& in) {
    RequireReadableFile(in);
    errno = 0;
    if (!parameters.LoadFromFile(in))
        Fail(in, "unreadable" + SystemReason());
    SettleVariantAfterLoad(parameters);
}

void RunDefaults(const Args& argv) {
    const CliArgs args(argv, {"--variant", "-o"}, {});
    args.NoPositional();
    const std::string variant = VariantOption(args);
    const std::string out = args.Required("-o");
    CParameters parameters;
    RegisterCatalogue(parameters);
    parameters.SetValue("HWVer", 0, variant);
    Save(parameters, out);
}

void RunEncode(const Args& argv) {
    const CliArgs args(argv, {"-o"}, {});
    const std::string in = args.OnlyPositional("input .sgd file");
    const std::string out = args.Required("-o");
    CParameters parameters;
    RegisterCatalogue(parameters);
    LoadConfiguration(parameters, in);
    Image image{};
    parameters.StoreToImage(image.data(), kImageSize);
    StoreRegionChecksum(image.data(), kRegionA);
    StoreRegionChecksum(image.data(), kRegionB);
    WriteImage(image, out);
}

void RunDecode(const Args& argv) {
    const CliArgs args(argv, {"--variant", "-o"}, {"--force"});
    const std::string in = args.OnlyPositional("input image");
    const std::string variant = VariantOption(args);
    const std::string out = args.Required("-o");
    const Image image = ReadImage(in);
    if (!args.Flag("--force"))
        for (const ImageRegion& region : {kRegionA, kRegionB})
            if (!RegionChecksumValid(image.data(), region))
                Fail(in, std::string("bad checksum in region ") + region.letter);
    CParameters parameters;
    RegisterCatalogue(parameters);
    parameters.LoadFromImage(image.data(), kImageSize);
    parameters.SetValue("HWVer", 0, variant);
    Save(parameters, out);
}

} // namespace kw::cli
