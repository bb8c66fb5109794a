// The program's icon for its windows comes from the icon files of the tree it
// runs from: the build tree renders them beside its programs as an installation
// holds them.
#include "ProgramIcon.h"
#include "ProgramFolder.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

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

} // namespace
