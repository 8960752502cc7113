// The database dump through QV_DLR4470_DUMP_DB against the simulated logger:
// ring ordering, line formats, checksums, the stage files and failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include "devlib/dlr4470.h"
#include "devlib/logger_records.h"
#include "devlib/logger_sim_process.h"

using namespace testing_support;

namespace {

class DumpTest : public ::testing::Test {
protected:
    void TearDown() override {
        QV_DLR4470_EXIT_DUMP_MODE();
        // The library leaves the process in the folder of a failed dump.
        ASSERT_EQ(chdir("/"), 0);
    }

    // Starts a logger holding image, enters dump mode and dumps into out.txt.
    int32_t dump(const std::string& image, std::vector<std::string> options = {}) {
        write_file(work_.file("memory.bin"), image);
        options.insert(options.end(), {"--db", work_.file("memory.bin")});
        sim_ = std::make_unique<LoggerSim>(options);
        int32_t port = 0;
        if (QV_DLR4470_AUTO_INTO_DUMP_MODE(&port) != DLR4470_IN_DUMP_MODE) return -1;
        return QV_DLR4470_DUMP_DB(port, output().c_str());
    }
    std::string output() const { return work_.file("out/dump.txt"); }
    std::string headers() const { return gga_header() + rmc_header(); }

    TempFolder work_;
    std::unique_ptr<LoggerSim> sim_;
};

TEST_F(DumpTest, NeverWrappedLoggerGivesItsRecordsInMemoryOrder) {
    std::vector<std::pair<size_t, Fix>> placed;
    std::string expected = headers();
    for (size_t i = 0; i < 40; ++i) {
        placed.emplace_back(i, nth_fix(i));
        expected += expected_lines(nth_fix(i));
    }
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, placed)), DLR4470_DUMP_FINISHED);
    EXPECT_EQ(read_file(output()), expected);
    // The stage files are gone and the process is back in its folder.
    for (const char* leftover : {"DB.sr", "SortDB.sr", "Output_tmp.dat"})
        EXPECT_FALSE(file_exists(work_.file(std::string("out/") + leftover))) << leftover;
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    EXPECT_NE(std::string(cwd), work_.file("out"));
}

TEST_F(DumpTest, WrappedLoggerStartsAfterTheGap) {
    // Records 0..9 are the newest, 10..99 erased, 100..last the oldest.
    const size_t e = 10, u = 100;
    std::vector<std::pair<size_t, Fix>> placed;
    size_t sequence = 0;
    std::string expected = headers();
    for (size_t i = u; i < kSmallDumpRecords; ++i, ++sequence) {
        placed.emplace_back(i, nth_fix(sequence));
        expected += expected_lines(nth_fix(sequence));
    }
    for (size_t i = 0; i < e; ++i, ++sequence) {
        placed.emplace_back(i, nth_fix(sequence));
        expected += expected_lines(nth_fix(sequence));
    }
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, placed)), DLR4470_DUMP_FINISHED);
    const std::string text = read_file(output());
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
    EXPECT_TRUE(checksums_valid(text));
}

TEST_F(DumpTest, FullLoggerGivesAllRecordsInMemoryOrder) {
    std::string image;
    std::string expected = headers();
    image.reserve(kSmallDumpRecords * 16);
    for (size_t i = 0; i < kSmallDumpRecords; ++i) {
        image += record_bytes(nth_fix(i));
        if (i < 3 || i + 3 >= kSmallDumpRecords) expected += expected_lines(nth_fix(i));
    }
    ASSERT_EQ(dump(image), DLR4470_DUMP_FINISHED);
    const std::string text = read_file(output());
    // Two lines per record after the two headers; first and last records in place.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(2 + 2 * kSmallDumpRecords));
    const std::string head = headers() + expected_lines(nth_fix(0)) + expected_lines(nth_fix(1));
    EXPECT_EQ(text.substr(0, head.size()), head);
    const std::string tail = expected_lines(nth_fix(kSmallDumpRecords - 1));
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_TRUE(checksums_valid(text));
}

TEST_F(DumpTest, EmptyLoggerGivesTheHeadersAlone) {
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, {})), DLR4470_DUMP_FINISHED);
    EXPECT_EQ(read_file(output()), headers());
}

TEST_F(DumpTest, FieldFormats) {
    struct Case {
        const char* name;
        Fix fix;
        std::string gga_start, rmc_start, fragment;
    };
    auto with = [](auto change) {
        Fix f;
        change(f);
        return f;
    };
    const std::vector<Case> cases = {
        {"example", Fix{}, "---,$GPGGA,080509.000,4809.1234,N,01706.0500,E,1,08,00.0,152.0,M,00.0,M,,*",
         "---,$GPRMC,080509.000,A,4809.1234,N,01706.0500,E,12.00,0.00,030710,,*", ""},
        {"mark", with([](Fix& f) { f.tag = 0xFE; }), "---,$GPGGA", "!!!,$GPRMC", ""},
        {"tag 0", with([](Fix& f) { f.tag = 0; }), "--0,$GPGGA", "--0,$GPRMC", ""},
        {"tag 42", with([](Fix& f) { f.tag = 42; }), "-42,$GPGGA", "-42,$GPRMC", ""},
        {"tag 200", with([](Fix& f) { f.tag = 200; }), "200,$GPGGA", "200,$GPRMC", ""},
        {"south small", with([](Fix& f) { f.south = true; f.latitude = 481234; }), "", "", ",0048.1234,S,"},
        {"west small", with([](Fix& f) { f.west = true; f.longitude = 5; }), "", "", ",00000.0005,W,"},
        {"negative altitude", with([](Fix& f) { f.altitude = -12; }), "", "", ",-12.0,M,"},
        {"no altitude", with([](Fix& f) { f.altitude = 0xFFFF; }), "", "", ",1,08,00.0,00000,M,"},
    };
    std::vector<std::pair<size_t, Fix>> placed;
    for (size_t i = 0; i < cases.size(); ++i) placed.emplace_back(i, cases[i].fix);
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, placed)), DLR4470_DUMP_FINISHED);
    const std::string text = read_file(output());
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_EQ(lines.size(), 2 + 2 * cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const std::string& gga = lines[2 + 2 * i];
        const std::string& rmc = lines[3 + 2 * i];
        EXPECT_EQ(gga.substr(0, cases[i].gga_start.size()), cases[i].gga_start);
        EXPECT_EQ(rmc.substr(0, cases[i].rmc_start.size()), cases[i].rmc_start);
        EXPECT_NE(gga.find(cases[i].fragment), std::string::npos) << gga;
        EXPECT_EQ(gga + "\r\n" + rmc + "\r\n", expected_lines(cases[i].fix));
    }
    EXPECT_TRUE(checksums_valid(text));
}

TEST_F(DumpTest, SilentLoggerGives12AndLeavesThePartialRawFile) {
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, {{0, Fix{}}}), {"--mute", "dump"}), DLR4470_TIMEOUT);
    EXPECT_TRUE(file_exists(work_.file("out/DB.sr")));
    EXPECT_FALSE(file_exists(output()));
}

TEST_F(DumpTest, PauseInTheTransferEndsItAtTheFirstEmptyBlock) {
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, {{0, Fix{}}}), {"--pause-dump-at", "64000", "--pause-ms", "1500"}),
              DLR4470_TIMEOUT);
    EXPECT_EQ(read_file(work_.file("out/DB.sr")).size(), 64000u);
}

TEST_F(DumpTest, ConnectionDroppedMidDumpGives12) {
    ASSERT_EQ(dump(memory_image(kSmallDumpRecords, {{0, Fix{}}}), {"--drop-after-bytes", "100000"}), DLR4470_TIMEOUT);
    EXPECT_LE(read_file(work_.file("out/DB.sr")).size(), 100032u);
    EXPECT_FALSE(file_exists(output()));
}

TEST_F(DumpTest, FailedDumpLeavesAnEarlierDumpFileWhole) {
    write_file(work_.file("out.txt"), "earlier");
    write_file(work_.file("memory.bin"), memory_image(kSmallDumpRecords, {{0, Fix{}}}));
    LoggerSim sim({"--db", work_.file("memory.bin"), "--mute", "dump"});
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, work_.file("out.txt").c_str()), DLR4470_TIMEOUT);
    EXPECT_EQ(read_file(work_.file("out.txt")), "earlier");
}

TEST_F(DumpTest, PathForms) {
    LoggerSim sim;
    int32_t port = 0;
    ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    // A bare name and a relative path are taken from the current folder.
    ASSERT_EQ(chdir(work_.path().c_str()), 0);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, "bare.txt"), DLR4470_DUMP_FINISHED);
    EXPECT_EQ(read_file(work_.file("bare.txt")), headers());
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, "sub\\rel.txt"), DLR4470_DUMP_FINISHED);
    EXPECT_EQ(read_file(work_.file("sub/rel.txt")), headers());
    // An absolute folder without a file name, no path at all, and a folder
    // that cannot be made all fail before anything is sent.
    const size_t lines = sim.log().size();
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, (work_.path() + "/dir/").c_str()), DLR4470_DUMP_FOLDER_FAILED);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, ""), DLR4470_DUMP_FOLDER_FAILED);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, nullptr), DLR4470_DUMP_FOLDER_FAILED);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, (work_.path() + "/a/b/c.txt").c_str()), DLR4470_DUMP_FOLDER_FAILED);
    EXPECT_EQ(QV_DLR4470_DUMP_DB(0, (work_.path() + "/" + std::string(300, 'x')).c_str()), DLR4470_DUMP_FOLDER_FAILED);
    EXPECT_EQ(sim.log().size(), lines);
}

}  // namespace
