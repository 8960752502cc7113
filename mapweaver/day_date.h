#pragma once
// The date a page is about, for its title.
#include <optional>
#include <string>
#include <vector>

#include "track/day_file.h"

namespace tripdesk::mapweaver {

struct CalendarDate {
    int day = 0, month = 0, year = 0;
};

// From the day file's name (DDMMYY, the folder part ignored); when the name
// does not hold a date, from the first valid record; nullopt when neither does.
std::optional<CalendarDate> page_date(const std::string& day_file_path, const std::vector<track::Tgps_record>& records);

// "nedeľa 15.03.2009".
std::string date_text(const CalendarDate& date);

}  // namespace tripdesk::mapweaver
