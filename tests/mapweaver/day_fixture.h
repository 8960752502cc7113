#pragma once
// Day files for the converter's tests, built record by record: a vehicle
// drives east on business, rests, then drives north on a private trip.
#include <string>
#include <vector>

#include "track/day_file_writer.h"

namespace tripdesk::mapweaver::testing {

struct Leg {
    int start_s;        // time of the first record
    int records;        // one every 10 s
    int speed_kmh;
    bool private_trip;
    double dlat, dlon;  // step per record
};

// Records of consecutive legs; each leg begins where the previous ended, the
// first record of each leg carries the new-trip flag.
inline std::vector<track::Tgps_record> drive(const std::vector<Leg>& legs, double lat = 48.14, double lon = 17.10) {
    std::vector<track::Tgps_record> out;
    for (const Leg& leg : legs) {
        for (int i = 0; i < leg.records; ++i) {
            const int t = leg.start_s + 10 * i;
            lat += leg.dlat;
            lon += leg.dlon;
            out.push_back(track::fix(15, 3, 2009)
                              .time(t / 3600, t / 60 % 60, t % 60)
                              .speed(leg.speed_kmh)
                              .trian(leg.speed_kmh * 1000 * 10 / 360)  // 10 s at that speed, in 0.1 m
                              .lat(float(lat))
                              .lon(float(lon))
                              .new_trip(i == 0)
                              .priv(leg.private_trip)
                              .r);
            out.back().Valid = true;
        }
    }
    return out;
}

inline void save_day(const std::string& path, const std::vector<track::Tgps_record>& records,
                     uint32_t marker = track::kMarkerWithKey) {
    track::DayFileWriter writer(marker);
    for (const auto& r : records) writer.add(r, 0x78563412);
    writer.save(path);
}

}  // namespace tripdesk::mapweaver::testing
