// The logger import against the simulated logger through the real device
// library: finding and matching, reading into a card image, the failed-dump
// rule and erasing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "devlib/logger_sim_process.h"
#include "import/logger_import.h"
#include "track/day_file.h"

using namespace tripdesk;
using namespace testing_support;

namespace {

std::vector<track::Vehicle> fleet() {
    return {{"0000000007", "BA123XY", "Škoda"}, {"0001234567", "KE777AA", "Prvé"}, {"0001234567", "ZA555BB", "Druhé"}};
}

class LoggerImportTest : public ::testing::Test {
protected:
    void TearDown() override { ASSERT_EQ(chdir("/"), 0); }

    import::ImportResult run(bool confirm = true) {
        NoProgress progress;
        const import::ImportRequest request{home_.path() + "/", {"0001234567", "ZA555BB", "Druhé"}, {}};
        return import::import_from_logger(request, [&] { asked_ = true; return confirm; }, progress);
    }
    std::string image(const std::string& name = "") const { return home_.path() + "/_images/ZA555BB/" + name; }

    TempFolder home_;
    bool asked_ = false;
};

TEST_F(LoggerImportTest, FindMatchesTheLastVehicleWithTheId) {
    {
        LoggerSim sim({"--serial", "1234567"});
        const auto found = import::find_logger(fleet());
        ASSERT_TRUE(found);
        EXPECT_EQ(found->port, 3);
        EXPECT_EQ(found->id_text, "0001234567");
        EXPECT_EQ(found->matched, 2);
        EXPECT_TRUE(sim.logged("exit"));
    }
    {
        LoggerSim sim({"--serial", "99"});
        const auto found = import::find_logger(fleet());
        ASSERT_TRUE(found);
        EXPECT_EQ(found->id_text, "0000000099");
        EXPECT_EQ(found->matched, -1);
    }
    TempFolder empty;
    use_empty_port_folder(empty);
    EXPECT_FALSE(import::find_logger(fleet()));
}

TEST_F(LoggerImportTest, ReadsTheLoggerIntoTheVehiclesCardImage) {
    // A fresh data folder: not even "_images" exists yet.
    LoggerSim sim({"--records", "40", "--start", "2026-12-01T23:59:50", "--step", "1"});
    const auto result = run();
    ASSERT_EQ(result.outcome, import::ImportOutcome::Done);
    EXPECT_FALSE(asked_);
    EXPECT_EQ(result.day_files, (std::vector<std::string>{"011226.gps", "021226.gps"}));
    EXPECT_EQ(read_file(image("_image.inf")), "ZA555BB\n[NONE]\n4 MB\n[NONE]\n[NONE]\n");
    const auto first = track::read_records(image("011226.gps"), {});
    const auto second = track::read_records(image("021226.gps"), {});
    EXPECT_EQ(first.size(), 10u);
    EXPECT_EQ(second.size(), 30u);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second[0].New, 1);
    EXPECT_TRUE(second[0].Valid);
    EXPECT_NEAR(second[0].Lat, 48.0 + 9.1244 / 60.0, 1e-5);
    // The dump text stays beside the settings; the logger is out of dump mode.
    EXPECT_TRUE(file_exists(home_.path() + "/dlr4470_dump.tmp"));
    EXPECT_TRUE(sim.logged("exit"));
}

TEST_F(LoggerImportTest, ExistingFolderIsConfirmedFirst) {
    LoggerSim sim({"--records", "5"});
    std::filesystem::create_directories(image());
    write_file(image("011226.gps"), "kept");
    const auto declined = run(false);
    EXPECT_EQ(declined.outcome, import::ImportOutcome::Declined);
    EXPECT_TRUE(asked_);
    EXPECT_EQ(read_file(image("011226.gps")), "kept");
    EXPECT_FALSE(file_exists(image("_image.inf")));
    EXPECT_FALSE(sim.logged("command dump"));
    const auto confirmed = run(true);
    EXPECT_EQ(confirmed.outcome, import::ImportOutcome::Done);
    EXPECT_EQ(track::read_records(image("011226.gps"), {}).size(), 5u);
}

TEST_F(LoggerImportTest, FailedDumpConvertsNothingAndKeepsTheDayFiles) {
    // A dump left by an earlier reading must not be imported as this one.
    write_file(home_.path() + "/dlr4470_dump.tmp",
               "Tag,$GPRMC\r\n---,$GPRMC,080000.000,A,4809.0000,N,01706.0000,E,1.00,0.00,011226,,*00\r\n");
    std::filesystem::create_directories(image());
    write_file(image("011226.gps"), "earlier import");
    LoggerSim sim({"--records", "5", "--mute", "dump"});
    const auto result = run();
    EXPECT_EQ(result.outcome, import::ImportOutcome::DumpFailed);
    EXPECT_EQ(result.dump_code, 12);
    EXPECT_TRUE(result.day_files.empty());
    EXPECT_EQ(read_file(image("011226.gps")), "earlier import");
    EXPECT_FALSE(file_exists(home_.path() + "/dlr4470_dump.tmp"));
    EXPECT_TRUE(sim.logged("exit"));
}

TEST_F(LoggerImportTest, NoLoggerWritesNothing) {
    TempFolder empty;
    use_empty_port_folder(empty);
    EXPECT_EQ(run().outcome, import::ImportOutcome::NotFound);
    EXPECT_FALSE(file_exists(home_.path() + "/_images"));
}

TEST_F(LoggerImportTest, EraseReportsTheLibrarysResult) {
    {
        LoggerSim sim({"--records", "5"});
        EXPECT_EQ(import::erase_logger(), std::optional<int>(13));
        EXPECT_TRUE(sim.logged("exit"));
    }
    {
        LoggerSim sim({"--drop-on", "erase"});
        EXPECT_EQ(import::erase_logger(), std::optional<int>(12));
    }
    TempFolder empty;
    use_empty_port_folder(empty);
    EXPECT_EQ(import::erase_logger(), std::nullopt);
}

}  // namespace
