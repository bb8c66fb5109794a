// Firmware files as the upgrade finds, reads and checks them, and the file tool
// that shows what a file holds.
#include "FirmwareFile.h"
#include "FirmwareFiles.h"
#include "FirmwareInfo.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/wait.h>

namespace {

using kw::FirmwareLoad;
using kw::test::MakeFirmware;
using kw::test::MakeFirmwareFile;
using kw::test::TempDir;

std::string Bytes(const std::vector<uint8_t>& bytes, size_t size) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), size);
}

TEST(FirmwareFiles, NamesStartWithKolbraAndEndWithBinInAnyCase) {
    for (const char* name : {"Kolbra.Bin", "Kolbra1.Bin", "Kolbra 2.03.Bin", "kolbra2.BIN"})
        EXPECT_TRUE(kw::IsFirmwareFileName(name)) << name;
    for (const char* name : {"Kolbra1.Bin.bak", "XKolbra.Bin", "Kolbra1.Bi", "Kolbr.Bin", "Kolbra",
                             ".Bin", "Kolbra1.Bin~"})
        EXPECT_FALSE(kw::IsFirmwareFileName(name)) << name;
}

TEST(FirmwareFiles, CandidatesAreFullFilesWithADigitAtTheSlicesVersion) {
    TempDir folder;
    MakeFirmwareFile(folder.Path("Kolbra2.Bin"), "2.00");
    MakeFirmwareFile(folder.Path("Kolbra1.Bin"), "1.00");
    MakeFirmwareFile(folder.Path("kolbra0.bin"), "0.90");
    // One byte short: never offered.
    folder.Write("Kolbra3.Bin", Bytes(MakeFirmware("3.00"), kw::kFirmwareFileSize - 1));
    // One byte long: never offered either.
    folder.Write("Kolbra4.Bin", Bytes(MakeFirmware("4.00"), kw::kFirmwareFileSize) + "x");
    // Valid for A only: its D slice has "A.1", acceptable firmware but no digit first.
    MakeFirmwareFile(folder.Path("Kolbra5.Bin"), "5.00", 1, {{'D', "A.1"}});
    MakeFirmwareFile(folder.Path("Other.Bin"), "6.00");
    std::filesystem::create_directory(folder.Path("Kolbra7.Bin"));

    EXPECT_EQ(kw::FindFirmwareCandidates(folder.Dir().string() + "/", kw::SliceFor('D')),
              (std::vector<std::string>{"kolbra0.bin", "Kolbra1.Bin", "Kolbra2.Bin"}));
    EXPECT_EQ(
        kw::FindFirmwareCandidates(folder.Dir().string() + "/", kw::SliceFor('A')),
        (std::vector<std::string>{"kolbra0.bin", "Kolbra1.Bin", "Kolbra2.Bin", "Kolbra5.Bin"}));
    EXPECT_TRUE(
        kw::FindFirmwareCandidates(folder.Path("missing") + "/", kw::SliceFor('A')).empty());
}

// The program folder is searched first; an installed program's folder is not
// the user's to fill, so the data folder is searched when it has none.
TEST(FirmwareFiles, FirstFolderWithCandidatesWins) {
    TempDir temp;
    const std::string programFolder = temp.Path("program") + "/";
    const std::string dataFolder = temp.Path("data") + "/";
    std::filesystem::create_directories(programFolder);
    std::filesystem::create_directories(dataFolder);
    const kw::FirmwareSlice slice = kw::SliceFor('C');
    using Found = kw::FirmwareCandidates;
    const auto expect = [&](const std::vector<std::string>& folders, const Found& wanted) {
        const Found found = kw::FindFirmwareCandidates(folders, slice);
        EXPECT_EQ(found.folder, wanted.folder);
        EXPECT_EQ(found.names, wanted.names);
    };

    expect({programFolder, dataFolder}, {programFolder, {}});
    expect({"", dataFolder}, {dataFolder, {}});
    expect({}, {"", {}});
    MakeFirmwareFile(dataFolder + "Kolbra2.Bin", "2.00");
    MakeFirmwareFile(dataFolder + "Kolbra1.Bin", "1.00");
    expect({programFolder, dataFolder}, {dataFolder, {"Kolbra1.Bin", "Kolbra2.Bin"}});
    // An empty entry is no folder: the working directory is never searched.
    expect({programFolder, ""}, {programFolder, {}});
    MakeFirmwareFile(programFolder + "Kolbra.Bin", "3.00");
    expect({programFolder, dataFolder}, {programFolder, {"Kolbra.Bin"}});
}

TEST(FirmwareFiles, LoadingReadsTheWholeFileOrSaysWhyNot) {
    TempDir folder;
    const std::vector<uint8_t> firmware = MakeFirmwareFile(folder.Path("Kolbra.Bin"), "1.08");
    std::vector<uint8_t> buffer(10, 0xFF);
    EXPECT_EQ(kw::LoadFirmwareFile(folder.Path("Kolbra.Bin"), buffer), FirmwareLoad::Loaded);
    EXPECT_EQ(buffer, firmware);

    EXPECT_EQ(kw::LoadFirmwareFile(folder.Path("none.Bin"), buffer), FirmwareLoad::CannotOpen);
    std::filesystem::create_directory(folder.Path("dir.Bin"));
    EXPECT_EQ(kw::LoadFirmwareFile(folder.Path("dir.Bin"), buffer), FirmwareLoad::CannotOpen);

    // A short file leaves zeros behind its bytes, not the previous file's.
    folder.Write("short.Bin", Bytes(firmware, 1000));
    EXPECT_EQ(kw::LoadFirmwareFile(folder.Path("short.Bin"), buffer), FirmwareLoad::TooShort);
    ASSERT_EQ(buffer.size(), size_t(kw::kFirmwareFileSize));
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 1000, firmware.begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + 1000, buffer.end(), [](uint8_t b) { return b == 0; }));

    folder.Write("long.Bin", Bytes(firmware, firmware.size()) + "tail");
    EXPECT_EQ(kw::LoadFirmwareFile(folder.Path("long.Bin"), buffer), FirmwareLoad::Loaded);
    EXPECT_EQ(buffer, firmware);
}

TEST(FirmwareFiles, AcceptableVersionsStartWithADigitOrHaveADotSecond) {
    std::vector<uint8_t> file =
        MakeFirmware("1.08", 1, {{'D', "A.1"}, {'C', "BOOT"}, {'E', ""}, {'F', "9"}});
    const auto acceptable = [&](char letter) {
        const kw::FirmwareSlice layout = kw::SliceFor(letter);
        return kw::SliceVersionAcceptable(file.data() + layout.offset, layout);
    };
    EXPECT_TRUE(acceptable('A'));
    EXPECT_TRUE(acceptable('D'));
    EXPECT_FALSE(acceptable('C'));
    EXPECT_FALSE(acceptable('E'));
    EXPECT_TRUE(acceptable('F'));
}

TEST(FirmwareInfo, ShowsVersionSumAndDeviceAreaOfEachSlice) {
    std::vector<uint8_t> file = MakeFirmware("1.08", 3, {{'E', "2.00"}, {'G', "BO\x01T"}});
    const kw::FirmwareSlice d = kw::SliceFor('D');
    file[d.offset + kw::kDeviceAreaOffset + 17] = 0x42; // set, sum not renewed
    const kw::FirmwareSlice c = kw::SliceFor('C');
    file[c.offset + 5] ^= 0xFF;

    const std::vector<kw::TSliceInfo> slices = kw::InspectFirmware(file);
    ASSERT_EQ(slices.size(), 6u);
    std::string letters;
    for (const auto& slice : slices)
        letters += slice.letter;
    EXPECT_EQ(letters, "ADCEFG");
    EXPECT_TRUE(slices[0].SumHolds());
    EXPECT_FALSE(slices[1].SumHolds());
    EXPECT_EQ(slices[1].computedSum - slices[1].storedSum, 0x42u);
    EXPECT_FALSE(slices[2].SumHolds());
    EXPECT_EQ(slices[3].version, "2.00");
    EXPECT_EQ(slices[3].deviceArea, kw::TSliceInfo::DeviceArea::None);
    EXPECT_EQ(slices[1].deviceArea, kw::TSliceInfo::DeviceArea::Set);
    EXPECT_EQ(slices[4].deviceArea, kw::TSliceInfo::DeviceArea::Zero);
    EXPECT_FALSE(slices[5].versionAcceptable);

    EXPECT_EQ(kw::DescribeSlice(slices[0]).rfind("A  version \"1.08\" (valid)  sum 0x", 0), 0u);
    EXPECT_NE(kw::DescribeSlice(slices[0]).find(" ok  device area zero"), std::string::npos);
    EXPECT_NE(kw::DescribeSlice(slices[1]).find("wrong, computed 0x"), std::string::npos);
    EXPECT_NE(kw::DescribeSlice(slices[1]).find("device area set"), std::string::npos);
    EXPECT_NE(kw::DescribeSlice(slices[3]).find("no device area"), std::string::npos);
    // Control bytes in a version text never reach the terminal as they are.
    EXPECT_NE(kw::DescribeSlice(slices[5]).find("\"BO\\x01T\" (not valid firmware)"),
              std::string::npos);
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

CliRun RunCli(const TempDir& folder, const std::string& args) {
    const std::string command = std::string(KW_CLI) + " " + args + " >" + folder.Path("out.txt") +
                                " 2>" + folder.Path("err.txt");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.Read("out.txt"),
            folder.Read("err.txt")};
}

TEST(FirmwareInfo, CommandLinePrintsOneLinePerSliceAndRefusesShortFiles) {
    TempDir folder;
    MakeFirmwareFile(folder.Path("Kolbra1.Bin"), "1.08");
    const CliRun ok = RunCli(folder, "fw-info " + folder.Path("Kolbra1.Bin"));
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 7);
    EXPECT_NE(ok.out.find("430080 bytes\nA  version \"1.08\""), std::string::npos) << ok.out;
    EXPECT_NE(ok.out.find("\nG  version"), std::string::npos);

    folder.Write("short.Bin", "abc");
    const CliRun shortFile = RunCli(folder, "fw-info " + folder.Path("short.Bin"));
    EXPECT_EQ(shortFile.exitCode, 1);
    EXPECT_NE(shortFile.err.find("short.Bin: not a firmware file (3 bytes"), std::string::npos)
        << shortFile.err;
    EXPECT_EQ(RunCli(folder, "fw-info " + folder.Path("missing.Bin")).exitCode, 1);
    EXPECT_EQ(RunCli(folder, "fw-info " + folder.Dir().string()).exitCode, 1);
    EXPECT_EQ(RunCli(folder, "fw-info").exitCode, 2);
}

} // namespace
