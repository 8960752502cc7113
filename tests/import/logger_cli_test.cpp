// `tripdesk logger ...` run as a program against the simulated logger.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "devlib/logger_sim_process.h"
#include "track/day_file.h"

using namespace testing_support;

namespace {

struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun tripdesk(const std::string& home, const std::string& args) {
    const std::string command =
        std::string(TRIPDESK_BIN_DIR) + "/tripdesk --home '" + home + "' " + args + " 2>&1";
    CommandRun run;
    std::FILE* p = popen(command.c_str(), "r");
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) run.out.append(buffer, n);
    const int status = pclose(p);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class LoggerCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        write_file(home_.file("MARVEK7_tripdesk.ini"), "[CAR_LIST]\n0000000007=BA123XY,Škoda Octavia\n");
    }
    TempFolder home_;
};

TEST_F(LoggerCliTest, FindImportAndErase) {
    LoggerSim sim({"--serial", "7", "--records", "8"});
    const CommandRun find = tripdesk(home_.path(), "logger find");
    EXPECT_EQ(find.status, 0);
    EXPECT_EQ(find.out, "COM3\nID: 0000000007\n[BA123XY]  Škoda Octavia\n");

    const CommandRun import = tripdesk(home_.path(), "logger import");
    EXPECT_EQ(import.status, 0) << import.out;
    EXPECT_EQ(tripdesk::track::read_records(home_.path() + "/_images/BA123XY/011226.gps", {}).size(), 8u);
    // The image folder is a card like any other: its day shows in a scan.
    const CommandRun scan = tripdesk(home_.path(), "scan '" + home_.path() + "/_images/BA123XY' --date 2026-12-01");
    EXPECT_EQ(scan.status, 0) << scan.out;
    EXPECT_NE(scan.out.find("01/12/26\t011226.gps\t"), std::string::npos) << scan.out;
    // An existing image folder counts as confirmed: no question, same result.
    EXPECT_EQ(tripdesk(home_.path(), "logger import").status, 0);

    const CommandRun refused = tripdesk(home_.path(), "logger erase");
    EXPECT_EQ(refused.status, 2);
    EXPECT_FALSE(sim.logged("command erase"));
    const CommandRun erase = tripdesk(home_.path(), "logger erase --yes");
    EXPECT_EQ(erase.status, 0);
    EXPECT_NE(erase.out.find("Pamäť bola úspešne vymazaná !!!"), std::string::npos);
}

TEST_F(LoggerCliTest, UnknownLoggerNeedsAVehicleAndAFailedDumpFails) {
    {
        LoggerSim sim({"--serial", "99", "--records", "3"});
        EXPECT_EQ(tripdesk(home_.path(), "logger import").status, 1);
        EXPECT_FALSE(sim.logged("command dump"));
        EXPECT_EQ(tripdesk(home_.path(), "logger import --vehicle ke100aa").status, 0);
        EXPECT_TRUE(std::filesystem::exists(home_.path() + "/_images/KE100AA/011226.gps"));
    }
    LoggerSim silent({"--serial", "7", "--mute", "dump"});
    const CommandRun failed = tripdesk(home_.path(), "logger import");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find(": 12"), std::string::npos) << failed.out;
}

TEST_F(LoggerCliTest, ConvertNeedsNoDevice) {
    write_file(home_.file("dump.txt"),
               "Tag,$GPRMC\r\n---,$GPRMC,080000.000,A,4809.0000,N,01706.0000,E,1.00,0.00,021226,,*00\r\n");
    const CommandRun run = tripdesk(home_.path(), "logger convert '" + home_.file("dump.txt") + "' --vehicle BA123XY");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "021226.gps\n");
    EXPECT_EQ(tripdesk(home_.path(), "logger convert x.txt").status, 2);
}

}  // namespace
