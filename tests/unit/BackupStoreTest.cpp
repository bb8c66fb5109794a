// The backup store without a gateway: folder names from serial numbers, the
// order backups are listed in, and how many are kept.
#include "BackupStore.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(BackupStore, SerialNumbersBecomeFolderNamesInsideBackups) {
    const struct {
        const char* serial;
        const char* folder;
    } cases[] = {
        {"SN-77", "SN-77"},         {"77.1_a", "77.1_a"},
        {"  4711  ", "4711"},       {"", "unknown"},
        {"   ", "unknown"},         {"../../x", "unknown"},
        {"..", "unknown"},          {".hidden", "unknown"},
        {"a/b", "unknown"},         {"a\\b", "unknown"},
        {"two words", "unknown"},   {"\xE9t\xE9", "unknown"},
        {"line\nbreak", "unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kw::SerialFolderName(c.serial), c.folder) << c.serial;
    EXPECT_EQ(kw::SerialFolderName(std::string(64, '9')), std::string(64, '9'));
    EXPECT_EQ(kw::SerialFolderName(std::string(65, '9')), "unknown");
}

// A clock that moves one second per backup.
std::time_t g_Clock = 0;
std::time_t Tick() {
    return g_Clock++;
}

class Store : public ::testing::Test {
protected:
    Store() {
        kw::RegisterCatalogue(parameters);
        g_Clock = 1767225600; // 2026-01-01 00:00:00 UTC
        store.SetTimeSource(&Tick);
    }
    std::string SaveAs(const std::string& serial, bool written) {
        parameters.SetValue("SerialNum", 0, serial);
        std::string error;
        const auto path = store.Save(parameters, written, error);
        EXPECT_TRUE(path) << error;
        return path.value_or("");
    }

    kw::test::TempDir temp;
    CParameters parameters;
    kw::CBackupStore store{temp.Path("data")};
};

TEST_F(Store, KeepsTheNewestFiftyOfEachGatewayNewestFirst) {
    std::vector<std::string> saved;
    for (int i = 0; i < 55; ++i)
        saved.push_back(SaveAs("A1", i % 3 == 0));
    const std::string other = SaveAs("B2", false);

    const auto listed = store.List("A1");
    ASSERT_EQ(listed.size(), 50u);
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].path, saved[54 - i]);
        EXPECT_EQ(listed[i].written, (54 - i) % 3 == 0);
        EXPECT_EQ(listed[i].serialFolder, "A1");
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(std::filesystem::exists(saved[i])) << saved[i];
    // Another gateway's backups are its own; the whole list is newest first.
    const auto all = store.List();
    ASSERT_EQ(all.size(), 51u);
    EXPECT_EQ(all[0].path, other);
    EXPECT_EQ(all[1].path, saved[54]);
    EXPECT_EQ(store.NewestRead("A1")->path, saved[54 - 1]); // 54 itself was written

    // A file the store did not make is never taken for a backup nor dropped.
    const std::string stranger = temp.Path("data") + "/backups/A1/notes.txt";
    std::ofstream(stranger) << "keep";
    const std::string copy = temp.Path("data") + "/backups/A1/2020-01-01_00-00-00 copy.sgd";
    std::ofstream(copy) << "keep";
    SaveAs("A1", false);
    EXPECT_TRUE(std::filesystem::exists(stranger));
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(store.List("A1").size(), 50u);
}

TEST_F(Store, TwoBackupsInOneSecondAreBothKept) {
    store.SetTimeSource([] { return std::time_t(1767225600); });
    const std::string first = SaveAs("C3", false);
    const std::string second = SaveAs("C3", false);
    EXPECT_NE(first, second);
    const auto listed = store.List("C3");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].path, second);
    EXPECT_EQ(listed[1].path, first);
    EXPECT_EQ(listed[0].time, listed[1].time);
    EXPECT_FALSE(store.NewestRead("D4"));
}

TEST_F(Store, AFolderThatCannotBeMadeIsReported) {
    std::ofstream(temp.Path("data")) << "a file where the data folder should be";
    parameters.SetValue("SerialNum", 0, "E5");
    std::string error;
    EXPECT_FALSE(store.Save(parameters, false, error));
    EXPECT_NE(error.find("backups"), std::string::npos) << error;
    EXPECT_TRUE(store.List().empty());
}

} // namespace
