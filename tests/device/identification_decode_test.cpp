#include <gtest/gtest.h>

#include "device/identification.h"

namespace tripdesk::device {
namespace {

struct DecodeCase {
    const char* reply;
    const char* shown;
    const char* hardware;
    const char* cpu;
    const char* note;
};

class DecodeIdentification : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeIdentification, ShowsAndDecodesCodePositions) {
    const DecodeCase& c = GetParam();
    const std::string shown = shown_identification(c.reply);
    EXPECT_EQ(shown, c.shown);
    const IdentificationFields f = decode_identification(shown);
    EXPECT_EQ(f.hardware, c.hardware);
    EXPECT_EQ(f.cpu, c.cpu);
    EXPECT_EQ(f.note, c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, DecodeIdentification,
    ::testing::Values(
        DecodeCase{"SN:00000000000001HEB0", "SN:00000000000001HEB0", "verzia 1.30", "8.000 MHz", "Bluetooth"},
        DecodeCase{"SN:00000000000001FCx0", "SN:00000000000001FCx0", "verzia 1.19", "6.000 MHz", "[NONE]"},
        DecodeCase{"SN:00000000000001HDB0", "SN:00000000000001HDB0", "verzia 1.20", "8.000 MHz", "Bluetooth"},
        DecodeCase{"SN:00000000000001HG00", "SN:00000000000001HG00", "verzia 1.50", "8.000 MHz", "[NONE]"},
        // Position 19 "F" is a clock code, not a version code.
        DecodeCase{"SN:00000000000001HFB0", "SN:00000000000001HFB0", "[NONE]", "8.000 MHz", "Bluetooth"},
        // Lower-case codes are not codes.
        DecodeCase{"SN:00000000000001heb0", "SN:00000000000001heb0", "[NONE]", "[NONE]", "[NONE]"},
        // A short reply decodes only the positions it holds.
        DecodeCase{"SN:00000000000001HE", "SN:00000000000001HE", "verzia 1.30", "8.000 MHz", "[NONE]"},
        DecodeCase{"SN:00000000000001H", "SN:00000000000001H", "[NONE]", "8.000 MHz", "[NONE]"},
        DecodeCase{"SN:1234", "SN:1234", "[NONE]", "[NONE]", "[NONE]"},
        // Anything not starting "SN:" shows as the placeholder, which
        // matches no code.
        DecodeCase{"XN:00000000000001HEB0", "SN:??????????????????", "[NONE]", "[NONE]", "[NONE]"},
        DecodeCase{"SN", "SN:??????????????????", "[NONE]", "[NONE]", "[NONE]"},
        DecodeCase{"", "SN:??????????????????", "[NONE]", "[NONE]", "[NONE]"}));

TEST(HardwareCode, IsPositions18To21OrWhatThereIs) {
    EXPECT_EQ(hardware_code("SN:00000000000001HG10"), "HG10");
    EXPECT_EQ(hardware_code("SN:00000000000001HG1"), "HG1");
    EXPECT_EQ(hardware_code("SN:0000000000000"), "");
}

}  // namespace
}  // namespace tripdesk::device
