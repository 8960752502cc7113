#include "mapweaver/day_date.h"

#include <chrono>

#include "common/c_format.h"

namespace tripdesk::mapweaver {

namespace {

bool real_date(const CalendarDate& d) {
    return std::chrono::year_month_day(std::chrono::year(d.year), std::chrono::month(unsigned(d.month)),
                                       std::chrono::day(unsigned(d.day)))
        .ok();
}

}  // namespace

std::optional<CalendarDate> page_date(const std::string& day_file_path, const std::vector<track::Tgps_record>& records) {
    const size_t slash = day_file_path.find_last_of("/\\");
    const std::string name = day_file_path.substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.size() >= 6 && name.find_first_not_of("0123456789") >= 6) {
        const CalendarDate d{std::stoi(name.substr(0, 2)), std::stoi(name.substr(2, 2)), 2000 + std::stoi(name.substr(4, 2))};
        if (real_date(d)) return d;
    }
    for (const auto& r : records) {
        if (!r.Valid) continue;
        const CalendarDate d{r.Day, r.Month, track::calendar_year(r)};
        if (real_date(d)) return d;
        break;
    }
    return std::nullopt;
}

std::string date_text(const CalendarDate& date) {
    static const char* const weekdays[] = {"nedeľa", "pondelok", "utorok", "streda", "štvrtok", "piatok", "sobota"};
    const std::chrono::sys_days days{std::chrono::year(date.year) / std::chrono::month(unsigned(date.month)) /
                                     std::chrono::day(unsigned(date.day))};
    const unsigned weekday = std::chrono::weekday(days).c_encoding();
    return c_format("%s %.2d.%.2d.%d", weekdays[weekday], date.day, date.month, date.year);
}

}  // namespace tripdesk::mapweaver
