#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/io_error.h"
#include "device/firmware_compat.h"
#include "device/firmware_image.h"
#include "device/firmware_update.h"

namespace tripdesk::device {
namespace {

TEST(FirmwareName, LabelAndPackFromName) {
    struct Case {
        const char* name;
        const char* label;
        const char* pack;
    };
    const Case cases[] = {
        {"M7_FWHG1C.BIN", "HG1C", "PACK_C"},
        {"tracker_FW2209A_x.BIN", "2209", "PACK_9"},
        {"A_FWAB_FWCD.BIN", "AB_F", "PACK_F"},  // the first "_FW" counts
        // Without "_FW": characters 3 to 6, pack letter the sixth character.
        {"XYABCDEF.BIN", "ABCD", "PACK_D"},
        {"AB_FWxy", "xy", "PACK_"},  // too short for a pack letter
        {"ab", "", "PACK_"},
    };
    for (const Case& c : cases) {
        const FirmwareName n = firmware_name_info(c.name);
        EXPECT_EQ(n.label, c.label) << c.name;
        EXPECT_EQ(n.pack, c.pack) << c.name;
    }
}

TEST(FirmwareCompat, DevicePackByHardwareCode) {
    for (const char* code : {"HC00", "HC10", "HD00", "HE00", "HE10"}) EXPECT_EQ(device_pack(code), "PACK_A") << code;
    for (const char* code : {"HG00", "HG10"}) EXPECT_EQ(device_pack(code), "PACK_B") << code;
    for (const char* code : {"HG20", "hg10", "HG1", "", "????"}) EXPECT_EQ(device_pack(code), "[NONE]") << code;
}

TEST(FirmwareCompat, ImageSuitsDevice) {
    EXPECT_TRUE(image_suits_device("PACK_A", "PACK_A"));
    EXPECT_TRUE(image_suits_device("PACK_B", "PACK_B"));
    EXPECT_TRUE(image_suits_device("PACK_C", "PACK_A"));
    EXPECT_TRUE(image_suits_device("PACK_C", "PACK_B"));
    EXPECT_FALSE(image_suits_device("PACK_A", "PACK_B"));
    EXPECT_FALSE(image_suits_device("PACK_B", "PACK_A"));
    EXPECT_FALSE(image_suits_device("PACK_C", "[NONE]"));
    EXPECT_FALSE(image_suits_device("[NONE]", "[NONE]"));
}

TEST(PageFrame, SequenceBytesAndChecksum) {
    std::string data(128, '\0');
    for (int i = 0; i < 128; ++i) data[i] = static_cast<char>(i);
    const std::string frame = page_frame(255, data);
    ASSERT_EQ(frame.size(), 132u);
    EXPECT_EQ(static_cast<unsigned char>(frame[0]), 0x01);
    EXPECT_EQ(static_cast<unsigned char>(frame[1]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(frame[2]), 0x00);  // (1 + 255) mod 256
    // 1 + 255 + 0 + (0 + ... + 127) = 256 + 8128 = 8384, mod 256 = 192.
    EXPECT_EQ(static_cast<unsigned char>(frame[131]), 192);
    EXPECT_EQ(frame.substr(3, 128), data);
}

TEST(TrimReply, DropsBlanksAndControlCharacters) {
    EXPECT_EQ(trim_reply("\r\n SN:1 \x01\r\n"), "SN:1");
    EXPECT_EQ(trim_reply("\r\n"), "");
}

class RecordingProgress : public Progress {
public:
    void maximum(int max) override { events.push_back("max " + std::to_string(max)); }
    void position(int pos) override { events.push_back("pos " + std::to_string(pos)); }
    void pause(int ms) override { events.push_back("pause " + std::to_string(ms)); }
    std::vector<std::string> events;
};

class FirmwareImageLoad : public ::testing::Test {
protected:
    std::string write_image(size_t size) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
        return bytes;
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::string path_ = ::testing::TempDir() + "/M7_FWHG1C.BIN";
    FirmwareImage image_;
    LineLog log_;
    RecordingProgress progress_;
};

TEST_F(FirmwareImageLoad, OneKilobyteIsRefused) {
    image_.assign(std::string(2000, 'x'));  // a previous image is forgotten
    write_image(1024);
    EXPECT_FALSE(load_firmware_image(path_, image_, log_, progress_));
    EXPECT_FALSE(image_.loaded());
    EXPECT_EQ(log_.lines(), std::vector<std::string>{" - invalid firmware binary !!!"});
    EXPECT_EQ(progress_.events.back(), "pos 0");
}

TEST_F(FirmwareImageLoad, OneByteMoreLoadsNinePagesFilledWithFF) {
    const std::string bytes = write_image(1025);
    ASSERT_TRUE(load_firmware_image(path_, image_, log_, progress_));
    EXPECT_EQ(image_.size(), 1025u);
    EXPECT_EQ(image_.page_count(), 9);
    EXPECT_EQ(image_.page(1), bytes.substr(0, 128));
    EXPECT_EQ(image_.page(9), bytes.substr(1024, 1) + std::string(127, '\xFF'));
    EXPECT_EQ(log_.lines(), (std::vector<std::string>{" - buffering binary image ... OK",
                                                      " - 9 pages succesfully loaded ..."}));
    // Progress at byte 0 and every multiple of 1025 / 10 = 102, then back to 0.
    std::vector<std::string> expected{"max 1025"};
    for (int i = 0; i <= 1020; i += 102) {
        expected.push_back("pos " + std::to_string(i));
        expected.push_back("pause 10");
    }
    expected.push_back("pos 0");
    EXPECT_EQ(progress_.events, expected);
}

TEST_F(FirmwareImageLoad, LargestAddressableImageLoadsAndOneByteMoreIsRefused) {
    const std::string bytes = write_image(kMaxImageSize);
    ASSERT_TRUE(load_firmware_image(path_, image_, log_, progress_));
    EXPECT_EQ(image_.page_count(), 255);
    EXPECT_EQ(image_.page(255), bytes.substr(254 * 128));

    LineLog refused;
    write_image(kMaxImageSize + 1);
    EXPECT_FALSE(load_firmware_image(path_, image_, refused, progress_));
    EXPECT_FALSE(image_.loaded());
    ASSERT_EQ(refused.lines().size(), 1u);
    EXPECT_EQ(refused.lines()[0], " - firmware binary too large (32641 bytes, at most 255 pages of 128 bytes) !!!");
}

TEST_F(FirmwareImageLoad, UnreadableFileThrowsAndLeavesNoImage) {
    image_.assign(std::string(2000, 'x'));
    EXPECT_THROW(load_firmware_image(path_ + ".missing", image_, log_, progress_), IoError);
    EXPECT_FALSE(image_.loaded());
}

}  // namespace
}  // namespace tripdesk::device
