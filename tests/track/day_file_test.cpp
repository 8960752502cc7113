#include "track/day_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "common/io_error.h"
#include "track/day_file_writer.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace tripdesk::track;

namespace {

// Three distinct records so a shift by one word would show.
std::vector<Fix> three_fixes() {
    return {fix(15, 3, 2009).time(8, 0, 0).speed(10).trian(100).lon(17.1f).lat(48.1f).new_trip(),
            fix(15, 3, 2009).time(8, 0, 5).speed(20).trian(200).lon(17.2f).lat(48.2f),
            fix(15, 3, 2009).time(8, 0, 9).speed(30).trian(300).lon(17.3f).lat(48.3f).priv()};
}

}  // namespace

TEST(DayFileRecordSize, MarkerAndForce20byteDecideTheRecordSize) {
    struct Case {
        uint32_t marker;
        bool force;
        int size;
    } cases[] = {
        {kMarkerWithKey, false, 24}, {kMarkerWithKey, true, 20},   {kMarkerImported, false, 20},
        {0, false, 20},              {0x33333312, false, 20},      {kMarkerImported, true, 20},
    };
    for (const auto& c : cases) {
        DayFileWriter f(c.marker);
        EXPECT_EQ(record_size(f.bytes(), c.force), c.size) << std::hex << c.marker << " force " << c.force;
    }
    EXPECT_EQ(record_size("", false), 20);
    EXPECT_EQ(record_size(std::string_view("\x11\x33\x33", 3), false), 20);
}

TEST(DayFileReading, TwentyFourByteFileRoundTripsWithKeys) {
    DayFileWriter f(kMarkerWithKey);
    const auto fixes = three_fixes();
    const uint32_t keys[] = {0x78563412, 0, 0xFFFFFFFF};
    for (size_t i = 0; i < fixes.size(); ++i) f.add(fixes[i], keys[i]);
    ASSERT_EQ(f.size(), 32u + 3 * 24);

    const auto recs = decode_records(f.bytes(), {});
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].Dallas, "12345678");
    EXPECT_EQ(recs[1].Dallas, "00000000");
    EXPECT_EQ(recs[2].Dallas, "ffffffff");
    for (size_t i = 0; i < 3; ++i) {
        Tgps_record expected = fixes[i].r;
        expected.Dallas = recs[i].Dallas;
        expected.Valid = true;
        EXPECT_EQ(recs[i], expected) << i;
    }
}

TEST(DayFileReading, Force20byteReadsKeyedFileInFiveWordSteps) {
    DayFileWriter f(kMarkerWithKey);
    for (const auto& x : three_fixes()) f.add(x, 0xAABBCCDD);
    const auto recs = decode_records(f.bytes(), {1.0, true});
    // 72 bytes of records read as 20-byte records: three whole ones and a
    // partial fourth of 12 bytes.
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[0].Speed, 10);
    EXPECT_EQ(recs[0].Dallas, "00000000");
    // The second "record" starts at the first key word.
    EXPECT_EQ(recs[1].Speed, static_cast<int>(w1_speed(0xAABBCCDD)));
}

TEST(DayFileReading, ImportedMarkerGivesTwentyByteRecords) {
    DayFileWriter f(kMarkerImported);
    for (const auto& x : three_fixes()) f.add(x, 0x12345678);  // key is not written
    ASSERT_EQ(f.size(), 32u + 3 * 20);
    const auto recs = decode_records(f.bytes(), {});
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[2].Speed, 30);
    EXPECT_EQ(recs[2].Sukr, 1);
    EXPECT_EQ(recs[2].Dallas, "00000000");
}

TEST(DayFileReading, ShortFilesHoldNoRecords) {
    const std::string header = DayFileWriter(kMarkerWithKey).bytes();
    for (size_t n = 0; n <= 32; ++n)
        EXPECT_TRUE(decode_records(header.substr(0, n), {}).empty()) << n << " bytes";
    // Trailing bytes short of one word are ignored.
    EXPECT_TRUE(decode_records(header + "\x01\x02\x03", {}).empty());
}

TEST(DayFileReading, PartialFinalRecordKeepsThePreviousRecordsWords) {
    DayFileWriter full(kMarkerWithKey);
    const auto fixes = three_fixes();
    full.add(fixes[0], 0x11111111).add(fixes[1], 0x22222222);
    // Third record cut after W2 (plus two stray bytes of W3).
    const RawRecord third = encode_record(fixes[2].r, 0x33333333);
    DayFileWriter cut = full;
    cut.word(third.w1).word(third.w2).raw(std::string_view("\x01\x02", 2));

    const auto recs = decode_records(cut.bytes(), {});
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[2].Speed, 30);         // W1 from the cut record
    EXPECT_EQ(recs[2].Trian, 300);        // W2 from the cut record
    EXPECT_EQ(recs[2].Sec, 5);            // W3 kept from the second record
    EXPECT_FLOAT_EQ(recs[2].Lon, 17.2f);  // W4, W5 kept too
    EXPECT_EQ(recs[2].Dallas, "22222222");

    // A partial first record takes zeros for its missing words.
    DayFileWriter lone(kMarkerImported);
    lone.word(encode_status(0, 1, 55, 0, 9, 0, 0));
    const auto one = decode_records(lone.bytes(), {});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Speed, 55);
    EXPECT_EQ(one[0].Trian, 0);
    EXPECT_EQ(one[0].Lon, 0.0f);
}

TEST(DayFileReading, GarbageDecodesWithoutFailing) {
    std::string junk;
    uint32_t x = 0x9E3779B9;
    for (int i = 0; i < 4001; ++i) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        junk.push_back(static_cast<char>(x));
    }
    const auto recs = decode_records(junk, {});
    EXPECT_EQ(recs.size(), (4001 / 4 - 8 + 4) / 5);
}

TEST(DayFileReading, MissingFileThrowsIoErrorWithThePath) {
    try {
        read_records("/nonexistent/dir/150309.GPS", {});
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/dir/150309.GPS"), std::string::npos);
    }
}

TEST(DayFileDecode, StatusWordFields) {
    // 0x7D8: speed 251; 0x7D0: speed 250, New 0, Mod 0.
    const uint32_t t = encode_time(7, 3, 15, 12, 0, 0);
    const float lon = 17.0f, lat = 48.0f;
    auto r251 = decode_record(0x000007D8, 0, t, word_from_float(lon), word_from_float(lat), 0);
    EXPECT_EQ(r251.Speed, 251);
    EXPECT_EQ(r251.New, 0);
    EXPECT_EQ(r251.Mod, 0);
    EXPECT_FALSE(r251.Valid);
    auto r250 = decode_record(0x000007D0, 0, t, word_from_float(lon), word_from_float(lat), 0);
    EXPECT_EQ(r250.Speed, 250);
    EXPECT_TRUE(r250.Valid);

    const uint32_t w1 = encode_status(2, 1, 2047, 359, 31, 1, 3);
    const auto r = decode_record(w1, encode_distance(16383, 262143), t, 0, 0, 0);
    EXPECT_EQ(r.Mod, 2);
    EXPECT_EQ(r.New, 1);
    EXPECT_EQ(r.Speed, 2047);
    EXPECT_EQ(r.Crs, 359);
    EXPECT_EQ(r.Sats, 31);
    EXPECT_EQ(r.Sukr, 1);
    EXPECT_EQ(r.Tag, 3);
    EXPECT_EQ(r.Alt, 16383);
    EXPECT_EQ(r.Trian, 262143);
    EXPECT_EQ(w1 >> 31, 0u);
}

TEST(DayFileDecode, TimeWordFieldsAndAccessors) {
    const uint32_t w3 = encode_time(7, 3, 15, 23, 59, 58);
    const auto r = decode_record(0, 0, w3, 0, 0, 0);
    EXPECT_EQ(r.Year, 7);
    EXPECT_EQ(calendar_year(r), 2009);
    EXPECT_EQ(years_since_1900(r), 109);
    EXPECT_EQ(two_digit_year(r), 9);
    EXPECT_EQ(month_index(r), 2);
    EXPECT_EQ(r.Day, 15);
    EXPECT_EQ(time_of_day(r), 23 * 3600 + 59 * 60 + 58);
    EXPECT_EQ(w3_year_since_1900(w3), 109);
    EXPECT_EQ(w3_month_index(w3), 2);
    EXPECT_EQ(w3_day(w3), 15u);
    EXPECT_EQ(w3_hour(w3), 23u);
    EXPECT_EQ(w3_minute(w3), 59u);
    EXPECT_EQ(w3_second(w3), 58u);
    EXPECT_EQ(w3_time_of_day(w3), time_of_day(r));
    EXPECT_EQ(w3_year_since_1900(encode_time(63, 12, 31, 0, 0, 0)), 165);
    EXPECT_TRUE(record_matches_file_name(r, "150309.GPS"));
    EXPECT_EQ(day_file_name(r.Day, r.Month, two_digit_year(r)), "150309.GPS");
}

TEST(DayFileDecode, KeyTextIsBytesInFileOrder) {
    EXPECT_EQ(key_text(0x78563412), "12345678");
    EXPECT_EQ(key_text(0), "00000000");
    EXPECT_EQ(key_text(0x0A0B0C0D), "0d0c0b0a");
}

TEST(DayFileDecode, DistanceAccessorAndContribution) {
    const uint32_t w2 = encode_distance(100, 12345);
    EXPECT_EQ(w2_distance_units(w2), 12345u);
    EXPECT_DOUBLE_EQ(w2_distance_units_f(w2), 12345.0);
    EXPECT_EQ(w2_altitude(w2), 100u);
    const auto r = decode_record(0, w2, 0, 0, 0, 0);
    EXPECT_DOUBLE_EQ(distance_contribution(r, {}) / kUnitsPerKm, 1.2345);
}

TEST(DayFileValidity, RuleCases) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        int speed, hour, min, sec;
        float lon, lat;
        bool valid;
    } cases[] = {
        {0, 0, 0, 0, 17.f, 48.f, true},    {250, 23, 59, 59, 17.f, 48.f, true},
        {251, 12, 0, 0, 17.f, 48.f, false}, {50, 24, 0, 0, 17.f, 48.f, false},
        {50, 12, 60, 0, 17.f, 48.f, false}, {50, 12, 0, 60, 17.f, 48.f, false},
        {50, 12, 0, 0, nan, 48.f, false},   {50, 12, 0, 0, 17.f, nan, false},
        {50, 12, 0, 0, 17.f, inf, true},    {50, 12, 0, 0, -inf, 48.f, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(is_valid_fix(c.speed, c.hour, c.min, c.sec, c.lon, c.lat), c.valid)
            << c.speed << " " << c.hour << ":" << c.min << ":" << c.sec << " " << c.lon << " " << c.lat;
        const uint32_t w1 = encode_status(0, 0, static_cast<uint32_t>(c.speed), 0, 0, 0, 0);
        const uint32_t w3 = encode_time(7, 3, 15, static_cast<uint32_t>(c.hour), static_cast<uint32_t>(c.min),
                                        static_cast<uint32_t>(c.sec));
        EXPECT_EQ(decode_record(w1, 0, w3, word_from_float(c.lon), word_from_float(c.lat), 0).Valid, c.valid);
    }
}

TEST(DayFileSequence, EveryRecordBecomesThePreviousOne) {
    TimeSequence seq(0);
    EXPECT_TRUE(seq.follows(100));
    EXPECT_TRUE(seq.follows(100));   // equal time is fine
    EXPECT_FALSE(seq.follows(50));   // goes back
    EXPECT_TRUE(seq.follows(60));    // compared with the rejected 50, not with 100
    TimeSequence from_noon(12 * 3600);
    EXPECT_FALSE(from_noon.follows(3600));
}

TEST(DayFileDateRule, FileNameMustMatchTheRecordDate) {
    const auto r = decode_record(0, 0, encode_time(7, 3, 15, 8, 0, 0), 0, 0, 0);
    EXPECT_TRUE(record_matches_file_name(r, "150309.GPS"));
    EXPECT_TRUE(record_matches_file_name(r, "150309.gps"));
    EXPECT_TRUE(record_matches_file_name(r, "/media/card/150309.GPS"));
    EXPECT_TRUE(record_matches_file_name(r, "E:\\150309.GPS"));
    EXPECT_FALSE(record_matches_file_name(r, "160309.GPS"));
    EXPECT_FALSE(record_matches_file_name(r, "150310.GPS"));
    EXPECT_FALSE(record_matches_file_name(r, "1503"));
}

TEST(DayFileWriterTest, SavesAtomicallyAndReadsBack) {
    const fs::path dir = fs::temp_directory_path() / ("tripdesk_track_writer" + std::to_string(::getpid()));
    fs::create_directories(dir);
    DayFileWriter f(kMarkerWithKey);
    for (const auto& x : three_fixes()) f.add(x, 0x01020304);
    const std::string path = (dir / "150309.GPS").string();
    f.save(path);
    EXPECT_EQ(read_day_file(path), f.bytes());
    EXPECT_EQ(read_records(path, {}).size(), 3u);
    EXPECT_EQ(load_le32(f.bytes().data() + 4), kImportFormatStamp);
    fs::remove_all(dir);
}
