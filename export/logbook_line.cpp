#include "export/logbook_line.h"

#include "common/c_format.h"

namespace tripdesk::logbook {

std::string format_line(const LogbookLine& l) {
    std::string text = c_format("%5d 01 %s %2d %2d %2d %2d %2d  %3d %11.6f %11.6f %3d %6.2f 04", l.number, l.code,
                                l.month_index, l.day, l.hour, l.minute, l.second, l.years_since_1900, l.latitude,
                                l.longitude, l.speed, l.distance_km);
    if (l.key) {
        text += ' ';
        text += *l.key;
    }
    return text;
}

std::string logbook_key_text(unsigned key_word) {
    return c_format("%.2x%.2x%.2x00", key_word & 0xFFu, (key_word >> 8) & 0xFFu, (key_word >> 16) & 0xFFu);
}

}  // namespace tripdesk::logbook
