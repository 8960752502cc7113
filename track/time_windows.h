#pragma once
// The time windows (settings section CAS_OKNO): parts of a day the map view
// can be limited to. Only the values count, in the section's order; each is
// "HH:MM:SS HH:MM:SS", start and end.
#include <string>
#include <string_view>
#include <vector>

#include "track/section_entry.h"

namespace tripdesk::track {

// The window texts in the section's order. An unreadable value reads as
// "??:??:?? ??:??:??"; an empty value stays empty. An empty section gives
// "00:00:00 12:00:00" and "12:00:00 24:00:00".
std::vector<std::string> read_time_windows(const SectionEntries& cas_okno);

// The start of a window text: its first eight characters (fewer when shorter).
std::string time_window_start(std::string_view window);
// The end of a window text: its last eight characters (all when shorter).
std::string time_window_end(std::string_view window);

}  // namespace tripdesk::track
