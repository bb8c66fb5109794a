// The program's icon for its windows comes from the icon files of the tree it
// runs from: the build tree renders them beside its programs as an installation
// holds them.
#include "ProgramIcon.h"
#include "ProgramFolder.h"
#include "ProgramVersion.h"
#include "TempDir.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ProgramIcon, EverySizeOfTheTreeItRunsFrom) {
    const QIcon icon = kw::ProgramIcon(kw::DataRootBeside(std::string(KW_BIN_DIR) + "/"));
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    // Drawn, not blank: the 48 px picture has opaque pixels and transparent corners.
    const QImage picture = icon.pixmap(48, 48).toImage();
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(30, 35)), 255);
}

TEST(ProgramIcon, OnlySquareSizeFoldersOfItsOwnName) {
    kw::test::TempDir tree;
    const std::string hicolor = tree.Path("icons/hicolor/");
    const std::string source = kw::DataRootBeside(std::string(KW_BIN_DIR) + "/") +
                               "icons/hicolor/32x32/apps/" + kw::kDesktopId + ".png";
    for (const char* folder : {"32x32", "48x32", "scalable", "64x64"})
        std::filesystem::create_directories(hicolor + folder + "/apps");
    for (const char* folder : {"32x32", "48x32", "scalable"})
        std::filesystem::copy_file(source, hicolor + folder + "/apps/" + kw::kDesktopId + ".png");
    std::filesystem::copy_file(source, hicolor + "64x64/apps/other.png");

    const QIcon icon = kw::ProgramIcon(tree.Dir().string() + "/");
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
}

} // namespace
