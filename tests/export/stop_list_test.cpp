// The stop list over day files built word by word, with a recording lookup
// in place of the web service.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "export/mail_recording_progress.h"
#include "export/servers/local_server.h"
#include "export/stop_list.h"
#include "track/day_file_writer.h"

namespace tripdesk::stops {
namespace {

using tripdesk::testing::read_text;
using tripdesk::testing::RecordingProgress;
using tripdesk::testing::TempDir;
using track::DayFileWriter;
using track::fix;

struct Lookup {
    std::string key;
    int pause_ms;
    double lat, lon;
};

class RecordingLookup final : public geo::AddressLookup {
public:
    std::vector<Lookup> asked;
    std::string reply;  // empty: "Adresa <n>"
    std::string address(const std::string& key, int pause_ms, double lat, double lon) override {
        asked.push_back({key, pause_ms, lat, lon});
        return reply.empty() ? "Adresa " + std::to_string(asked.size()) : reply;
    }
};

const std::string kTitleHeader =
    "\"Poradie\";\"Dátum\";\"Začiatok\";\"Koniec\";\"Čas státia\";\"Sekúnd\";\"Čas jazdy\";\"Sekúnd\";"
    "\"Trasa [km]\";\"Sukr. [km]\";\"Priem [km/h]\";\"Max [km/h]\";\"Adresa miesta zastavenia\"\r\n";
const std::string kEmpty = "\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n";

// The rows of the file between the header block and the end, one per line.
std::vector<std::string> stop_rows(const std::string& csv) {
    std::vector<std::string> rows;
    std::istringstream in(csv);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        if (++n <= 3) continue;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(line);
    }
    return rows;
}

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

class StopList : public ::testing::Test {
protected:
    TempDir dir;
    StopListOptions options;
    RecordingLookup lookup;
    RecordingProgress progress;

    std::string run(const std::vector<StopListRow>& rows, const std::string& name = "stops.CSV") {
        write_stop_list(dir.path() + name, "BA-123AB", dir.path(), rows, options, lookup, progress);
        return read_text(dir.path() + name);
    }
};

// 15 March 2009: departure at 08:00, a trip, a 10-minute stop, a stop of
// exactly the threshold, an invalid record with speed 300, the last record.
DayFileWriter march_15() {
    DayFileWriter f(track::kMarkerWithKey);
    f.add(fix(15, 3, 2009).time(8, 0, 0).new_trip().speed(0).trian(0).lat(48.10f).lon(17.10f));
    f.add(fix(15, 3, 2009).time(8, 10, 0).speed(60).trian(50000).lat(48.20f).lon(17.20f));
    f.add(fix(15, 3, 2009).time(8, 20, 0).speed(40).trian(30000).lat(48.30f).lon(17.30f));
    f.add(fix(15, 3, 2009).time(8, 30, 0).new_trip().speed(0).trian(0).lat(48.31f).lon(17.31f));
    f.add(fix(15, 3, 2009).time(8, 31, 50).new_trip().speed(10).trian(1000).lat(48.40f).lon(17.40f));
    f.add(fix(15, 3, 2009).time(8, 35, 0).speed(300).trian(500).lat(48.45f).lon(17.45f));
    f.add(fix(15, 3, 2009).time(8, 40, 0).speed(20).trian(2000).lat(48.50f).lon(17.50f));
    return f;
}

TEST_F(StopList, RowsOfADayWithTitleHeaderAndSeparators) {
    march_15().save(dir.path() + "150309.GPS");
    options.service_key = "KEY";
    const std::string csv = run({{"15/03/09", "150309.GPS"}});

    EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2),
              "\"Zoznam zastavení pre vozidlo: BA-123AB (" + dir.path() + "stops.CSV)\"\r\n");
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2, kTitleHeader.size() + kEmpty.size()), kTitleHeader + kEmpty);
    EXPECT_EQ(stop_rows(csv), (std::vector<std::string>{
                                  // First row: arrival 00:00:00, stop = time of day of the departure.
                                  "001;15/03/2009;00:00:00;09:00:00;09:00:00;32400;00:00:00;0;0.00;0.00;0;0;\"Adresa 1\"",
                                  "002;15/03/2009;09:20:00;09:30:00;00:10:00;600;00:20:00;1200;8.00;0.00;33;60;\"Adresa 2\"",
                                  // The 110 s stop at 09:31:50 is not listed; speed 300 counts.
                                  "003;15/03/2009;09:31:50;09:40:00;00:08:10;490;00:01:50;110;0.35;0.00;110;300;\"Adresa 3\"",
                                  "\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"",
                              }));
    ASSERT_EQ(lookup.asked.size(), 3u);
    EXPECT_EQ(lookup.asked[0].key, "KEY");
    EXPECT_EQ(lookup.asked[0].pause_ms, 100);
    // Each stop is looked up where the trip before it ended.
    EXPECT_FLOAT_EQ(lookup.asked[0].lat, 48.10f);
    EXPECT_FLOAT_EQ(lookup.asked[1].lat, 48.30f);
    EXPECT_FLOAT_EQ(lookup.asked[1].lon, 17.30f);
    // An invalid record (speed 300) does not move the stop position.
    EXPECT_FLOAT_EQ(lookup.asked[2].lat, 48.40f);
    EXPECT_EQ(progress.titles, std::vector<std::string>{"Export zoznamu zastávok ..."});
    EXPECT_EQ(progress.statuses.front(), " - spracovanie súboru: \"" + dir.path() + "150309.GPS\" ...");
    EXPECT_EQ(progress.statuses.at(1), " - reverzný geocoding Google Maps: 15/03/2009 zastavenie č: 1 ...");
    EXPECT_EQ(progress.last_status(), " - exportovanie zoznamu zastavení dokončené ...");
}

TEST_F(StopList, StopOfExactlyTheThresholdIsNotListedOneSecondMoreIs) {
    const struct {
        int stop_seconds;
        size_t rows;  // first row, the stop when listed, the last record
    } cases[] = {{110, 2}, {111, 3}};
    for (const auto& c : cases) {
        DayFileWriter f(track::kMarkerImported);
        f.add(fix(2, 1, 2010).time(10, 0, 0).speed(30).lat(48.f).lon(17.f));
        f.add(fix(2, 1, 2010).time(10, 5, 0).speed(30).trian(100).lat(48.1f).lon(17.1f));
        f.add(fix(2, 1, 2010).time(10, 5, 0).new_trip().speed(0).lat(48.1f).lon(17.1f));
        f.add(fix(2, 1, 2010).time(10, 5 + c.stop_seconds / 60, c.stop_seconds % 60).new_trip().speed(0).lat(48.1f).lon(17.1f));
        f.add(fix(2, 1, 2010).time(10, 20, 0).speed(50).trian(100).lat(48.2f).lon(17.2f));
        f.save(dir.path() + "020110.GPS");
        const auto rows = stop_rows(run({{"02/01/10", "020110.GPS"}}));
        EXPECT_EQ(rows.size(), c.rows + 1) << c.stop_seconds;  // + the empty row
        if (c.rows == 3) {
            EXPECT_TRUE(starts_with(rows[1], "002;02/01/2010;11:05:00;11:06:51;00:01:51;111;")) << rows[1];
        }
    }
}

TEST_F(StopList, InvalidLastRecordWritesNoClosingRow) {
    DayFileWriter f(track::kMarkerImported);
    f.add(fix(3, 1, 2010).time(7, 0, 0).speed(10).lat(48.f).lon(17.f));
    f.add(fix(3, 1, 2010).time(7, 30, 0).speed(10).trian(100).lat(48.f).lon(17.f));
    f.add(fix(3, 1, 2010).time(7, 20, 0).speed(10).trian(100).lat(48.f).lon(17.f));  // goes back in time
    f.save(dir.path() + "030110.GPS");
    const auto rows = stop_rows(run({{"03/01/10", "030110.GPS"}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(0, 3), "001");
    EXPECT_EQ(rows[1], kEmpty.substr(0, kEmpty.size() - 2));
}

TEST_F(StopList, RecordsOfAnotherDateOrOutOfRangeTimesAreInvalid) {
    DayFileWriter f(track::kMarkerImported);
    f.add(fix(4, 1, 2010).time(6, 0, 0).speed(10).lat(48.f).lon(17.f));
    f.add(fix(5, 1, 2010).time(7, 0, 0).speed(10).lat(48.f).lon(17.f));   // another day's file
    f.add(fix(4, 1, 2010).time(23, 60, 0).speed(10).lat(48.f).lon(17.f));  // minute 60
    f.save(dir.path() + "040110.GPS");
    const auto rows = stop_rows(run({{"04/01/10", "040110.GPS"}}));
    EXPECT_EQ(rows.size(), 2u);  // the first row only, no closing row
}

TEST_F(StopList, NumbersRestartPerFileAndSeparatorsAndCoefficientFollowTheSettings) {
    for (int day : {6, 7}) {
        DayFileWriter f(track::kMarkerImported);
        f.add(fix(day, 1, 2010).time(9, 0, 0).speed(40).lat(48.f).lon(17.f));
        f.add(fix(day, 1, 2010).time(9, 30, 0).speed(41).trian(123456).priv().lat(48.1f).lon(17.1f));
        f.save(dir.path() + track::day_file_name(day, 1, 10));
    }
    options.date_separator = ".";
    options.decimal_separator = ",;";
    options.time_offset_half_hours = 0;
    options.day_file.koeficient = 2.0;
    const auto rows = stop_rows(run({{"06/01/10", "060110.GPS"}, {"07/01/10", "070110.GPS"}}));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].substr(0, 15), "001;06.01.2010;");
    // The private flag changes at 09:30: a stop row (of the last record too).
    EXPECT_EQ(rows[1], "002;06.01.2010;09:00:00;09:30:00;00:30:00;1800;00:00:00;0;24,69;24,69;41;41;\"Adresa 2\"");
    EXPECT_EQ(rows[3].substr(0, 15), "001;07.01.2010;");
    EXPECT_EQ(rows[4].substr(0, 4), "002;");
}

TEST_F(StopList, PrivateStopGetsItsTextWithoutALookupWhenPrivateTripsCount) {
    DayFileWriter f(track::kMarkerImported);
    f.add(fix(8, 1, 2010).time(9, 0, 0).speed(40).lat(48.f).lon(17.f));
    f.add(fix(8, 1, 2010).time(9, 30, 0).speed(40).trian(100).priv().lat(48.1f).lon(17.1f));
    f.add(fix(8, 1, 2010).time(10, 0, 0).speed(40).trian(100).lat(48.2f).lon(17.2f));
    f.save(dir.path() + "080110.GPS");
    options.ignore_private = false;
    const auto rows = stop_rows(run({{"08/01/10", "080110.GPS"}}));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NE(rows[1].find(";\"Súkromná jazda !!!\""), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find(";\"Adresa 2\""), std::string::npos) << rows[2];
    EXPECT_EQ(lookup.asked.size(), 2u);
}

TEST_F(StopList, ShortTripsMakeNoStopWhenIgnored) {
    auto day = [&] {
        DayFileWriter f(track::kMarkerImported);
        f.add(fix(9, 1, 2010).time(9, 0, 0).speed(40).lat(48.f).lon(17.f));
        f.add(fix(9, 1, 2010).time(9, 10, 0).speed(40).trian(29999).lat(48.1f).lon(17.1f));
        f.add(fix(9, 1, 2010).time(9, 30, 0).new_trip().speed(0).lat(48.1f).lon(17.1f));
        f.add(fix(9, 1, 2010).time(9, 40, 0).speed(40).trian(50000).lat(48.2f).lon(17.2f));
        f.add(fix(9, 1, 2010).time(10, 0, 0).new_trip().speed(0).lat(48.2f).lon(17.2f));
        f.add(fix(9, 1, 2010).time(10, 10, 0).speed(40).lat(48.3f).lon(17.3f));
        return f;
    };
    day().save(dir.path() + "090110.GPS");
    options.ignore_short_trips = true;
    const auto rows = stop_rows(run({{"09/01/10", "090110.GPS"}}));
    // First row, the stop at 10:00 after 8 km (the 3 km trip ran on), the last record.
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(starts_with(rows[1], "002;09/01/2010;10:40:00;11:00:00;00:20:00;1200;")) << rows[1];
    EXPECT_NE(rows[1].find(";8.00;"), std::string::npos) << rows[1];
    options.ignore_short_trips = false;
    EXPECT_EQ(stop_rows(run({{"09/01/10", "090110.GPS"}})).size(), 5u);
}

TEST_F(StopList, ShiftAcrossMidnightKeepsStopLengths) {
    DayFileWriter f(track::kMarkerImported);
    f.add(fix(10, 1, 2010).time(22, 50, 0).speed(40).lat(48.f).lon(17.f));
    f.add(fix(10, 1, 2010).time(23, 5, 0).new_trip().speed(0).lat(48.f).lon(17.f));
    f.add(fix(10, 1, 2010).time(23, 30, 0).speed(40).lat(48.f).lon(17.f));
    f.save(dir.path() + "100110.GPS");
    const auto rows = stop_rows(run({{"10/01/10", "100110.GPS"}}));  // +1 hour
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(starts_with(rows[1], "002;10/01/2010;23:50:00;00:05:00;00:15:00;900;")) << rows[1];
}

TEST_F(StopList, AddressesCannotRunAsFormulasOrBreakTheCell) {
    const struct {
        const char* address;
        const char* cell;
    } cases[] = {
        {"Hlavná 1, Bratislava", "\"Hlavná 1, Bratislava\""},
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+421", "\"'+421\""},
        {"-1", "\"'-1\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"a \"b\"", "\"a \"\"b\"\"\""},
    };
    DayFileWriter f(track::kMarkerImported);
    f.add(fix(11, 1, 2010).time(9, 0, 0).speed(40).lat(48.f).lon(17.f));
    f.save(dir.path() + "110110.GPS");
    for (const auto& c : cases) {
        lookup.reply = c.address;
        const auto rows = stop_rows(run({{"11/01/10", "110110.GPS"}}));
        const std::string& row = rows.at(0);
        EXPECT_EQ(row.substr(row.size() - std::string(c.cell).size()), c.cell) << row;
    }
}

TEST_F(StopList, FileThatCannotBeCreatedGivesTheAccessErrorText) {
    try {
        run({}, "no-such-folder/stops.CSV");
        FAIL() << "no error";
    } catch (const StopListFileError& e) {
        EXPECT_STREQ(e.what(), "Chyba prístupu k súboru !!!\r\nZatvorte EXCEL ak je otvorený.");
    }
}

TEST_F(StopList, UnreadableDayFileKeepsTheOlderListAndStopsTheRun) {
    march_15().save(dir.path() + "150309.GPS");
    const std::string good = run({{"15/03/09", "150309.GPS"}});
    EXPECT_THROW(run({{"15/03/09", "150309.GPS"}, {"16/03/09", "160309.GPS"}}), IoError);
    EXPECT_EQ(read_text(dir.path() + "stops.CSV"), good);
}

}  // namespace
}  // namespace tripdesk::stops
