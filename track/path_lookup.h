#pragma once
// File names on cards and in the logbook program's folder come from Windows,
// where letter case does not matter (the tracker writes 150309.GPS, the logger
// import 150309.gps). These helpers find such files on a case-sensitive file
// system. A backslash counts as a folder separator, as in the settings file.
#include <optional>
#include <string>
#include <string_view>

namespace tripdesk::track {

// True when a and b are equal ignoring ASCII letter case.
bool equal_ignoring_case(std::string_view a, std::string_view b);

// s with the ASCII letters a-z in upper case; other bytes unchanged.
std::string upper_ascii(std::string_view s);

// `folder` joined with `relative` ("KJ_KLM\MISTA.MAP", "150309.GPS"), each
// component of `relative` matched without regard to letter case (an exact
// match wins). Returns the existing path, or nullopt when some component has
// no match.
std::optional<std::string> find_ignoring_case(std::string_view folder, std::string_view relative);

// Like find_ignoring_case, but when nothing matches returns the plain joined
// path, so that opening it fails with the system's "No such file" error that
// names the expected file.
std::string resolve_ignoring_case(std::string_view folder, std::string_view relative);

// `folder` and `name` joined with exactly one "/" between them; backslashes
// become "/".
std::string join_path(std::string_view folder, std::string_view name);

}  // namespace tripdesk::track
