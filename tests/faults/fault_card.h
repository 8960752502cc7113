#pragma once
// A card for the fault tests: three March 2009 days of 240 fixes each, with a
// ten-minute stop in the middle of each day (so the stop list has rows), and
// an "_image.inf" naming the vehicle.
#include <string>

#include "common/atomic_file.h"
#include "track/day_file_writer.h"

namespace tripdesk::faults {

inline constexpr int kCardDays[] = {10, 11, 12};

// The first `records` fixes of the day (240 in all).
inline void write_fault_day(const std::string& path, int day, int records = 240) {
    track::DayFileWriter w(track::kMarkerWithKey);
    for (int i = 0; i < records; ++i) {
        const int seconds = 8 * 3600 + i * 10 + (i >= 120 ? 600 : 0);
        w.add(track::fix(day, 3, 2009)
                  .time(seconds / 3600, seconds / 60 % 60, seconds % 60)
                  .speed(i == 119 ? 0 : 50)
                  .trian(1400)
                  .new_trip(i == 0 || i == 120)
                  .lon(17.1f + 0.0004f * static_cast<float>(i))
                  .lat(48.1f + 0.0002f * static_cast<float>(i)),
              0x00332211);
    }
    w.save(path);
}

// `folder` ends with "/".
inline void make_fault_card(const std::string& folder, const std::string& image_info = "BA-123AB\r\n\r\n\r\n\r\nFAT\r\n") {
    for (const int day : kCardDays) write_fault_day(folder + track::day_file_name(day, 3, 9), day);
    if (!image_info.empty()) write_file_atomically(folder + "_image.inf", image_info);
}

}  // namespace tripdesk::faults
