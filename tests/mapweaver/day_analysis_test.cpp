// The day's points, stops, figures and lines, from records built in code.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "day_fixture.h"
#include "mapweaver/day_figures.h"
#include "mapweaver/day_track.h"
#include "mapweaver/stops.h"
#include "mapweaver/track_lines.h"

using namespace tripdesk;
using namespace tripdesk::mapweaver;
using namespace tripdesk::mapweaver::testing;

namespace {
constexpr int kEight = 8 * 3600;
}

TEST(DayTrack, WindowCutsShiftedTimes) {
    // Records every 10 s from 08:00:00 to 08:09:50; TimeOffMRP 2 moves them an hour on.
    const auto records = drive({{kEight, 60, 50, false, 0.0001, 0.0001}});
    struct Case {
        int off;
        std::optional<int> start, end;
        size_t expected;
        int first_time;
    };
    const std::vector<Case> cases = {
        {0, std::nullopt, std::nullopt, 60, kEight},
        {2, std::nullopt, std::nullopt, 60, kEight + 3600},
        {2, kEight + 3600 + 100, kEight + 3600 + 200, 11, kEight + 3600 + 100},  // both bounds kept
        {0, kEight + 3600, std::nullopt, 0, 0},
        {-2, 0, kEight - 3600 + 50, 6, kEight - 3600},
        {0, kEight + 580, kEight + 20, 5, kEight},  // over midnight: 08:00:00-08:00:20 and 08:09:40-08:09:50
    };
    for (const auto& c : cases) {
        const auto points = day_track(records, {c.off, c.start, c.end});
        ASSERT_EQ(points.size(), c.expected) << c.off;
        if (!points.empty()) {
            EXPECT_EQ(points.front().time_s, c.first_time);
        }
    }
}

TEST(DayTrack, DropsWhatCannotBeDrawn) {
    auto records = drive({{kEight, 8, 50, false, 0.001, 0.0}});
    records[1].Valid = false;                                     // not a fix
    records[2].Lat = std::numeric_limits<float>::infinity();      // valid by the format, but not a place
    records[3].Lon = 200.0f;
    records[5].Hour = 7;                                          // goes back in time
    records[6].Trian = 150000;                                    // a 15 km jump is no step
    const auto points = day_track(records, {});
    std::vector<int> times;
    for (const auto& p : points) times.push_back(p.time_s - kEight);
    EXPECT_EQ(times, (std::vector<int>{0, 40, 60, 70}));
    EXPECT_EQ(points[2].step_units, 0.0);
    EXPECT_EQ(clock_text(kEight + 3600 * 17), "01:00:00");  // wraps past midnight
    EXPECT_EQ(clock_text(-30), "23:59:30");
}

TEST(Stops, FoundAtTheThreshold) {
    // Drive, stand for a gap of `rest` seconds with no records, drive on.
    for (const int rest : {299, 300, 301}) {
        const auto records = drive({{kEight, 10, 50, false, 0.001, 0.0},
                                    {kEight + 90 + rest, 10, 50, false, 0.0, 0.001}});
        const auto points = day_track(records, {});
        const auto stops = find_stops(points, 300);
        ASSERT_EQ(stops.size(), rest >= 300 ? 1u : 0u) << rest;
        if (!stops.empty()) {
            EXPECT_EQ(stops[0].number, 1);
            EXPECT_EQ(stops[0].arrival_s, kEight + 90);
            EXPECT_EQ(stops[0].length_s(), rest);
            EXPECT_NEAR(stops[0].lat, points[9].lat, 1e-9);
        }
    }
}

TEST(Stops, StandingRecordsMakeOneRestAndTheDaysEndsAreNoStops) {
    // Stand first, drive, stand with speed-0 records for 5 minutes, drive, stand at the end.
    const auto records = drive({{kEight, 30, 0, false, 0, 0},
                                {kEight + 300, 10, 60, false, 0.001, 0},
                                {kEight + 400, 31, 0, false, 0, 0},
                                {kEight + 710, 10, 60, true, 0, 0.001},
                                {kEight + 810, 40, 0, true, 0, 0}});
    const auto points = day_track(records, {});
    const auto stops = find_stops(points, 110);
    // The rests before the first drive and after the last are no stops.
    ASSERT_EQ(stops.size(), 1u);
    // From the last moving record (08:06:30) to the new-trip record that drives on.
    EXPECT_EQ(stops[0].arrival_s, kEight + 390);
    EXPECT_EQ(stops[0].departure_s, kEight + 710);

    const DayFigures f = day_figures(points, 110);
    EXPECT_EQ(f.stops, 1);
    EXPECT_EQ(f.trips, 5);
    EXPECT_EQ(f.max_speed_kmh, 60);
    // Driving: 08:05:00..08:06:30 and 08:11:50..08:13:20; no long rest counts.
    EXPECT_EQ(f.driving_s, 90 + 90);
}

TEST(DayFigures, DistanceSplitsPrivateAndAveragesOverDrivingTime) {
    const auto records = drive({{kEight, 37, 36, false, 0.001, 0}, {kEight + 1000, 37, 72, true, 0, 0.001}});
    const auto points = day_track(records, {});
    const DayFigures f = day_figures(points, 110);
    // 36 km/h for 10 s is 100 m; the first record's step leads in from before the day.
    EXPECT_NEAR(f.distance_km, 36 * 0.1 + 37 * 0.2, 1e-9);
    EXPECT_NEAR(f.private_km, 37 * 0.2, 1e-9);
    EXPECT_EQ(f.driving_s, 360 + 360);
    EXPECT_NEAR(f.average_kmh, f.distance_km * 3600 / 720, 1e-9);
    EXPECT_EQ(f.trips, 2);
    EXPECT_EQ(f.stops, 1);
}

TEST(TrackLines, ThinningKeepsTheResolutionAndTheMarkedPoints) {
    // 50 km/h for 10 s is 1388 units; a resolution of 5000 keeps every fourth record.
    const auto records = drive({{kEight, 20, 50, false, 0.001, 0}, {kEight + 200, 9, 50, true, 0, 0.001}});
    const auto points = day_track(records, {});
    const auto kept = thinned_points(points, 5000, {});
    EXPECT_EQ(kept, (std::vector<size_t>{0, 4, 8, 12, 16, 19, 20, 24, 28}));
    EXPECT_EQ(thinned_points(points, 0, {}).size(), points.size());
    EXPECT_EQ(thinned_points(points, 100000000, {}), (std::vector<size_t>{0, 19, 20, 28}));

    const auto runs = line_runs(points, kept);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_FALSE(runs[0].private_trip);
    EXPECT_EQ(runs[0].points, (std::vector<size_t>{0, 4, 8, 12, 16, 19}));
    EXPECT_TRUE(runs[1].private_trip);
    EXPECT_EQ(runs[1].points, (std::vector<size_t>{19, 20, 24, 28}));
}
