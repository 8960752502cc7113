#pragma once
// One line of a settings-file section as the catalogue readers take it: the
// key name, and its value or nullopt when the value cannot be read (a line
// listed as a key but without "="). Entries come in file order. The settings
// store hands them over, so the catalogues do not depend on it.
#include <optional>
#include <string>
#include <vector>

namespace tripdesk::track {

struct SectionEntry {
    std::string key;
    std::optional<std::string> value;
};

using SectionEntries = std::vector<SectionEntry>;

}  // namespace tripdesk::track
