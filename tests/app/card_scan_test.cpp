#include "app/card_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/selection_name.h"
#include "common/atomic_file.h"
#include "common/io_error.h"
#include "recording_progress.h"
#include "track/day_file_writer.h"
#include "app/temp_folder.h"

using namespace tripdesk;
using namespace tripdesk::app;
using namespace tripdesk::track;
using tripdesk::test::RecordingProgress;
using tripdesk::testing::TempFolder;

namespace {
ScanTexts slovak() { return scan_texts(lng_ReloadStrings(kSlovak)); }

// A day file with the given steps (0.1 m) at the given speed; `priv` marks them private.
void write_day(const TempFolder& card, const std::string& name, std::initializer_list<int> steps, int speed,
               bool priv = false, uint32_t marker = kMarkerWithKey) {
    DayFileWriter f(marker);
    for (int s : steps) f.add(fix(1, 1, 2009).speed(speed).trian(s).priv(priv), 0x01020304);
    f.save(card.file(name));
}

CardScanResult scan(const TempFolder& card, int year, int month, bool month_only, bool ignore_private = false,
                    RecordingProgress* progress = nullptr) {
    RecordingProgress local;
    ScanRequest req;
    req.folder = card.path();
    req.year = year;
    req.month = month;
    req.month_only = month_only;
    req.ignore_private = ignore_private;
    return scan_card(req, slovak(), progress ? *progress : local);
}

}  // namespace

TEST(CardScan, RowsShowTheCellsInDateOrder) {
    TempFolder card;
    write_day(card, "150309.GPS", {60000, 63456}, 87);
    write_day(card, "020109.gps", {5000}, 131, true, kMarkerImported);  // lower-case name of an import
    write_day(card, "311209.GPS", {}, 0);
    write_file_atomically(card.file("150309.TXT"), "BA-123AB\r\nsecond line\r\n");
    write_file_atomically(card.file("020109.txt"), "\x8Akoda");  // note written on Windows
    write_file_atomically(card.file("160309.TXT"), "a note without a day file");
    write_day(card, "150308.GPS", {1000}, 10);  // another year

    const auto r = scan(card, 2009, 7, false);
    ASSERT_EQ(r.rows.size(), 3u);
    const GridRow& a = r.rows[0];
    EXPECT_EQ(a.date, "02/01/09");
    EXPECT_EQ(a.file, "020109.gps");
    EXPECT_EQ(a.note, "Škoda");
    EXPECT_EQ(a.distance, "0.50 km");
    EXPECT_EQ(a.max_speed, "131 km/h");
    EXPECT_EQ(a.warning, "Rýchlosť prekročená!");
    const GridRow& b = r.rows[1];
    EXPECT_EQ(b.date, "15/03/09");
    EXPECT_EQ(b.file, "150309.GPS");
    EXPECT_EQ(b.note, "BA-123AB");
    EXPECT_EQ(b.distance, "12.35 km");
    EXPECT_EQ(b.max_speed, "87 km/h");
    EXPECT_EQ(b.warning, "");
    EXPECT_EQ(r.rows[2].date, "31/12/09");
    EXPECT_EQ(r.rows[2].distance, "0.00 km");
    EXPECT_EQ(r.rows[2].max_speed, "0 km/h");
    EXPECT_NEAR(r.total_km, 12.8456, 1e-9);
    EXPECT_EQ(r.total_text, "12.8 km");
    EXPECT_EQ(r.private_text, "0.5 km");
}

TEST(CardScan, MonthOnlyProbesOneMonthWithItsProgress) {
    TempFolder card;
    write_day(card, "010309.GPS", {1000}, 10);
    write_day(card, "310309.GPS", {1000}, 10);
    write_day(card, "280209.GPS", {1000}, 10);
    write_day(card, "010409.GPS", {1000}, 10);
    RecordingProgress p;
    const auto r = scan(card, 2009, 3, true, false, &p);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].file, "010309.GPS");
    EXPECT_EQ(r.rows[1].file, "310309.GPS");
    EXPECT_EQ(p.steps, 31);
    EXPECT_EQ(p.maximums, std::vector<int>{31});
    EXPECT_EQ(p.titles, std::vector<std::string>{"Prebieha analýza záznamov ..."});
    ASSERT_EQ(p.statuses.size(), 3u);
    EXPECT_EQ(p.statuses[0], " - písmeno vybranej jednotky: \"" + card.path() + "\"  ");
    EXPECT_EQ(p.statuses[2], " - analýza záznamu jazdy: \"310309.GPS\" ...");

    RecordingProgress year;
    EXPECT_EQ(scan(card, 2009, 3, false, false, &year).rows.size(), 4u);
    EXPECT_EQ(year.steps, 365);
    EXPECT_EQ(year.maximums, std::vector<int>{365});
    RecordingProgress leap;
    scan(card, 2008, 3, false, false, &leap);
    EXPECT_EQ(leap.steps, 366);  // every day of the year is probed
}

TEST(CardScan, PrivateTotalAndIgnoreSluz) {
    TempFolder card;
    write_day(card, "010309.GPS", {20000, 5000}, 50, true);
    write_day(card, "020309.GPS", {10000}, 50, false);
    EXPECT_EQ(scan(card, 2009, 3, false, false).private_text, "2.5 km");
    const auto ignored = scan(card, 2009, 3, false, true);
    EXPECT_EQ(ignored.private_text, "0.0 km");
    EXPECT_EQ(ignored.total_text, "3.5 km");
}

TEST(CardScan, EmptyCardAndDamagedFiles) {
    TempFolder card;
    const auto empty = scan(card, 2009, 3, false);
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.total_text, "0.0 km");
    EXPECT_EQ(empty.private_text, "0.0 km");
    EXPECT_EQ(count_line(slovak(), 0, 1), "Počet záznamov: 0 (vybraných: 0)");

    // Empty, short and garbage files are listed with what the rules give.
    write_file_atomically(card.file("010309.GPS"), "");
    write_file_atomically(card.file("020309.GPS"), "abc");
    write_file_atomically(card.file("030309.GPS"), std::string(200, '\xFF'));
    const auto damaged = scan(card, 2009, 3, false);
    ASSERT_EQ(damaged.rows.size(), 3u);
    EXPECT_EQ(damaged.rows[0].distance, "0.00 km");
    EXPECT_EQ(damaged.rows[1].distance, "0.00 km");
    EXPECT_EQ(damaged.rows[2].max_speed, "0 km/h");  // speed 2047 is no fix

    // A folder named like a day file is not a day file.
    ::mkdir((card.file("040309.GPS")).c_str(), 0755);
    EXPECT_EQ(scan(card, 2009, 3, false).rows.size(), 3u);
}

TEST(CardScan, MissingFolderIsAnIoError) {
    ScanRequest req;
    req.folder = "/nonexistent/card/";
    RecordingProgress p;
    EXPECT_THROW(scan_card(req, slovak(), p), IoError);
    EXPECT_EQ(unavailable_drive_text("E:\\"), " - jednotka: \"E:\\\"  nieje dostupná !!!");
}

TEST(CardScan, ReportsEachRowAsFound) {
    TempFolder card;
    write_day(card, "010309.GPS", {1000}, 10);
    write_day(card, "050309.GPS", {1000}, 10);
    ScanRequest req;
    req.folder = card.path();
    req.year = 2009;
    RecordingProgress p;
    std::vector<std::string> lines;
    scan_card(req, slovak(), p, [&](const GridRow& row, int found) {
        lines.push_back(row.file + " " + scan_count_line(slovak(), found));
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"010309.GPS Počet záznamov: 1 (vybraných: 1)",
                                               "050309.GPS Počet záznamov: 2 (vybraných: 1)"}));
}
