#pragma once
// Paths and names shared by the exports that walk the selected day files.
#include <string>

namespace tripdesk::exports {

// The current drive folder joined with a row's day-file name. A folder given
// without a trailing separator gets one.
std::string day_file_path(const std::string& drive_folder, const std::string& file_name);

// True when `name` ends in `extension` compared in capitals (".TXT", ".KML").
bool has_extension(const std::string& name, const std::string& extension);

}  // namespace tripdesk::exports
