#include "private/private_logbook.h"

#include "common/atomic_file.h"
#include "export/logbook_line.h"

#include <cstdint>

namespace tripdesk::private_trips {

namespace {

logbook::LogbookLine line_of(int number, const char* code, const Teep_zazn& when) {
    logbook::LogbookLine line;
    line.number = number;
    line.code = code;
    // The month index is written as an unsigned byte: an unset date
    // (month 0) gives 255.
    line.month_index = static_cast<uint8_t>(when.month - 1);
    line.day = when.day;
    line.hour = when.hour;
    line.minute = when.minute;
    line.second = when.second;
    line.years_since_1900 = when.year + 100;
    line.distance_km = when.distance;
    line.key = std::nullopt;  // these lines end in "04"
    return line;
}

}  // namespace

std::string private_logbook_text(const std::string& vehicle_label, const std::vector<Teep_zazn>& entries) {
    std::string text = vehicle_label + "\r\n" + logbook::kHeaderConstant + "\r\n";
    int n = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].is_private) continue;
        const Teep_zazn& next = i + 1 < entries.size() ? entries[i + 1] : entries[i];
        text += logbook::format_line(line_of(n++, logbook::kPrivateStart, entries[i])) + "\r\n";
        text += logbook::format_line(line_of(n++, logbook::kPrivatePoint, next)) + "\r\n";
    }
    return text;
}

std::string proposed_private_file_name(const std::string& vehicle_label) {
    return vehicle_label + " (sukromne).TXT";
}

void export_private_trips(const std::string& path, const std::string& vehicle_label,
                          const std::vector<Teep_zazn>& entries) {
    write_file_atomically(path, private_logbook_text(vehicle_label, entries));
}

}  // namespace tripdesk::private_trips
