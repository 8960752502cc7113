#include "export/dbase/calendar_date.h"

#include "common/c_format.h"

namespace tripdesk::dbase {

long julian_day(const CalendarDate& d) {
    const long a = (14 - d.month) / 12;
    const long y = d.year + 4800 - a;
    const long m = d.month + 12 * a - 3;
    return d.day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

CalendarDate from_julian_day(long jdn) {
    const long a = jdn + 32044;
    const long b = (4 * a + 3) / 146097;
    const long c = a - 146097 * b / 4;
    const long d = (4 * c + 3) / 1461;
    const long e = c - 1461 * d / 4;
    const long m = (5 * e + 2) / 153;
    return {int(100 * b + d - 4800 + m / 10), int(m + 3 - 12 * (m / 10)), int(e - (153 * m + 2) / 5 + 1)};
}

bool valid_date(const CalendarDate& date) {
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) return false;
    return from_julian_day(julian_day(date)) == date;
}

std::string to_dtos(const CalendarDate& date) {
    if (date.empty()) return std::string(8, ' ');
    return c_format("%04d%02d%02d", date.year, date.month, date.day);
}

bool parse_dtos(std::string_view bytes, CalendarDate& date) {
    if (bytes.size() != 8) return false;
    if (bytes == "        " || bytes == "00000000") {
        date = {};
        return true;
    }
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        if (bytes[i] < '0' || bytes[i] > '9') return false;
        digits[i] = bytes[i] - '0';
    }
    date.year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    date.month = digits[4] * 10 + digits[5];
    date.day = digits[6] * 10 + digits[7];
    return valid_date(date);
}

}  // namespace tripdesk::dbase
