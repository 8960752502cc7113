// The conversion of the dump text into day files, read back through the
// track library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "devlib/logger_sim_process.h"
#include "import/dump_conversion.h"
#include "track/day_file.h"

using namespace tripdesk;
using testing_support::TempFolder;

namespace {

const char kHeaders[] =
    "Tag,$GPGGA,UTC(hhmmss.sss),Latitude,N/S,Longitude,E/W,Fix quality,Fix quality,Horizontal dilution of "
    "position,Altitude,Height of geoid,,Checksum\r\n"
    "Tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),Date(ddmmyy),,"
    "Checksum\r\n";

struct Line {
    std::string tag = "---";
    std::string time = "080000";
    std::string date = "011226";
    std::string lat = "4809.0000";
    std::string ns = "N";
    std::string lon = "01706.0000";
    std::string ew = "E";
    std::string speed = "10.00";
    std::string course = "0.00";
};

// A GGA line (skipped by the conversion) and the RMC line of a fix.
std::string lines(const Line& l) {
    return l.tag + ",$GPGGA," + l.time + ".000," + l.lat + "," + l.ns + "," + l.lon + "," + l.ew +
           ",1,08,00.0,152.0,M,00.0,M,,*00\r\n" + l.tag + ",$GPRMC," + l.time + ".000,A," + l.lat + "," + l.ns + "," +
           l.lon + "," + l.ew + "," + l.speed + "," + l.course + "," + l.date + ",,*00\r\n";
}

Line at(const std::string& time, const std::string& date = "011226") {
    Line l;
    l.time = time;
    l.date = date;
    return l;
}

class ConversionTest : public ::testing::Test {
protected:
    std::vector<std::string> convert(const std::string& body, import::ConversionOptions options = {}) {
        NoProgress progress;
        return import::convert_dump_text(std::string(kHeaders) + body, folder_.path(), options, progress);
    }
    std::vector<track::Tgps_record> records(const std::string& name) {
        return track::read_records(folder_.file(name), track::DayFileOptions{});
    }
    TempFolder folder_;
};

TEST_F(ConversionTest, FixesOfTwoDaysGiveTwoFilesWithATripStartOnEach) {
    const auto written =
        convert(lines(at("235958")) + lines(at("235959")) + lines(at("000001", "021226")) + lines(at("000002", "021226")));
    EXPECT_EQ(written, (std::vector<std::string>{"011226.gps", "021226.gps"}));
    const auto first = records("011226.gps");
    const auto second = records("021226.gps");
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(first[0].New, 1);
    EXPECT_EQ(first[1].New, 0);
    EXPECT_EQ(second[0].New, 1);
    EXPECT_EQ(second[1].New, 0);
    EXPECT_EQ(second[0].Day, 2);
    EXPECT_EQ(second[0].Hour, 0);
    EXPECT_EQ(second[0].Sec, 1);
    // The header the import writes.
    const std::string bytes = track::read_day_file(folder_.file("021226.gps"));
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x00\x33\x33\x33\x14\x10\x02\x20", 8));
    EXPECT_EQ(bytes.substr(8, 24), std::string(24, '\0'));
    EXPECT_EQ(bytes.size(), 32u + 2 * 20);
}

// A dump whose dates go back (a clock glitch, a ring that wrapped) returns
// to a day it already wrote: that day keeps its earlier fixes too.
TEST_F(ConversionTest, ADayThatComesBackKeepsItsEarlierFixes) {
    const auto written = convert(lines(at("100000")) + lines(at("100001")) + lines(at("110000", "021226")) +
                                 lines(at("120000")));
    EXPECT_EQ(written, (std::vector<std::string>{"011226.gps", "021226.gps"}));
    const auto first = records("011226.gps");
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].Hour, 10);
    EXPECT_EQ(first[1].Hour, 10);
    EXPECT_EQ(first[2].Hour, 12);
    EXPECT_EQ(first[2].New, 1);  // the return is a trip start, as any change of day
    EXPECT_EQ(records("021226.gps").size(), 1u);
}

TEST_F(ConversionTest, HeaderOnlyDumpGivesAnEmptyNoFixFile) {
    EXPECT_EQ(convert(""), std::vector<std::string>{"000000.gps"});
    EXPECT_EQ(track::read_day_file(folder_.file("000000.gps")).size(), 32u);
}

TEST_F(ConversionTest, ReimportReplacesTheDay) {
    testing_support::write_file(folder_.file("011226.gps"), std::string(32 + 20 * 5, 'x'));
    convert(lines(at("100000")));
    EXPECT_EQ(records("011226.gps").size(), 1u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), std::filesystem::directory_iterator()), 1);
}

TEST_F(ConversionTest, FieldsOfTheRecord) {
    Line l = at("171819", "311200");
    l.tag = "!!!";
    l.lat = "4809.1234";
    l.ns = "S";
    l.lon = "01706.0500";
    l.ew = "W";
    l.speed = "12.00";
    l.course = "2.50";
    Line m = at("171820", "311200");
    m.course = "3.50";
    m.speed = "0.27";  // 0.50004 km/h
    convert(lines(l) + lines(m));
    const auto r = records("311200.gps");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Hour, 17);
    EXPECT_EQ(r[0].Min, 18);
    EXPECT_EQ(r[0].Sec, 19);
    EXPECT_EQ(r[0].Day, 31);
    EXPECT_EQ(r[0].Month, 12);
    EXPECT_EQ(r[0].Year, 62);  // the year 00 minus 2, in six bits
    EXPECT_EQ(r[0].Mod, 3);
    EXPECT_EQ(r[0].Sats, 9);
    EXPECT_EQ(r[0].Tag, 1);
    EXPECT_EQ(r[1].Tag, 0);
    EXPECT_EQ(r[0].Speed, 22);  // 12 knots
    EXPECT_EQ(r[1].Speed, 1);
    EXPECT_EQ(r[0].Crs, 2);  // halves go to the even neighbour
    EXPECT_EQ(r[1].Crs, 4);
    EXPECT_FLOAT_EQ(r[0].Lat, -(48.0f + 9.1234f / 60.0f));
    EXPECT_FLOAT_EQ(r[0].Lon, -(17.0f + 6.05f / 60.0f));
    EXPECT_EQ(r[0].Alt, 0);
    EXPECT_EQ(r[0].Sukr, 0);
}

TEST_F(ConversionTest, AbsurdSpeedAndCourseGiveAnInvalidFixNotAFailure) {
    Line l = at("100000");
    l.speed = "99999999999999.5";
    l.course = "88888888888888";
    Line m = at("100001");
    m.speed = "-99999999999999";
    convert(lines(l) + lines(m) + lines(at("100002")));
    const auto r = records("011226.gps");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_FALSE(r[0].Valid);
    EXPECT_GT(r[0].Speed, track::kMaxValidSpeed);
    EXPECT_TRUE(r[2].Valid);
    EXPECT_EQ(r[2].Speed, 19);
}

TEST_F(ConversionTest, WorkingHoursKeepTheLastHourWhole) {
    import::ConversionOptions o;
    o.working_hours_only = true;
    o.first_hour = 7;
    o.last_hour = 17;
    convert(lines(at("065959")) + lines(at("070000")) + lines(at("175959")) + lines(at("180000")), o);
    const auto r = records("011226.gps");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Hour, 7);
    EXPECT_EQ(r[1].Hour, 17);
}

TEST_F(ConversionTest, DistanceStepsAndTheOneKilometreRule) {
    Line a = at("080000"), b = at("080001"), c = at("080002"), d = at("080003");
    a.lat = "4809.0000";
    b.lat = "4809.0600";  // 0.001 degree north: about 111 m
    c.lat = "4809.6000";  // 0.009 degree: about 1.0 km, just over
    d.lat = "4809.6600";
    for (double multiplier : {1.0, 2.0, 0.0}) {
        SCOPED_TRACE(multiplier);
        import::ConversionOptions o;
        o.multiplier = multiplier;
        convert(lines(a) + lines(b) + lines(c) + lines(d), o);
        const auto r = records("011226.gps");
        ASSERT_EQ(r.size(), 4u);
        const double k = multiplier == 0.0 ? 1.0 : multiplier;
        // An arc of 0.001 degree on a 6378 km sphere, in 0.1 m.
        const double step = 6378.0 * (0.001 * M_PI / 180.0) * 10000.0 * k;
        EXPECT_EQ(r[0].Trian, 0);
        EXPECT_NEAR(r[1].Trian, step, 2.0);
        EXPECT_EQ(r[2].Trian, 0);  // more than 1 km
        EXPECT_NEAR(r[3].Trian, step, 2.0);
    }
}

TEST_F(ConversionTest, TimeModeStartsATripAfterTwentySeconds) {
    convert(lines(at("080000")) + lines(at("080019")) + lines(at("080039")) + lines(at("080040")) +
            lines(at("080010")));
    const auto r = records("011226.gps");
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[1].New, 0);  // 19 s
    EXPECT_EQ(r[2].New, 1);  // 20 s
    EXPECT_EQ(r[3].New, 0);
    EXPECT_EQ(r[4].New, 1);  // 30 s back in time
}

TEST_F(ConversionTest, TagModeTakesTheTimeOfTheFixBeforeATag) {
    Line tagged = at("080500");
    tagged.tag = "-42";
    Line marked = at("080600");
    marked.tag = "!!!";
    import::ConversionOptions o;
    o.tag_mode = true;
    // No time rule in tag mode: the 60 s pause starts nothing.
    convert(lines(at("080000")) + lines(at("080100")) + lines(tagged) + lines(marked) + lines(at("080700")), o);
    const auto r = records("011226.gps");
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[1].New, 0);
    EXPECT_EQ(r[2].Min, 1);  // the time of the fix before
    EXPECT_EQ(r[3].Min, 1);
    EXPECT_EQ(r[3].Tag, 1);
    EXPECT_EQ(r[4].New, 1);  // first untagged fix after tags
    EXPECT_EQ(r[4].Min, 7);
}

TEST_F(ConversionTest, ProgressFollowsTheFilePosition) {
    struct Recorder : Progress {
        std::vector<int> positions;
        int pumps = 0;
        void position(int p) override { positions.push_back(p); }
        void pump() override { ++pumps; }
    } progress;
    std::string body;
    for (int i = 0; i < 100; ++i) body += lines(at("08" + std::string(i / 10 < 6 ? "0" : "1") + "000"));
    import::convert_dump_text(std::string(kHeaders) + body, folder_.path(), {}, progress);
    ASSERT_FALSE(progress.positions.empty());
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    EXPECT_EQ(progress.positions.back(), 100);
    EXPECT_GT(progress.pumps, 3);
}

}  // namespace
