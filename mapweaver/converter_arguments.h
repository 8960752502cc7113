#pragma once
// The converter's command line, as the HTML export builds it:
//   mapweaver DAYFILE LABEL PAGE RESOLUTION MINSTOP TIMEOFF START END KEY [20BYTE]
#include <optional>
#include <string>
#include <vector>

namespace tripdesk::mapweaver {

// Time-window bound text that leaves that end open.
inline constexpr const char* kOpenBound = "??:??:??";

struct ConverterArguments {
    std::string day_file;
    std::string vehicle_label;
    std::string page_path;
    int resolution_units = 0;      // thinning step in 0.1 m
    int min_stop_s = 0;            // shortest rest that counts as a stop
    int time_off_half_hours = 0;   // shift of every record time
    std::optional<int> window_start_s;  // seconds since midnight, after the shift
    std::optional<int> window_end_s;
    std::string map_key;           // "???" when there is none
    bool force20byte = false;
};

// Parses argv[1..]; throws std::invalid_argument with a message naming the
// bad argument.
ConverterArguments parse_converter_arguments(const std::vector<std::string>& args);

// "hh:mm:ss" (also "h:mm" or "h:mm:ss") to seconds, 24:00:00 being the end of
// the day; std::nullopt for the open bound "??:??:??". Throws
// std::invalid_argument for anything else.
std::optional<int> parse_window_bound(const std::string& text);

// True when the key names a real map account (not empty, blank or "???").
bool has_map_key(const std::string& key);

}  // namespace tripdesk::mapweaver
