#pragma once
// The extension rule of the save dialogs: a chosen name keeps its extension
// when it already ends in it, in any letter case, and gets it appended else.
#include <string>

namespace tripdesk::exports {

// True when `name` ends in `extension` compared in capitals (".TXT", ".KML").
bool has_extension(const std::string& name, const std::string& extension);

// `name` unchanged when it has the extension, else with it appended.
std::string with_extension(const std::string& name, const std::string& extension);

}  // namespace tripdesk::exports
