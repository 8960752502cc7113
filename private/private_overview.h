#pragma once
// What the private-trip window shows of the memory: totals, the period, the
// filtered list and its cells, and the clipboard text.
#include "private/eeprom.h"

#include <array>
#include <string>
#include <vector>

namespace tripdesk::private_trips {

struct Totals {
    double all_km = 0.0;
    double private_km = 0.0;
};

Totals totals_of(const std::vector<Teep_zazn>& entries);

// The window's labels: period "DD/MM/YY - DD/MM/YY" (or "[none]") and both
// totals as "%.1f km" ("0.0 km" for an empty list).
struct OverviewLabels {
    std::string period = "[none]";
    std::string total = "0.0 km";
    std::string private_total = "0.0 km";
};
OverviewLabels overview_labels(const std::vector<Teep_zazn>& entries);

// The two list filters of the window (settings `SukrOnly`, `Nenulove`).
struct Filters {
    bool private_only = false;  // chk_opt1
    bool non_zero_only = true;  // chk_opt2
};

// The entries the grid lists, in file order.
std::vector<Teep_zazn> visible_entries(const std::vector<Teep_zazn>& entries, const Filters& filters);

// Date "%.2d/%.2d/%.2d", time, driver key, kind text, "%.1f km".
std::array<std::string, 5> entry_cells(const Teep_zazn& e);
std::string kind_text(const Teep_zazn& e);  // "súkromná" or "služobná"

// One CR LF line per entry of the whole list, whatever the filters.
std::string clipboard_text(const std::vector<Teep_zazn>& entries);

// File label texts.
std::string loaded_label(size_t size_bytes);            // "Záznamy z EEPROM.BIN (%d bytes):"
std::string missing_label(const std::string& folder);   // "...EEPROM.BIN - súbor nebol nenájdený !!!"

}  // namespace tripdesk::private_trips
