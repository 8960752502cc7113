#include "private/private_overview.h"

#include "common/c_format.h"

namespace tripdesk::private_trips {

namespace {

std::string date_text(const Teep_zazn& e) { return c_format("%.2d/%.2d/%.2d", e.day, e.month, e.year); }
std::string time_text(const Teep_zazn& e) { return c_format("%.2d:%.2d:%.2d", e.hour, e.minute, e.second); }
std::string km_text(double km) { return c_format("%.1f km", km); }

}  // namespace

Totals totals_of(const std::vector<Teep_zazn>& entries) {
    Totals t;
    for (const auto& e : entries) {
        t.all_km += e.distance;
        if (e.is_private) t.private_km += e.distance;
    }
    return t;
}

OverviewLabels overview_labels(const std::vector<Teep_zazn>& entries) {
    OverviewLabels labels;
    // A single trip gets its period and totals as well: leaving them at zero
    // would report a memory that holds a trip as empty.
    if (entries.empty()) return labels;
    const Totals t = totals_of(entries);
    labels.period = date_text(entries.front()) + " - " + date_text(entries.back());
    labels.total = km_text(t.all_km);
    labels.private_total = km_text(t.private_km);
    return labels;
}

std::vector<Teep_zazn> visible_entries(const std::vector<Teep_zazn>& entries, const Filters& filters) {
    std::vector<Teep_zazn> shown;
    for (const auto& e : entries) {
        if (filters.private_only && !e.is_private) continue;
        if (filters.non_zero_only && e.distance == 0.0f) continue;
        shown.push_back(e);
    }
    return shown;
}

std::string kind_text(const Teep_zazn& e) { return e.is_private ? "súkromná" : "služobná"; }

std::array<std::string, 5> entry_cells(const Teep_zazn& e) {
    return {date_text(e), time_text(e), e.driver_key, kind_text(e), km_text(e.distance)};
}

std::string clipboard_text(const std::vector<Teep_zazn>& entries) {
    std::string text;
    for (const auto& e : entries) {
        text += date_text(e) + "  " + time_text(e) + "  " + e.driver_key + " " + kind_text(e) + " " +
                km_text(e.distance) + "\r\n";
    }
    return text;
}

std::string loaded_label(size_t size_bytes) {
    return c_format("Záznamy z EEPROM.BIN (%d bytes):", static_cast<int>(size_bytes));
}

std::string missing_label(const std::string& folder) {
    return c_format("%sEEPROM.BIN - súbor nebol nenájdený !!!", folder.c_str());
}

}  // namespace tripdesk::private_trips
