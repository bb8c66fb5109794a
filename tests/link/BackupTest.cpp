// Backups of reads against the simulated gateway: one owner-only file with the
// gateway's values, a serial number that would lead out of the backups folder,
// and a data folder on a full disk, which must not fail the read.
#include "BackupStore.h"
#include "FileSizeLimit.h"
#include "GatewayProtocol.h"
#include "GatewayRig.h"
#include "ParameterCatalogue.h"
#include "RandomConfiguration.h"
#include "TempDir.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;
namespace fs = std::filesystem;

class Backup : public GatewayRig {
protected:
    // Every file under the test's folder, wherever it went.
    std::vector<std::string> AllFiles() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(temp.Dir()))
            if (entry.is_regular_file())
                files.push_back(entry.path().string());
        return files;
    }
    static unsigned Mode(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }
    kw::TransferResult ReadWithBackups() {
        kw::TTransferHost host = Host();
        host.backups = &store;
        return kw::ReadFromGateway(host).result;
    }

    TempDir temp;
    kw::CBackupStore store{temp.Path("data")};
};

TEST_F(Backup, AReadLeavesOneOwnerOnlyBackupInsideTheBackupsFolder) {
    CParameters source;
    kw::RegisterCatalogue(source);
    std::mt19937 random(11);
    FillRandom(source, random);
    const Image memory = EncodedImage(source);
    // A serial number that names a folder two levels up.
    StartSim({"--hw", "C", "--serial", "../../x"}, memory);
    user.ExpectMessage(Icon::Information, 112);
    ASSERT_EQ(ReadWithBackups(), kw::TransferResult::Done);

    const std::vector<std::string> files = AllFiles();
    ASSERT_EQ(files.size(), 1u);
    const std::string folder = temp.Path("data") + "/backups/unknown/";
    EXPECT_EQ(files[0].rfind(folder, 0), 0u) << files[0];
    EXPECT_EQ(Mode(files[0]), 0600u);
    EXPECT_EQ(Mode(folder), 0700u);
    EXPECT_EQ(Mode(temp.Path("data") + "/backups"), 0700u);

    // The file holds what the read gave the editor, which is the gateway's memory.
    EXPECT_EQ(EncodedImage(parameters), memory);
    ASSERT_TRUE(parameters.SaveToFile(temp.Path("editor.sgd")));
    EXPECT_EQ(ReadFileBytes(files[0]), ReadFileBytes(temp.Path("editor.sgd")));
    EXPECT_NE(ReadFileBytes(files[0]).find("SerialNum=\"../../x\""), std::string::npos);
    const auto listed = store.List();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].path, files[0]);
    EXPECT_FALSE(listed[0].written);
    EXPECT_EQ(kw::BackupHardwareLetter(files[0]), "C");
}

TEST_F(Backup, AFullDiskWarnsOnceAndTheReadStillSucceeds) {
    StartSim({"--serial", "SN-1"});
    user.ExpectMessage(Icon::Information, 112).ExpectMessage(Icon::Warning, 462);
    {
        const FileSizeLimit full(512);
        ASSERT_EQ(ReadWithBackups(), kw::TransferResult::Done);
    }
    EXPECT_TRUE(user.AllMessagesShown());
    EXPECT_EQ(parameters.GetValue("SerialNum", 0), "SN-1");
    // No half-written file is left behind, and the next read backs up again.
    EXPECT_TRUE(AllFiles().empty());
    kw::ReleaseGateway(link);
    user.ExpectQuestion(Icon::Question, 334, true).ExpectMessage(Icon::Information, 112);
    ASSERT_EQ(ReadWithBackups(), kw::TransferResult::Done);
    EXPECT_EQ(store.List("SN-1").size(), 1u);
}

} // namespace
