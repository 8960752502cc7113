// Finding the logger, entering and leaving dump mode, through the exports.
#include <gtest/gtest.h>
#include <unistd.h>

#include "devlib/dlr4470.h"
#include "devlib/logger_sim_process.h"

using namespace testing_support;

namespace {

class LinkTest : public ::testing::Test {
protected:
    void TearDown() override { QV_DLR4470_EXIT_DUMP_MODE(); }
};

TEST_F(LinkTest, SearchFindsTheLoggerOnItsComNumberAndWritesIt) {
    LoggerSim sim({}, 5);
    int32_t port = -1;
    EXPECT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    EXPECT_EQ(port, 5);
    EXPECT_TRUE(sim.logged("enter"));
    EXPECT_TRUE(sim.logged("command size"));
}

TEST_F(LinkTest, SecondEntryIsRefusedAndLeavesThePortOpen) {
    LoggerSim sim;
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    int32_t again = -7;
    EXPECT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&again), DLR4470_NO_PORT);
    EXPECT_EQ(again, -7);
    EXPECT_EQ(QV_DLR4470_INTO_DUMP_MODE(3), DLR4470_NO_PORT);
    // Still in dump mode on the same port: a transaction works.
    int32_t used = 0;
    EXPECT_EQ(QV_DLR4470_READ_MEMORY_USED_SIZE(&used), DLR4470_USED_MEMORY_READ);
}

TEST_F(LinkTest, ExitOutOfDumpModeSendsNothing) {
    LoggerSim sim;
    EXPECT_EQ(QV_DLR4470_EXIT_DUMP_MODE(), DLR4470_OUT_OF_DUMP_MODE);
    EXPECT_TRUE(sim.log().empty());
    ASSERT_EQ(QV_DLR4470_INTO_DUMP_MODE(3), DLR4470_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_EXIT_DUMP_MODE(), DLR4470_OUT_OF_DUMP_MODE);
    EXPECT_TRUE(sim.logged("exit"));
    // Out of dump mode every transaction is refused without a word sent.
    const size_t lines = sim.log().size();
    EXPECT_EQ(QV_DLR4470_ERASE_All_DB(0), DLR4470_NOT_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, "/nonexistent/x.txt"), DLR4470_NOT_IN_DUMP_MODE);
    EXPECT_EQ(sim.log().size(), lines);
}

TEST_F(LinkTest, NoLoggerMeansNoPort) {
    TempFolder empty;
    use_empty_port_folder(empty);
    int32_t port = -1;
    EXPECT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_NO_PORT);
    EXPECT_EQ(port, -1);
    EXPECT_EQ(QV_DLR4470_INTO_DUMP_MODE(3), DLR4470_NO_PORT);
}

TEST_F(LinkTest, SilentPortIsSkippedBySearchButDirectOpenStillEnters) {
    LoggerSim sim({"--no-banner"});
    int32_t port = -1;
    EXPECT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_NO_PORT);
    EXPECT_FALSE(sim.logged("enter"));
    EXPECT_EQ(QV_DLR4470_INTO_DUMP_MODE(3), DLR4470_IN_DUMP_MODE);
}

TEST_F(LinkTest, ComNumbersFrom128AreNegativeAndNameNoPort) {
    LoggerSim sim({}, 3);
    EXPECT_EQ(QV_DLR4470_INTO_DUMP_MODE(128 + 3), DLR4470_NO_PORT);
    // Only the low byte counts.
    EXPECT_EQ(QV_DLR4470_INTO_DUMP_MODE(0x100 + 3), DLR4470_IN_DUMP_MODE);
}

TEST_F(LinkTest, WrongOrShortAcknowledgeSendsExitAndCloses) {
    for (const char* ack : {"QV GPS+BX", "QV GPS"}) {
        SCOPED_TRACE(ack);
        LoggerSim sim({"--ack", ack});
        int32_t port = -1;
        EXPECT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_NO_ACKNOWLEDGE);
        EXPECT_EQ(port, -1);
        EXPECT_TRUE(sim.logged("exit"));
        // Out of dump mode again: a new entry is allowed.
        EXPECT_EQ(QV_DLR4470_ERASE_All_DB(0), DLR4470_NOT_IN_DUMP_MODE);
    }
}

TEST_F(LinkTest, VersionTextNeedsNoLogger) {
    char version[8] = "xxxxxxx";
    EXPECT_EQ(QV_DLR4470_READ_DLL_VERSION(version), DLR4470_VERSION_WRITTEN);
    EXPECT_STREQ(version, "2.0");
    EXPECT_EQ(fnDLR4470_DLL(), 42);
    EXPECT_EQ(nDLR4470_DLL, 0);
}

}  // namespace

namespace {

class MemorySizeTest : public ::testing::Test {
protected:
    void TearDown() override {
        QV_DLR4470_EXIT_DUMP_MODE();
        ASSERT_EQ(chdir("/"), 0);
    }
    TempFolder work_;
};

// Every size but 8 MiB dumps the 4 MiB geometry: the dump only finishes
// when the library reads exactly what the logger sends.
TEST_F(MemorySizeTest, SizesOtherThanEightMebibytesDumpTheSmallGeometry) {
    for (const char* size : {"16", "32"}) {
        SCOPED_TRACE(size);
        LoggerSim sim({"--size", size, "--records", "3"});
        int32_t port = 0;
        ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
        EXPECT_EQ(QV_DLR4470_DUMP_DB(0, work_.file("d.txt").c_str()), DLR4470_DUMP_FINISHED);
        QV_DLR4470_EXIT_DUMP_MODE();
    }
}

TEST_F(MemorySizeTest, UnknownAnswerCountsAsFourMebibytes) {
    LoggerSim sim({"--size-answer", "0x123456", "--records", "3"});
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, work_.file("d.txt").c_str()), DLR4470_DUMP_FINISHED);
}

}  // namespace
