// Record analysis of one day file: suspicious records, figures, cells, saving.
#include "analysis/record_analysis.h"
#include "analysis/place_search.h"
#include "analysis/record_save.h"
#include "common/atomic_file.h"
#include "common/io_error.h"
#include "export/scratch_folder.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tripdesk;
using namespace tripdesk::analysis;
using tripdesk::track::DayFileWriter;
using tripdesk::track::Fix;
using tripdesk::track::fix;

namespace {

Fix at(int h, int m, int s) { return fix(15, 3, 2009).time(h, m, s).lat(48.125f).lon(17.25f); }

RecordAnalysis analyse(const std::vector<Fix>& fixes, uint32_t marker = track::kMarkerWithKey) {
    DayFileWriter w(marker);
    for (const auto& f : fixes) w.add(f, 0x78563412);
    return analyze_records(w.bytes(), "150309.GPS", {});
}

TEST(RecordAnalysis, AHeaderOnlyFileHasZeroFigures) {
    const auto a = analyse({});
    EXPECT_EQ(figure_texts(a), (std::array<std::string, 6>{"150309.GPS (0 zápisov)", "0 nájdených", "0 výpadkov",
                                                           "0.00 % (0 satelitov)", "0 (0) km/h", "0 detekovaných"}));
}

TEST(RecordAnalysis, TimeGoingBackIsSuspiciousAndBecomesTheReference) {
    const auto a = analyse({at(10, 0, 0), at(9, 59, 59), at(10, 0, 1), at(10, 0, 0)});
    EXPECT_EQ(a.suspicious, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(a.figures.suspicious, 2);
}

TEST(RecordAnalysis, TheFirstRecordIsComparedWithMidnight) {
    EXPECT_EQ(analyse({at(0, 0, 0)}).suspicious, std::vector<bool>{false});
}

TEST(RecordAnalysis, InvalidFixesAreSuspiciousButCountInTheFigures) {
    const auto a = analyse({at(8, 0, 0).speed(251).new_trip(), at(8, 0, 1).speed(250),
                            at(8, 0, 2).lon(std::nanf("")), at(8, 0, 3).speed(9).new_trip()});
    EXPECT_EQ(a.suspicious, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(a.figures.max_speed, 251);
    EXPECT_EQ(a.figures.average_speed, (251 + 250 + 9) / 4);
    EXPECT_EQ(a.figures.splits, 2);
    EXPECT_EQ(figure_texts(a)[4], "251 (127) km/h");
    EXPECT_EQ(figure_texts(a)[5], "2 detekovaných");
}

TEST(RecordAnalysis, SignalFiguresFromSatellites) {
    const auto a = analyse({at(8, 0, 0).sats(3), at(8, 0, 1).sats(5), at(8, 0, 2).sats(8), at(8, 0, 3).sats(8)});
    EXPECT_EQ(a.figures.outages, 1);
    EXPECT_EQ(figure_texts(a)[2], "1 výpadkov");
    EXPECT_EQ(figure_texts(a)[3], "50.00 % (6 satelitov)");
    EXPECT_EQ(figure_texts(a)[0], "150309.GPS (4 zápisov)");
}

TEST(RecordAnalysis, RowCellsOfBothRecordSizes) {
    const Fix f = at(8, 5, 9).mode(2).priv().new_trip().tag(1).sats(7).course(359).speed(88).trian(262143).alt(16383);
    const RowCells keyed = {"00001", "15/03/09", "08:05:09", "2", "1", "1", "1", "7", "359", "88",
                            "262143", "16383", "48.125000", "17.250000", "12345678"};
    EXPECT_EQ(row_cells(analyse({f}).records[0], 0), keyed);
    RowCells plain = keyed;
    plain[0] = "00002";
    plain[14] = "00000000";
    EXPECT_EQ(row_cells(analyse({f}, track::kMarkerImported).records[0], 1), plain);
}

TEST(RecordAnalysis, AMissingFileOrAFolderShowsNone) {
    tripdesk::testing::ScratchFolder scratch("analysis_missing");
    const auto missing = analyze_day_file_records(scratch.file("150309.GPS"), "150309.GPS", {});
    EXPECT_FALSE(missing.file_found);
    EXPECT_TRUE(missing.records.empty());
    EXPECT_EQ(figure_texts(missing)[0], "[none]");
    scratch.folder("160309.GPS");
    EXPECT_FALSE(analyze_day_file_records(scratch.file("160309.GPS"), "160309.GPS", {}).file_found);
}

TEST(RecordGrid, ColumnWidthsScaleWithTheGrid) {
    EXPECT_EQ(column_widths(1427),
              (std::array<int, kColumnCount>{90, 120, 110, 70, 70, 70, 60, 70, 60, 90, 80, 80, 140, 140, 140}));
    // 10 px per unit: 0.7 x 10 = 7, 1.4 x 10 = 14.
    EXPECT_EQ(column_widths(167)[3], 7);
    EXPECT_EQ(column_headings()[13], "Longtitude");
}

class RecordSaveTest : public ::testing::Test {
protected:
    RecordSaveTest() : scratch_("analysis_save") {}
    tripdesk::testing::ScratchFolder scratch_;
    RecordAnalysis two_records_ = analyse({at(8, 0, 0).sats(7).speed(12).trian(40).alt(300).course(90).tag(1),
                                           at(8, 0, 1).sats(9).speed(130).lon(-7.5f)});
};

TEST_F(RecordSaveTest, CsvHoldsFourteenColumnsAndTheRewrittenDate) {
    const std::string path = save_csv(scratch_.file("det_BA_150309"), two_records_, ".");
    EXPECT_EQ(path, scratch_.file("det_BA_150309.CSV"));
    EXPECT_EQ(read_whole_file(path),
              "00001;15.03.2009;08:00:00;3;0;0;1;7;90;12;40;300;48.125000;17.250000\r\n"
              "00002;15.03.2009;08:00:01;3;0;0;0;9;0;130;0;0;48.125000;-7.500000\r\n");
    EXPECT_EQ(csv_text(two_records_, "-;").substr(6, 10), "15-03-2009");
}

TEST_F(RecordSaveTest, TextListUsesTheDecimalSeparatorAndStillGetsCsv) {
    const std::string path = save_txt(scratch_.file("list.txt"), two_records_, ",");
    EXPECT_EQ(path, scratch_.file("list.txt.CSV"));
    EXPECT_EQ(read_whole_file(path),
              "300,000000  17,250000  90   1   7    12\r\n"
              "  0,000000  -7,500000   0   0   9   130\r\n");
}

TEST_F(RecordSaveTest, OneRecordGivesOneLine) {
    const auto one = analyse({at(8, 0, 0)});
    EXPECT_EQ(csv_text(one, "/").size(), csv_text(one, "/").find("\r\n") + 2);
    EXPECT_EQ(proposed_save_name("NO_CARID", "150309.GPS"), "det_NO_CARID_150309.CSV");
}

TEST_F(RecordSaveTest, AnUncreatableFileIsAnError) {
    EXPECT_THROW(save_csv(scratch_.file("no/such/x"), two_records_, "/"), IoError);
}

}  // namespace

namespace {

// The logbook program's folder with a place map and a names file, as the
// place search finds them beside the logbook output folder.
class PlaceSearchTest : public ::testing::Test {
protected:
    PlaceSearchTest() : scratch_("analysis_places") {
        scratch_.folder("Kniha/KJ_KLM");
        scratch_.folder("Kniha/KJ_GPS");
        std::string map;
        auto word = [&map](uint32_t w) {
            for (int i = 0; i < 4; ++i) map.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
        };
        auto entry = [&](int id, float lon, float lat) {
            word(static_cast<uint32_t>(id));
            word(0);
            word(track::word_from_float(lon));
            word(track::word_from_float(lat));
            word(0);
        };
        entry(824279, 17.0f, 48.0f);
        entry(824280, 21.25f, 48.75f);
        scratch_.touch("Kniha/KJ_KLM/MISTA.MAP", map);
        std::string names;
        // Windows-1250 text: 0x9A is "š".
        for (const std::string name : {"  Bratislava", "Ko\x9A" "ice  "}) {
            std::string record(35, ' ');
            record[0] = static_cast<char>(name.size());
            record.replace(1, name.size(), name);
            names += record;
        }
        scratch_.touch("Kniha/NAZVY.KJ", names);
    }
    tripdesk::testing::ScratchFolder scratch_;
};

TEST_F(PlaceSearchTest, FindsTheNearestPlacesName) {
    const auto a = analyse({at(8, 0, 0).lon(21.0f).lat(48.5f)});
    EXPECT_EQ(nearest_place_name(scratch_.file("Kniha/KJ_GPS"), a.records[0]), "Košice");
    EXPECT_EQ(nearest_place_name(scratch_.file("Kniha/KJ_GPS/"), analyse({at(8, 0, 0)}).records[0]), "Bratislava");
}

TEST_F(PlaceSearchTest, AMissingPlaceMapIsAnError) {
    const auto a = analyse({at(8, 0, 0)});
    EXPECT_THROW(nearest_place_name(scratch_.file("elsewhere/KJ_GPS"), a.records[0]), IoError);
}

}  // namespace
