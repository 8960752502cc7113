#include "export/logbook_line.h"

#include "common/c_format.h"
#include "export/number_text.h"

namespace tripdesk::logbook {

// "%5d 01 %s %2d %2d %2d %2d %2d  %3d %11.6f %11.6f %3d %6.2f 04", then a
// blank and the key when the line carries one.
std::string format_line(const LogbookLine& l) {
    using exports::append_fixed;
    using exports::append_int;
    std::string text;
    text.reserve(96);
    append_int(text, l.number, 5);
    text += " 01 ";
    text += l.code;
    for (const int field : {l.month_index, l.day, l.hour, l.minute, l.second}) {
        text += ' ';
        append_int(text, field, 2);
    }
    text += "  ";
    append_int(text, l.years_since_1900, 3);
    text += ' ';
    append_fixed(text, l.latitude, 11, 6);
    text += ' ';
    append_fixed(text, l.longitude, 11, 6);
    text += ' ';
    append_int(text, l.speed, 3);
    text += ' ';
    append_fixed(text, l.distance_km, 6, 2);
    text += " 04";
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
