// Writes the bundled sample card image: three weeks of March 2009 around
// Bratislava, several trips a day, driver keys, one private trip, one day in
// 20-byte records, two notes, the private-trip memory and "_image.inf".
// Deterministic: the same program writes the same bytes.
//
//   make_sample_card OUTDIR
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/image_info.h"
#include "common/atomic_file.h"
#include "track/day_file_writer.h"

using namespace tripdesk;
using namespace tripdesk::track;

namespace {

// A small fixed pseudo-random sequence (xorshift), so the card never changes.
class Random {
public:
    explicit Random(uint32_t seed) : x_(seed) {}
    uint32_t next() {
        x_ ^= x_ << 13;
        x_ ^= x_ >> 17;
        x_ ^= x_ << 5;
        return x_;
    }
    // Uniform in [lo, hi].
    double between(double lo, double hi) { return lo + (hi - lo) * (next() % 100000) / 99999.0; }

private:
    uint32_t x_;
};

constexpr uint32_t kDriverA = 0x2A3B4C01;  // key text "014c3b2a"
constexpr uint32_t kDriverB = 0x5D6E7F02;  // key text "027f6e5d"
constexpr double kHomeLat = 48.1486;       // Bratislava
constexpr double kHomeLon = 17.1077;
constexpr int kStepSeconds = 5;

struct Trip {
    int start_hour, start_min;
    int minutes;
    double cruise_kmh;  // typical speed
    bool priv;
    uint32_t key;
};

struct Position {
    double lat = kHomeLat, lon = kHomeLon, heading = 0.0;
};

// Drives one trip: a record every 5 s, speed around the cruise speed with
// stops at lights, heading wandering, the first record flagged as a trip start.
void drive(DayFileWriter& f, Random& rnd, int day, const Trip& t, Position& pos) {
    int seconds = t.start_hour * 3600 + t.start_min * 60;
    double speed = 0.0;
    const int steps = t.minutes * 60 / kStepSeconds;
    for (int i = 0; i < steps; ++i) {
        const bool stopping = (i % 40) > 36 || i == steps - 1;
        const double target = stopping ? 0.0 : t.cruise_kmh * rnd.between(0.8, 1.15);
        speed += (target - speed) * 0.5;
        if (speed < 1.0) speed = 0.0;
        pos.heading += rnd.between(-12.0, 12.0);
        // Turn back towards home when far out, so every day stays around the city.
        const double dlat = pos.lat - kHomeLat, dlon = pos.lon - kHomeLon;
        if (std::hypot(dlat, dlon * 0.67) > 0.25) pos.heading = std::atan2(-dlon * 0.67, -dlat) * 180.0 / M_PI;
        const double metres = i == 0 ? 0.0 : speed / 3.6 * kStepSeconds;
        const double rad = pos.heading * M_PI / 180.0;
        pos.lat += metres * std::cos(rad) / 111320.0;
        pos.lon += metres * std::sin(rad) / (111320.0 * std::cos(pos.lat * M_PI / 180.0));
        const int course = static_cast<int>(std::fmod(std::fmod(pos.heading, 360.0) + 360.0, 360.0));
        Fix x = fix(day, 3, 2009)
                    .time(seconds / 3600, (seconds / 60) % 60, seconds % 60)
                    .speed(static_cast<int>(std::lround(speed)))
                    .course(course)
                    .sats(5 + static_cast<int>(rnd.next() % 6))
                    .trian(static_cast<int>(std::lround(metres * 10.0)))
                    .alt(130 + static_cast<int>(rnd.next() % 40))
                    .lon(static_cast<float>(pos.lon))
                    .lat(static_cast<float>(pos.lat))
                    .new_trip(i == 0)
                    .priv(t.priv);
        f.add(x, t.key);
        seconds += kStepSeconds;
    }
}

void write_eeprom(const std::string& path) {
    // Header word, then (kind, start time word, length in 0.1 m) per trip;
    // kind 11 is a private trip, otherwise the driver key's three bytes
    // stand above a zero low byte.
    DayFileWriter w(0);
    std::string bytes = w.bytes().substr(0, 4);
    auto entry = [&](uint32_t kind, uint32_t time, uint32_t length) {
        DayFileWriter e(0);
        e.word(kind).word(time).word(length);
        bytes += e.bytes().substr(32);
    };
    entry(11, encode_time(7, 3, 14, 9, 30, 0), 382000);
    entry((kDriverA & 0xFFFFFF00u), encode_time(7, 3, 16, 7, 45, 0), 125500);
    entry((kDriverB & 0xFFFFFF00u), encode_time(7, 3, 17, 13, 10, 0), 64300);
    entry(11, encode_time(7, 3, 19, 18, 20, 0), 91000);
    for (int i = 0; i < 4; ++i) entry(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu);  // free slots
    write_file_atomically(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_card OUTDIR\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        std::filesystem::create_directories(out);
        Random rnd(20090302);
        Position pos;
        for (int day = 2; day <= 22; ++day) {
            const int weekday = (day - 2) % 7;  // 2 March 2009 was a Monday
            std::vector<Trip> trips;
            if (weekday < 5) {
                const uint32_t key = (day % 3 == 0) ? kDriverB : kDriverA;
                trips.push_back({7, 30 + static_cast<int>(rnd.next() % 20), 25, 45.0, false, key});
                trips.push_back({11, 15, 18 + static_cast<int>(rnd.next() % 10), 40.0, false, key});
                if (day == 10) trips.push_back({13, 0, 35, 125.0, false, key});  // motorway, above 130 at times
                trips.push_back({16, 10, 30, 50.0, false, key});
                if (day == 19) trips.push_back({18, 20, 15, 35.0, true, key});  // private errand
            } else if (day == 14) {
                trips.push_back({9, 30, 45, 70.0, true, kDriverA});  // private Saturday trip
            } else {
                continue;  // no trips on the other weekend days
            }
            // The logger-imported day: 20-byte records without keys.
            DayFileWriter f(day == 12 ? kMarkerImported : kMarkerWithKey);
            pos = Position{};
            for (const Trip& t : trips) drive(f, rnd, day, t, pos);
            f.save(out + "/" + day_file_name(day, 3, 9));
        }
        write_file_atomically(out + "/100309.TXT", "Služobná cesta Trnava\r\nporada o 14:00\r\n");
        write_file_atomically(out + "/140309.TXT", "Súkromná jazda - chata\r\n");
        write_eeprom(out + "/EEPROM.BIN");
        app::write_image_info(out, {"BA-123AB", "1,917,888 KB", "1,921,024 KB", "-1234567890", "FAT"});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_card: %s\n", e.what());
        return 1;
    }
    return 0;
}
