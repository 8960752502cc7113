// The logger import against a simulated logger that fails: the link dropped
// in the middle of the dump, a logger gone silent, answers that are garbage,
// a memory full of noise, and the disk filling up while the library writes
// the dump. The import must end with the library's result code, import
// nothing stale (an earlier reading's dump text never passes for this one),
// keep the vehicle's day files, and never erase the logger.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <regex>

#include "devlib/logger_sim_process.h"
#include "faults/fault_run.h"
#include "import/logger_import.h"
#include "track/day_file.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace testing_support;
using import::ImportOutcome;

namespace {

const track::Vehicle kVehicle{"0001234567", "ZA555BB", "Dodávka"};

// A dump text from an earlier reading: a fix on 5 December 2026.
const char kEarlierDump[] =
    "Tag,$GPRMC\r\n---,$GPRMC,080000.000,A,4809.0000,N,01706.0000,E,1.00,0.00,051226,,*00\r\n";

struct LoggerFault {
    const char* name;
    std::vector<std::string> sim_options;
    ImportOutcome outcome;
    int dump_code;  // the library's result; 0 when no dump was tried
};

const LoggerFault kFaults[] = {
    {"dropped_mid_dump", {"--records", "2000", "--drop-after-bytes", "20000"}, ImportOutcome::DumpFailed, 12},
    {"dropped_on_the_dump_command", {"--records", "2000", "--drop-on", "dump"}, ImportOutcome::DumpFailed, 12},
    {"silent_in_the_dump", {"--records", "2000", "--mute", "dump"}, ImportOutcome::DumpFailed, 12},
    {"silent_at_entry", {"--records", "2000", "--mute", "enter"}, ImportOutcome::NotFound, 0},
    {"garbage_acknowledgement", {"--records", "2000", "--ack", "\x13\x7f?!"}, ImportOutcome::NotFound, 0},
};

class LoggerFaults : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = home_folder_.path() + "/";
        fs::remove_all(home_ + "_images");
        fs::create_directories(image());
        write_file(image("011226.gps"), "earlier import");
        write_file(home_ + "dlr4470_dump.tmp", kEarlierDump);
    }
    void TearDown() override { ASSERT_EQ(::chdir("/"), 0); }

    std::string image(const std::string& name = "") const { return home_ + "_images/ZA555BB/" + name; }

    import::ImportResult run_import() {
        NoProgress progress;
        return import::import_from_logger({home_, kVehicle, {}}, [] { return true; }, progress);
    }

    // Nothing stale, nothing lost, nothing erased.
    void expect_nothing_lost(const LoggerSim& sim) {
        EXPECT_EQ(read_file(image("011226.gps")), "earlier import");
        EXPECT_FALSE(file_exists(image("051226.gps"))) << "the earlier reading was imported";
        EXPECT_FALSE(file_exists(home_ + "dlr4470_dump.tmp"));
        for (const std::string& line : sim.log()) EXPECT_EQ(line.rfind("command erase", 0), std::string::npos);
    }

    TempFolder home_folder_;
    std::string home_;
};

TEST_F(LoggerFaults, FailingLoggerEndsWithTheLibrarysCodeAndKeepsEverything) {
    for (const LoggerFault& fault : kFaults) {
        SCOPED_TRACE(fault.name);
        SetUp();
        LoggerSim sim(fault.sim_options);
        const import::ImportResult result = run_import();
        EXPECT_EQ(result.outcome, fault.outcome);
        EXPECT_EQ(result.dump_code, fault.dump_code);
        EXPECT_TRUE(result.day_files.empty());
        if (fault.outcome == ImportOutcome::NotFound) {
            // Not even the card information is rewritten.
            EXPECT_FALSE(file_exists(image("_image.inf")));
            EXPECT_EQ(read_file(home_ + "dlr4470_dump.tmp"), kEarlierDump);
            EXPECT_EQ(read_file(image("011226.gps")), "earlier import");
        } else {
            expect_nothing_lost(sim);
        }
        // A dropped link takes the simulated logger with it; one that is
        // still there has been told to leave dump mode.
        if (fault.sim_options[2] != "--drop-after-bytes" && fault.sim_options[2] != "--drop-on")
            EXPECT_TRUE(sim.logged("exit") || fault.outcome == ImportOutcome::NotFound);
    }
}

// A logger whose memory holds noise instead of records: the library dumps
// what it reads, and the conversion writes day files only under names of
// six digits inside the vehicle's folder.
TEST_F(LoggerFaults, MemoryFullOfNoiseGivesOnlyProperDayFiles) {
    // 64 records of noise, then erased memory (every day file written is
    // synced, so a memory full of noise would take minutes).
    std::mt19937 random(7);
    std::string noise(3997696, '\xFF');
    for (size_t i = 0; i < 64 * 16; ++i) noise[i] = static_cast<char>(random() & 0xFF);
    TempFolder work;
    write_file(work.file("noise.bin"), noise);
    LoggerSim sim({"--db", work.file("noise.bin")});
    const import::ImportResult result = run_import();
    EXPECT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(result.dump_code, 2);
    // The conversion names day files from the fixes' date fields as they
    // are, so noise gives impossible dates too (the card scan never lists
    // them); what matters is that every name is six digits and ".gps".
    const std::regex day_name("[0-9]{6}\\.gps");
    for (const std::string& name : result.day_files)
        EXPECT_TRUE(std::regex_match(name, day_name) || name == import::kNoFixFileName) << name;
    for (const auto& entry : fs::recursive_directory_iterator(home_)) {
        const std::string path = entry.path().string();
        EXPECT_TRUE(path.rfind(image(), 0) == 0 || path + "/" == image() || path == home_ + "_images" ||
                    path == home_ + "dlr4470_dump.tmp")
            << path;
    }
    EXPECT_FALSE(file_exists(image("051226.gps")));
    for (const std::string& line : sim.log()) EXPECT_EQ(line.rfind("command erase", 0), std::string::npos);
}


}  // namespace

// The disk fills while the library writes its stage files or the dump text:
// the dump fails with the library's file code and nothing is imported. The
// raw image is ~3.8 MiB and the text of 100000 records ~7 MiB, so the two
// limits stop the dump in its first stage and in its text stages.
TEST_F(LoggerFaults, DiskFullDuringTheDumpIsAFailedDump) {
    for (const long long limit : {1LL << 20, 5LL << 20}) {
        SCOPED_TRACE(limit);
        SetUp();
        LoggerSim sim({"--records", "100000", "--step", "1"});
        faults::Faults faults;
        faults.file_size_limit = limit;
        faults.obey_permissions = false;
        const int status = faults::run_in_child(
            faults,
            [](void* home) {
                NoProgress progress;
                const import::ImportResult r = import::import_from_logger(
                    {*static_cast<std::string*>(home), kVehicle, {}}, [] { return true; }, progress);
                return static_cast<int>(r.outcome) * 64 + (r.dump_code & 63);
            },
            &home_);
        EXPECT_EQ(status / 64, static_cast<int>(ImportOutcome::DumpFailed)) << status;
        const int code = status % 64;
        EXPECT_TRUE(code == 6 || code == 7 || code == 8) << "library code " << code;
        expect_nothing_lost(sim);
        EXPECT_TRUE(sim.logged("exit"));
    }
}
