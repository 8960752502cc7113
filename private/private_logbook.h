#pragma once
// The private trips of the memory as a logbook text file: per private trip a
// start line with its own time and length and an end line with the time and
// length of the next entry (of any kind), or its own for the last entry.
#include "private/eeprom.h"

#include <string>
#include <vector>

namespace tripdesk::private_trips {

// The whole file text: vehicle label, "130", then the line pairs, CR LF each.
std::string private_logbook_text(const std::string& vehicle_label, const std::vector<Teep_zazn>& entries);

// The proposed file name: label + " (sukromne).TXT".
std::string proposed_private_file_name(const std::string& vehicle_label);

// Writes the file atomically under `path` as given; throws IoError.
void export_private_trips(const std::string& path, const std::string& vehicle_label,
                          const std::vector<Teep_zazn>& entries);

}  // namespace tripdesk::private_trips
