#include "devlib/settings_record.h"

#include <cstring>

#include "devlib/link.h"

namespace dlr {

uint32_t stored_coordinate(const uint8_t* c) {
    const uint32_t degrees_minutes = static_cast<uint32_t>(c[1]) * 100 + c[2];
    const uint32_t fraction = ((static_cast<uint32_t>(c[3]) * 100 + c[4]) * 10) / 6;
    uint32_t value = degrees_minutes * 10000 + fraction;
    if (c[0] == 1) value |= 0x80000000u;
    return value;
}

void caller_coordinate(uint32_t stored, uint8_t* c) {
    const uint32_t v = stored & 0x7FFFFFFFu;
    const uint32_t hundredths = (v % 10000) * 6 / 10;
    c[0] = (stored & 0x80000000u) ? 1 : 0;
    c[1] = static_cast<uint8_t>(v / 1000000);
    c[2] = static_cast<uint8_t>((v % 1000000) / 10000);
    c[3] = static_cast<uint8_t>(hundredths / 100);
    c[4] = static_cast<uint8_t>(hundredths % 100);
}

bool entry_out_of_range(const uint8_t* e) {
    return e[0] > 1 || e[1] >= 180 || e[2] >= 60 || e[3] >= 60 || e[4] >= 100 || e[5] > 1 ||
           e[6] >= 90 || e[7] >= 60 || e[8] >= 60 || e[9] >= 100 || e[10] < 1 || e[10] > 30;
}

void store_entry(const uint8_t* caller, uint8_t* stored) {
    std::memset(stored, 0xFF, kEntrySize);
    write_le32(stored, stored_coordinate(caller));
    write_le32(stored + 4, stored_coordinate(caller + 5));
    stored[8] = caller[10];
    stored[11] = caller[13];
}

void restore_entry(const uint8_t* stored, uint8_t* caller) {
    std::memset(caller, 0xFF, kEntrySize);
    caller_coordinate(read_le32(stored), caller);
    caller_coordinate(read_le32(stored + 4), caller + 5);
    caller[10] = stored[8];
    caller[13] = stored[11];
}

}  // namespace dlr
