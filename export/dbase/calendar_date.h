#pragma once
// A calendar date as dBase stores it; year 0 is the empty date.
#include <string>
#include <string_view>

namespace tripdesk::dbase {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool empty() const { return year == 0; }
    bool operator==(const CalendarDate&) const = default;
};

// Julian day number (1981-01-01 = 2444606), the scale of date index keys.
long julian_day(const CalendarDate& date);
CalendarDate from_julian_day(long jdn);
// True for a real day of the Gregorian calendar.
bool valid_date(const CalendarDate& date);
// "YYYYMMDD", or 8 blanks for the empty date.
std::string to_dtos(const CalendarDate& date);
// Reads the 8 stored bytes of a D field (blanks or zeros: the empty date);
// false when they are no date.
bool parse_dtos(std::string_view bytes, CalendarDate& date);

}  // namespace tripdesk::dbase
