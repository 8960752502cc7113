// Firmware file checks, decoding and upload through the exports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "devlib/dlr4470.h"
#include "devlib/firmware_file.h"
#include "devlib/logger_sim_process.h"

using namespace testing_support;

namespace {

class FirmwareTest : public ::testing::Test {
protected:
    void TearDown() override {
        QV_DLR4470_EXIT_DUMP_MODE();
        ASSERT_EQ(chdir("/"), 0);
    }
    std::string put(const std::string& name, const std::string& bytes) {
        write_file(work_.file(name), bytes);
        return work_.file(name);
    }
    TempFolder work_;
};

TEST_F(FirmwareTest, VersionOfAGoodFileWithoutALogger) {
    struct Case {
        uint8_t version_byte;
        const char* text;
    };
    for (const Case c : {Case{0x1A, "3.2"}, Case{0xFF, "7.7"}, Case{0x00, "0.0"}}) {
        SCOPED_TRACE(c.text);
        const std::string path = put("fw.bin", make_firmware(c.version_byte).file);
        char version[16];
        std::memset(version, 'x', sizeof version);
        EXPECT_EQ(QV_DLR4470_Read_BinFile_FW_Version(version, path.c_str()), DLR4470_FW_VERSION_READ);
        EXPECT_STREQ(version, c.text);
    }
}

TEST_F(FirmwareTest, BadFilesAreRefused) {
    const std::string good = make_firmware(0x11).file;
    std::string no_zero = good;
    no_zero[0xFFE5] = 'X';
    std::string bad_sum = good;
    bad_sum[0xFFEE] = static_cast<char>(bad_sum[0xFFEE] ^ 0x04);
    struct Case {
        const char* name;
        std::string path;
        int32_t result;
    };
    const Case cases[] = {
        {"short", put("short.bin", good.substr(0, 65535)), DLR4470_FW_SIZE_WRONG},
        {"long", put("long.bin", good + "x"), DLR4470_FW_SIZE_WRONG},
        {"signature", put("sig.bin", no_zero), DLR4470_FW_SIGNATURE_MISSING},
        {"checksum", put("sum.bin", bad_sum), DLR4470_FW_CHECKSUM_WRONG},
        {"missing", work_.file("none.bin"), DLR4470_FW_FILE_UNREADABLE},
        {"folder only", work_.path() + "/", DLR4470_FW_FOLDER_FAILED},
    };
    char version[16];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QV_DLR4470_Read_BinFile_FW_Version(version, c.path.c_str()), c.result);
    }
    // A wrong file never reaches the logger.
    LoggerSim sim;
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    for (const Case& c : cases) EXPECT_EQ(QV_DLR4470_FW_UPGRADE(0, c.path.c_str()), c.result) << c.name;
    EXPECT_FALSE(sim.logged("command firmware"));
}

TEST_F(FirmwareTest, UpgradeSendsTheDecodedImageAndClosesThePort) {
    const FirmwareFile fw = make_firmware(0x1A);
    const std::string path = put("fw.bin", fw.file);
    EXPECT_EQ(QV_DLR4470_FW_UPGRADE(0, path.c_str()), DLR4470_NOT_IN_DUMP_MODE);
    LoggerSim sim;
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_FW_UPGRADE(0, path.c_str()), DLR4470_FW_TRANSFERRED);
    EXPECT_TRUE(sim.logged("upload firmware 65536 ok"));
    std::string expected = fw.plain;
    std::fill(expected.begin() + 0xFFF0, expected.end(), '\0');
    EXPECT_TRUE(read_file(sim.upload_file()) == expected);
    // Out of dump mode and closed without the exit command.
    EXPECT_TRUE(sim.logged("close"));
    EXPECT_FALSE(sim.logged("exit"));
    EXPECT_EQ(QV_DLR4470_ERASE_All_DB(0), DLR4470_NOT_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
}

TEST_F(FirmwareTest, LoggerChecksumErrorKeepsDumpMode) {
    const std::string path = put("fw.bin", make_firmware(0x1A).file);
    LoggerSim sim({"--checksum-error"});
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_FW_UPGRADE(0, path.c_str()), DLR4470_CHECKSUM_ERROR);
    int32_t used = 0;
    EXPECT_EQ(QV_DLR4470_READ_MEMORY_USED_SIZE(&used), DLR4470_USED_MEMORY_READ);
}

}  // namespace
