#include "app/image_info.h"

#include <gtest/gtest.h>

#include "app/safe_name.h"
#include "common/atomic_file.h"
#include "common/io_error.h"
#include "app/temp_folder.h"

using namespace tripdesk;
using namespace tripdesk::app;
using tripdesk::testing::TempFolder;

TEST(ImageInfo, WriteAndReadBack) {
    TempFolder dir;
    const VolumeLabels v{"BA-123AB", "1,234 KB", "1.95 GB", "-1234567890", "FAT32"};
    write_image_info(dir.path(), v);
    EXPECT_EQ(read_whole_file(dir.file("_image.inf")), "BA-123AB\r\n1,234 KB\r\n1.95 GB\r\n-1234567890\r\nFAT32\r\n");
    const VirtInfo info = ReadVirtInfo(dir.path());
    EXPECT_TRUE(info.exists);
    ASSERT_TRUE(info.labels);
    EXPECT_EQ(*info.labels, v);
}

TEST(ImageInfo, ShortForeignAndMissingFiles) {
    EXPECT_EQ(parse_image_info("BA-1\nfree"), (VolumeLabels{"BA-1", "free", "", "", ""}));
    EXPECT_EQ(parse_image_info("\x8E" "A-1\r\r\n\n"), (VolumeLabels{"ŽA-1", "", "", "", ""}));
    EXPECT_EQ(parse_image_info(""), VolumeLabels{});
    EXPECT_EQ(vehicle_label(parse_image_info("")), "NO_CARID");

    TempFolder dir;
    const VirtInfo no_file = ReadVirtInfo(dir.path());
    EXPECT_TRUE(no_file.exists);
    EXPECT_FALSE(no_file.labels);
    write_file_atomically(dir.file("_IMAGE.INF"), "ZA-999XY\r\n");
    EXPECT_EQ(ReadVirtInfo(dir.path()).labels->label, "ZA-999XY");

    EXPECT_FALSE(ReadVirtInfo(dir.file("gone")).exists);
    EXPECT_FALSE(ReadVirtInfo("").exists);
    EXPECT_THROW(write_image_info(dir.file("gone"), VolumeLabels{}), IoError);
}

TEST(SafeName, KeepsPlatesAndDefusesTheRest) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"BA-123AB", "BA-123AB"}, {"NO_CARID", "NO_CARID"}, {"ŽA 12-Č", "ŽA 12-Č"}, {"..", "_"},
        {".", "_"},               {"", "_"},                {"a/b\\c", "a_b_c"},  {"x\r\nBcc: y", "x__Bcc_ y"},
        {"name. ", "name"},       {"C:*?<>|\"", "C_______"},
    };
    for (const auto& c : cases) EXPECT_EQ(safe_name(c.in), c.out) << c.in;
}
