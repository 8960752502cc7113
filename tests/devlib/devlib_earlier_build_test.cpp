// The earlier build libdlr4470_dll.so: its smaller interface, older record
// layout and single-line dump text.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "devlib/dlr4470.h"
#include "devlib/firmware_file.h"
#include "devlib/logger_records.h"
#include "devlib/logger_sim_process.h"

using namespace testing_support;

namespace {

const char kEarlierHeader[] =
    "tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),Date(ddmmyy),,Checksum\n";

class EarlierBuildTest : public ::testing::Test {
protected:
    void TearDown() override {
        QV_DLR4470_EXIT_DUMP_MODE();
        ASSERT_EQ(chdir("/"), 0);
    }
    TempFolder work_;
};

TEST_F(EarlierBuildTest, SmallerInterface) {
    char version[8] = {};
    EXPECT_EQ(QV_DLR4470_READ_DLL_VERSION(version), DLR4470_VERSION_WRITTEN);
    EXPECT_STREQ(version, "1.5");
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "QV_DLR4470_Setting_SN"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "QV_DLR4470_READ_MEMORY_USED_SIZE"), nullptr);
    EXPECT_NE(dlsym(RTLD_DEFAULT, "QV_DLR4470_DUMP_DB"), nullptr);
}

TEST_F(EarlierBuildTest, DumpWritesRmcLinesOfTheOlderLayout) {
    Fix marked = nth_fix(3);
    marked.tag = 0xFE;
    const std::vector<std::pair<size_t, Fix>> placed = {{0, nth_fix(1)}, {1, nth_fix(2)}, {2, marked}};
    write_file(work_.file("memory.bin"), memory_image(kSmallDumpRecords, placed, true));
    // The dump reads the 4 MiB geometry without asking the logger its size.
    LoggerSim sim({"--db", work_.file("memory.bin"), "--size", "4"});
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    ASSERT_EQ(QV_DLR4470_DUMP_DB(0, work_.file("dump.txt").c_str()), DLR4470_DUMP_FINISHED);
    const std::string expected = std::string(kEarlierHeader) + expected_earlier_line(nth_fix(1)) +
                                 expected_earlier_line(nth_fix(2)) + expected_earlier_line(marked);
    EXPECT_EQ(read_file(work_.file("dump.txt")), expected);
    EXPECT_NE(expected.find("254,$GPRMC"), std::string::npos);
    EXPECT_FALSE(sim.logged("command size"));
}

TEST_F(EarlierBuildTest, EmptyBlocksAreSkippedInsteadOfEndingTheDump) {
    write_file(work_.file("memory.bin"), memory_image(kSmallDumpRecords, {{0, nth_fix(0)}}, true));
    // A pause of about three read time-outs after 1,000 blocks.
    LoggerSim sim({"--db", work_.file("memory.bin"), "--pause-dump-at", "64000", "--pause-ms", "350"});
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    // The reading goes on after the pause; the blocks counted as skipped are
    // missing at the end, so the end marker does not line up.
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, work_.file("dump.txt").c_str()), DLR4470_TIMEOUT);
    const size_t raw = read_file(work_.file("DB.sr")).size();
    EXPECT_GT(raw, 64000u * 10);
    EXPECT_LT(raw, kSmallDumpRecords * 16);
}

TEST_F(EarlierBuildTest, SevenArgumentSettings) {
    const char* sounds[] = {"battery_low.wav", "BT_close.wav", "BT_open.wav", "Error_Beep.wav",
                            "GPS_search.wav", "GPS_search_finished.wav", "OK_Beep.wav", "OK1_Beep.wav"};
    for (const char* s : sounds) write_file(work_.file(s), "RIFF");
    LoggerSim sim;
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    const char* folder = work_.path().c_str();
    EXPECT_EQ(QV_DLR4470_SETTING_DEVICE(0, 60, 100, 0, 0, folder, 0), DLR4470_BOTH_INTERVALS);
    EXPECT_EQ(QV_DLR4470_SETTING_DEVICE(0, 0, 3001, 0, 0, folder, 0), DLR4470_SECOND_INTERVAL_RANGE);
    EXPECT_EQ(QV_DLR4470_SETTING_DEVICE(0, 0, 10, 0, 0, folder, 21), DLR4470_SETTING_19_RANGE);
    // No lower bound for the second interval; eight sound files suffice.
    EXPECT_EQ(QV_DLR4470_SETTING_DEVICE(0, 0, 10, 3, 4, folder, 5), DLR4470_SETTINGS_WRITTEN);
    const std::string upload = read_file(sim.upload_file());
    ASSERT_EQ(upload.size(), 256u + 8 * 4);
    EXPECT_EQ(upload.substr(0, 8), std::string("\xFF\xFF\xFF\xFF\x0A\x00\x00\x00", 8));
    EXPECT_EQ(upload.substr(8, 1), "\x03");
    EXPECT_EQ(upload.substr(0x18, 5), std::string("\x04\x05\xFF\xFF\xFF", 5));

    int32_t first = 0, second = 0;
    uint8_t b08 = 0, b18 = 0, b19 = 0;
    ASSERT_EQ(QV_DLR4470_READ_SETTING_VALUE(0, &first, &second, &b08, &b18, &b19), DLR4470_SETTINGS_READ);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, 10);
    EXPECT_EQ(b08, 2);
    EXPECT_EQ(b18, 4);
    EXPECT_EQ(b19, 5);

    int32_t serial = 0;
    char version[8];
    EXPECT_EQ(QV_DLR4470_READ_DEVICE_INFORMATION(0, &serial, version), DLR4470_INFO_READ);
    EXPECT_EQ(serial, 1234567);
}

TEST_F(EarlierBuildTest, FirmwareFileIsTakenFromAFolder) {
    write_file(work_.file("DLR4470_Encode.Bin"), make_firmware(0x0B).file);
    char version[8] = {};
    EXPECT_EQ(QV_DLR4470_Read_BinFile_FW_Version(version, work_.path().c_str()), DLR4470_FW_VERSION_READ);
    EXPECT_STREQ(version, "1.3");
    EXPECT_EQ(QV_DLR4470_Read_BinFile_FW_Version(version, "/nonexistent"), DLR4470_FW_FOLDER_FAILED);
}

}  // namespace
