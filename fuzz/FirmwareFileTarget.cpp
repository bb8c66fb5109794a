// The firmware file readers: what fw-info shows of a file and what the upgrade
// reads and offers. Any file is read without harm; a short one is refused and
// offered nowhere; a whole one is read as it is; it is offered for exactly the
// letters whose version starts with a digit; fw-info's lines stay printable;
// a slice whose sum was stored shows it as right.
//
// Input: a first byte, then either the file itself (first byte even) or
// changes to a made-up whole file (odd): offset (3 bytes), length, bytes. The
// first byte also names the slice whose sum is stored and checked again.
#include "FirmwareFiles.h"
#include "FirmwareInfo.h"
#include "FirmwareLayout.h"
#include "FuzzBytes.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "SyntheticFirmware.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

using namespace kw;
using namespace kw::fuzz;

constexpr char kFileLetters[] = {'A', 'D', 'C', 'E', 'F', 'G'}; // in file order

// The file the input describes, in a buffer kept from run to run.
const std::string& MakeFile(CFuzzBytes& in, uint8_t mode) {
    static std::string file;
    if ((mode & 1) == 0) {
        file = in.Rest();
        return file;
    }
    static const std::vector<uint8_t> base = SyntheticFirmware("1.08", 3);
    file.assign(reinterpret_cast<const char*>(base.data()), base.size());
    while (!in.Empty()) {
        const uint32_t offset = (in.Byte() | in.Byte() << 8 | in.Byte() << 16) % kFirmwareFileSize;
        const std::string bytes = in.Run(in.Byte());
        file.replace(offset, std::min(bytes.size(), file.size() - offset), bytes);
    }
    return file;
}

bool Printable(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const uint8_t mode = in.Byte();
    const std::string& file = MakeFile(in, mode);
    const std::string path = WriteFuzzFile("Kolbra.Bin", file);
    const bool whole = file.size() >= size_t(kFirmwareFileSize);

    // The upgrade's reader: the file's first bytes, zeros after a short one.
    static std::vector<uint8_t> buffer;
    const FirmwareLoad load = LoadFirmwareFile(path, buffer);
    KW_FUZZ_REQUIRE(load == (whole ? FirmwareLoad::Loaded : FirmwareLoad::TooShort),
                    "a file is loaded exactly when it is whole");
    KW_FUZZ_REQUIRE(buffer.size() == size_t(kFirmwareFileSize), "the buffer holds a whole file");
    const size_t kept = std::min(file.size(), buffer.size());
    KW_FUZZ_REQUIRE(std::memcmp(buffer.data(), file.data(), kept) == 0 &&
                        std::all_of(buffer.begin() + long(kept), buffer.end(),
                                    [](uint8_t byte) { return byte == 0; }),
                    "the buffer holds the file's bytes, then zeros");

    // What the upgrade offers for each letter.
    for (const char letter : kFileLetters) {
        const FirmwareSlice layout = SliceFor(letter);
        const std::vector<std::string> offered = FindFirmwareCandidates(FuzzFolder(), layout);
        const bool expected = file.size() == size_t(kFirmwareFileSize) &&
                              std::isdigit(static_cast<unsigned char>(
                                  file[size_t(layout.offset + layout.VersionOffset())])) != 0;
        KW_FUZZ_REQUIRE(offered.size() == (expected ? 1u : 0u),
                        "a file is offered exactly when it is whole and its version starts "
                        "with a digit");
    }

    // What fw-info shows (it reads the first whole file's worth).
    if (!whole)
        return 0;
    static std::vector<uint8_t> bytes;
    bytes.resize(kFirmwareFileSize);
    std::memcpy(bytes.data(), file.data(), bytes.size());
    const std::vector<TSliceInfo> slices = InspectFirmware(bytes);
    KW_FUZZ_REQUIRE(slices.size() == std::size(kFileLetters), "one line per slice");
    for (size_t i = 0; i < slices.size(); ++i) {
        const TSliceInfo& info = slices[i];
        KW_FUZZ_REQUIRE(info.letter == kFileLetters[i], "slices in file order");
        KW_FUZZ_REQUIRE(Printable(DescribeSlice(info)), "fw-info prints only printable text");
        const FirmwareSlice layout = SliceFor(info.letter);
        KW_FUZZ_REQUIRE(info.versionAcceptable ==
                            SliceVersionAcceptable(bytes.data() + layout.offset, layout),
                        "fw-info judges a version as the upgrade does");
    }
    const char letter = kFileLetters[(mode >> 1) % std::size(kFileLetters)];
    const FirmwareSlice layout = SliceFor(letter);
    StoreSliceSum(bytes.data() + layout.offset, layout);
    KW_FUZZ_REQUIRE(StoredSliceSum(bytes.data() + layout.offset, layout) ==
                        SliceSum(bytes.data() + layout.offset, layout),
                    "a stored slice sum holds");
    return 0;
}
