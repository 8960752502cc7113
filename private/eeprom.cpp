#include "private/eeprom.h"

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "track/day_file.h"

namespace tripdesk::private_trips {

namespace {

constexpr uint32_t kPrivateKind = 11;
constexpr uint32_t kEmptySlot = 0xFFFFFFFFu;

Teep_zazn make_entry(uint32_t kind, uint32_t time, uint32_t length) {
    if (time == 0xFFFFFFFFu) time = 0;  // an unset date reads as 0
    Teep_zazn e;
    e.day = static_cast<uint16_t>(track::w3_day(time));
    e.month = static_cast<uint16_t>(track::w3_month(time));
    e.year = time == 0 ? 0 : static_cast<uint16_t>(track::w3_year(time) + 2);
    e.hour = static_cast<uint16_t>(track::w3_hour(time));
    e.minute = static_cast<uint16_t>(track::w3_minute(time));
    e.second = static_cast<uint16_t>(track::w3_second(time));
    e.driver_key = c_format("%.2X%.2X%.2X", (kind >> 8) & 0xFFu, (kind >> 16) & 0xFFu, (kind >> 24) & 0xFFu);
    e.is_private = kind == kPrivateKind;
    e.distance = static_cast<float>(length / track::kUnitsPerKm);
    return e;
}

}  // namespace

EepromImage parse_eeprom(std::string_view bytes) {
    EepromImage image;
    const size_t words = bytes.size() / 4;
    image.size_bytes = words * 4;
    for (size_t w = 1; w + 3 <= words; w += 3) {
        const char* p = bytes.data() + w * 4;
        const uint32_t length = track::load_le32(p + 8);
        if (length == kEmptySlot) continue;
        image.entries.push_back(make_entry(track::load_le32(p), track::load_le32(p + 4), length));
    }
    return image;
}

EepromImage read_eeprom(const std::string& path) { return parse_eeprom(read_whole_file(path)); }

}  // namespace tripdesk::private_trips
