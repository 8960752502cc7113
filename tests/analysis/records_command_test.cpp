// `tripdesk records`: the figures, the saves and the place search from the
// command line, against the same day file the window would show.
#include "export/run_command.h"
#include "export/scratch_folder.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

using tripdesk::read_whole_file;
using tripdesk::testing::run_tripdesk;
using tripdesk::testing::ScratchFolder;
using tripdesk::track::DayFileWriter;
using tripdesk::track::fix;

namespace {

class RecordsCommandTest : public ::testing::Test {
protected:
    RecordsCommandTest() : scratch_("records_command") {
        DayFileWriter day(tripdesk::track::kMarkerWithKey);
        day.add(fix(15, 3, 2009).time(10, 0, 0).sats(3).speed(10).lat(48.5f).lon(17.25f), 0x78563412);
        day.add(fix(15, 3, 2009).time(9, 59, 59).sats(5).speed(20).new_trip().lat(48.5f).lon(17.25f), 0x78563412);
        day.add(fix(15, 3, 2009).time(10, 0, 1).sats(8).speed(30).lat(48.5f).lon(17.25f), 0x78563412);
        day.add(fix(15, 3, 2009).time(10, 0, 2).sats(8).speed(41).lat(48.5f).lon(17.25f), 0x78563412);
        day_ = scratch_.file("150309.GPS");
        day.save(day_);
    }
    tripdesk::testing::CommandRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", scratch_.folder("home"), "records"});
        return run_tripdesk(args, scratch_.path().string());
    }
    ScratchFolder scratch_;
    std::string day_;
};

TEST_F(RecordsCommandTest, PrintsTheSixFigures) {
    const auto r = run({day_});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Otvorený súbor: 150309.GPS (4 zápisov)\n"
              "Podozrivé záznamy: 1 nájdených\n"
              "Výpadky GPS signálu: 1 výpadkov\n"
              "Priemerná kvalita signálu: 50.00 % (6 satelitov)\n"
              "Maximálna (priemerná) rýchlosť: 41 (25) km/h\n"
              "Počet rozdelení záznamu: 1 detekovaných\n");
}

TEST_F(RecordsCommandTest, JsonCarriesTheRowsAsCellTexts) {
    const auto r = run({day_, "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"lbl_hodsg\":\"50.00 % (6 satelitov)\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[\"00002\",\"15/03/09\",\"09:59:59\",\"3\",\"0\",\"1\",\"0\",\"5\",\"0\",\"20\",\"0\",\"0\","
                         "\"48.500000\",\"17.250000\",\"12345678\"]"),
              std::string::npos)
        << r.out;
}

TEST_F(RecordsCommandTest, SavesWithTheConfiguredSeparators) {
    auto r = run({"--csv", scratch_.file("out"), day_});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = read_whole_file(scratch_.file("out.CSV"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "00001;15/03/2009;10:00:00;3;0;0;0;3;0;10;0;0;48.500000;17.250000");

    r = run_tripdesk({"--home", scratch_.folder("home"), "--set", "FRM_MAIN.CisloDel=,", "--set",
                      "FRM_MAIN.DatumDel=.", "records", day_, "--txt", scratch_.file("list.txt")},
                     scratch_.path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string txt = read_whole_file(scratch_.file("list.txt.CSV"));
    EXPECT_EQ(txt.substr(0, txt.find("\r\n")), "  0,000000  17,250000   0   0   3    10");
}

TEST_F(RecordsCommandTest, AMissingFileFails) {
    const auto r = run({scratch_.file("160309.GPS")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("[none]"), std::string::npos);
}

TEST_F(RecordsCommandTest, PlaceSearchNeedsRecordsAndAValidRow) {
    DayFileWriter(tripdesk::track::kMarkerWithKey).save(scratch_.file("010109.GPS"));
    auto r = run({scratch_.file("010109.GPS"), "--place", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error !!! No tracklog loaded ..."), std::string::npos);
    EXPECT_EQ(run({day_, "--place", "5"}).status, 2);
    EXPECT_EQ(run({day_, "--place", "x"}).status, 2);
    // No place map in the logbook folder: the system's error.
    r = run({"--place", "1", day_});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("MISTA.MAP"), std::string::npos) << r.err;
}

}  // namespace
