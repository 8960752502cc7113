#include "track/day_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "track/day_file_writer.h"

using namespace tripdesk::track;

namespace {
Fix day() { return fix(15, 3, 2009).time(10, 0, 0).lon(17.1f).lat(48.1f); }
}  // namespace

TEST(AnalyzeDayFile, EmptyAndShortFilesGiveZeroSummary) {
    for (size_t n : {0, 1, 31, 32}) {
        const auto z = analyze_day_bytes(DayFileWriter(kMarkerWithKey).bytes().substr(0, n), {});
        EXPECT_EQ(z, Tgps_zaznam{}) << n;
    }
}

TEST(AnalyzeDayFile, SpeedLimitStepLimitAndWarning) {
    struct Case {
        const char* what;
        int speed;
        int trian;
        double km;
        int max;
        bool warning;
    } cases[] = {
        {"not a fix", 251, 5000, 0.0, 0, false},
        {"fastest valid", 250, 5000, 0.5, 250, true},
        {"130 no warning", 130, 5000, 0.5, 130, false},
        {"131 warning", 131, 5000, 0.5, 131, true},
        {"jump dropped, speed kept", 90, 100000, 0.0, 90, false},
        {"just under 10 km", 90, 99999, 9.9999, 90, false},
    };
    for (const auto& c : cases) {
        DayFileWriter f(kMarkerImported);
        f.add(day().speed(c.speed).trian(c.trian));
        const auto z = analyze_day_bytes(f.bytes(), {});
        EXPECT_NEAR(z.Prejd, c.km, 1e-12) << c.what;
        EXPECT_EQ(z.MaxRych, c.max) << c.what;
        EXPECT_EQ(z.Pozn, c.warning ? "Rýchlosť prekročená!" : "") << c.what;
    }
}

TEST(AnalyzeDayFile, PrivateSumAndCoefficient) {
    DayFileWriter f(kMarkerWithKey);
    for (int i = 0; i < 10; ++i) f.add(day().speed(50).trian(1000).priv(i < 4), 0xFFFFFFFF);
    const auto z = analyze_day_bytes(f.bytes(), {1.05, false});
    EXPECT_NEAR(z.Prejd, 1.05, 1e-12);
    EXPECT_NEAR(z.PrejdSukr, 0.42, 1e-12);
    EXPECT_EQ(z.MaxRych, 50);

    // The coefficient applies before the 10 km step limit.
    DayFileWriter g(kMarkerImported);
    g.add(day().speed(50).trian(96000));
    EXPECT_NEAR(analyze_day_bytes(g.bytes(), {1.0, false}).Prejd, 9.6, 1e-12);
    EXPECT_EQ(analyze_day_bytes(g.bytes(), {1.05, false}).Prejd, 0.0);
}

TEST(AnalyzeDayFile, BrokenTimeAndPositionStillCount) {
    DayFileWriter f(kMarkerImported);
    f.add(day().time(24, 60, 60).lon(std::numeric_limits<float>::quiet_NaN()).speed(70).trian(2500));
    const auto z = analyze_day_bytes(f.bytes(), {});
    EXPECT_NEAR(z.Prejd, 0.25, 1e-12);
    EXPECT_EQ(z.MaxRych, 70);
}

TEST(AnalyzeDayFile, KeyWordIsNotReadAsAStatusWord) {
    // A key word that would read as speed 200 and private if taken as W1.
    const uint32_t misleading_key = encode_status(0, 1, 200, 0, 0, 1, 0);
    DayFileWriter f(kMarkerWithKey);
    f.add(day().speed(40).trian(1000), misleading_key).add(day().speed(60).trian(1000), misleading_key);
    const auto z = analyze_day_bytes(f.bytes(), {});
    EXPECT_EQ(z.MaxRych, 60);
    EXPECT_NEAR(z.Prejd, 0.2, 1e-12);
    EXPECT_EQ(z.PrejdSukr, 0.0);
    EXPECT_EQ(count_trip_starts(f.bytes(), {}), 0);
}

TEST(CountTripStarts, CountsNewFlagsWhateverTheValidity) {
    DayFileWriter f(kMarkerWithKey);
    f.add(day().new_trip().speed(300), encode_status(0, 1, 0, 0, 0, 0, 0))
        .add(day().speed(20))
        .add(day().new_trip().time(25, 0, 0))
        .add(day().new_trip());
    EXPECT_EQ(count_trip_starts(f.bytes(), {}), 3);
    // Forced 20-byte steps land on other words: the count changes accordingly.
    EXPECT_NE(count_trip_starts(f.bytes(), {1.0, true}), 3);
}

TEST(ShiftRecordTime, WrapsAroundMidnightWithoutTouchingTheDate) {
    struct Case {
        int h, m, s, minutes, eh, em, es;
    } cases[] = {
        {23, 30, 15, 60, 0, 30, 15},   {0, 30, 15, -60, 23, 30, 15}, {12, 0, 0, 0, 12, 0, 0},
        {12, 0, 0, 720, 0, 0, 0},      {12, 0, 0, -720, 0, 0, 0},    {10, 45, 59, 90, 12, 15, 59},
        {0, 0, 0, -30, 23, 30, 0},     {11, 59, 59, -719, 0, 0, 59},
    };
    for (const auto& c : cases) {
        Tgps_record r = day().time(c.h, c.m, c.s).speed(33).r;
        r.Dallas = "12345678";
        const Tgps_record s = ShiftRecordTime(r, c.minutes);
        EXPECT_EQ(s.Hour, c.eh) << c.h << ":" << c.m << " " << c.minutes;
        EXPECT_EQ(s.Min, c.em) << c.h << ":" << c.m << " " << c.minutes;
        EXPECT_EQ(s.Sec, c.es) << c.h << ":" << c.m << " " << c.minutes;
        Tgps_record rest = s;
        rest.Hour = r.Hour, rest.Min = r.Min, rest.Sec = r.Sec;
        EXPECT_EQ(rest, r);  // nothing else moved, the date neither
    }
}

TEST(AnalyzeDayFile, PartialFinalRecordInheritsTheDistanceWord) {
    // A file cut after W1 of its last record: that record is read with the
    // previous record's W2, so its step counts once more (privately here).
    for (uint32_t marker : {kMarkerWithKey, kMarkerImported}) {
        for (double koeficient : {1.0, 1.05}) {
            DayFileWriter f(marker);
            f.add(day().speed(50).trian(1000), 0x12345678);
            f.word(encode_status(3, 0, 60, 0, 8, 1, 0));
            const auto z = analyze_day_bytes(f.bytes(), {koeficient, false});
            EXPECT_NEAR(z.Prejd, 0.2 * koeficient, 1e-12) << marker << " " << koeficient;
            EXPECT_NEAR(z.PrejdSukr, 0.1 * koeficient, 1e-12) << marker << " " << koeficient;
            EXPECT_EQ(z.MaxRych, 60) << marker << " " << koeficient;
            // Two more bytes are no word: nothing changes.
            f.raw(std::string(2, '\x7f'));
            EXPECT_EQ(analyze_day_bytes(f.bytes(), {koeficient, false}), z) << marker << " " << koeficient;
        }
    }
}

TEST(AnalyzeDayFile, SameSumsAsAPlainWalkOverTheDecodedRecords) {
    // Random words (fixed seed) with speeds across the 250 limit, steps across
    // the 10 km limit and private flags, in both record sizes, whole and cut:
    // the summary must equal a plain double walk over the decoded records, to
    // the last bit.
    std::mt19937 random(20090315);
    for (int round = 0; round < 40; ++round) {
        const uint32_t marker = round % 2 ? kMarkerWithKey : kMarkerImported;
        DayFileWriter f(marker);
        const int records = 1 + static_cast<int>(random() % 3000);
        for (int i = 0; i < records; ++i) {
            RawRecord r;
            r.w1 = encode_status(random() % 4, random() % 2, random() % 300, random() % 360, 8, random() % 2, 0);
            r.w2 = encode_distance(random() % 0x4000, random() % 4 == 0 ? 95000 + random() % 10000 : random() % 3000);
            r.w3 = random();
            r.w4 = random();
            r.w5 = random();
            r.key = random();
            f.add(r);
        }
        std::string bytes = f.bytes();
        if (round % 4 >= 2) bytes.resize(bytes.size() - 4 * (1 + random() % 4));  // cut inside the last record
        for (const DayFileOptions options : {DayFileOptions{1.0, false}, DayFileOptions{1.05, false},
                                             DayFileOptions{1.0, true}, DayFileOptions{0.97, true}}) {
            double total = 0.0, private_total = 0.0;
            int max_speed = 0;
            for (const Tgps_record& r : decode_records(bytes, options)) {
                if (r.Speed > 250) continue;
                const double step = r.Trian * options.koeficient;
                if (step < 100000.0) {
                    total += step;
                    if (r.Sukr) private_total += step;
                }
                max_speed = std::max(max_speed, r.Speed);
            }
            const Tgps_zaznam z = analyze_day_bytes(bytes, options);
            EXPECT_EQ(z.Prejd, total / 10000.0) << round << " " << options.koeficient << options.force20byte;
            EXPECT_EQ(z.PrejdSukr, private_total / 10000.0) << round << " " << options.koeficient;
            EXPECT_EQ(z.MaxRych, max_speed) << round;
        }
    }
}
