#pragma once
// A small card for the command-line tests: three days of March 2009 and one
// of April, a note, and an "_image.inf" naming the vehicle.
#include <string>

#include "app/temp_folder.h"
#include "common/atomic_file.h"
#include "track/day_file_writer.h"

namespace tripdesk::testing {

inline void write_day(const std::string& path, int km_tenths, int speed, bool priv = false) {
    track::DayFileWriter f(track::kMarkerWithKey);
    // Steps of 100 m: km_tenths of them.
    for (int i = 0; i < km_tenths; ++i)
        f.add(track::fix(1, 3, 2009).time(8, 0, i % 60).speed(speed).trian(1000).priv(priv), 0x78563412);
    f.save(path);
}

inline void make_card(const TempFolder& card, const std::string& label = "BA-123AB") {
    write_day(card.file("010309.GPS"), 123, 87);       // 12.30 km
    write_day(card.file("050309.gps"), 5, 140, true);  // 0.50 km, private, warning
    write_day(card.file("150309.GPS"), 10, 50);        // 1.00 km
    write_day(card.file("020409.GPS"), 20, 50);        // 2.00 km
    write_file_atomically(card.file("050309.TXT"), "Služobná cesta\r\nBratislava\r\n");
    if (!label.empty()) write_file_atomically(card.file("_image.inf"), label + "\r\n\r\n\r\n\r\nFAT\r\n");
}

}  // namespace tripdesk::testing
