#pragma once
// The place search of the record analysis: the name of the logbook program's
// place nearest to a record, from its place map and names file.
#include "track/day_file.h"

#include <string>

namespace tripdesk::analysis {

inline constexpr const char* kNoTracklogText = "Error !!! No tracklog loaded ...";
inline constexpr const char* kSearchingText = "Prehľadávam databázy KJ ...";

// The nearest place's name (trimmed) for the record's position; the logbook
// folder is the parent of `output_dir_kj`. Throws IoError when the place map
// or the names file cannot be read.
std::string nearest_place_name(const std::string& output_dir_kj, const track::Tgps_record& record);

}  // namespace tripdesk::analysis
