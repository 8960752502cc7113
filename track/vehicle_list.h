#pragma once
// The vehicle list (settings section CAR_LIST): which logger belongs to which
// vehicle. Each key is a logger's serial number as ten decimal digits, each
// value "REGISTRATION,Description".
#include <string>
#include <vector>

#include "track/section_entry.h"

namespace tripdesk::track {

struct Vehicle {
    std::string key;           // logger serial number, "%0.10d"
    std::string registration;  // before the first comma, in capitals
    std::string description;   // after the first comma, as written
};

// The list in the section's order. A value without a comma gives an empty
// registration and the whole value as description; an unreadable value at
// position n reads as "??-?????,Vozidlo n". An empty section gives the one
// placeholder vehicle "??????????" / "DL-R4470" / "Žiadne vozidlo !!!".
std::vector<Vehicle> read_vehicle_list(const SectionEntries& car_list);

// Upper case of UTF-8 text for Latin letters (ASCII, Latin-1, Latin
// Extended-A: every letter of Slovak, Czech and German); other text unchanged.
std::string latin_upper(const std::string& text);

}  // namespace tripdesk::track
