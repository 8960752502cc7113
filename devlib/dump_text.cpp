#include "devlib/dump_text.h"

#include <cstring>

#include "devlib/link.h"

namespace dlr {

namespace {

char* put_text(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Decimal, zero-padded to at least width digits.
char* put_padded(char* out, uint32_t value, int width) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = n; i < width; ++i) *out++ = '0';
    while (n > 0) *out++ = digits[--n];
    return out;
}

char* put_signed(char* out, int value) {
    if (value < 0) {
        *out++ = '-';
        return put_padded(out, static_cast<uint32_t>(-static_cast<int64_t>(value)), 1);
    }
    return put_padded(out, static_cast<uint32_t>(value), 1);
}

// "---," for no tag (and for the special mark unless it is shown as "!!!"),
// else the number left-padded with hyphens to three characters.
char* put_tag(char* out, uint8_t tag, bool mark_as_bangs, bool mark_is_tag) {
    if (tag == 0xFE && mark_as_bangs) return put_text(out, "!!!,");
    if (tag == 0xFF || (tag == 0xFE && !mark_is_tag)) return put_text(out, "---,");
    if (tag < 10) out = put_text(out, "--");
    else if (tag < 100) out = put_text(out, "-");
    out = put_padded(out, tag, 1);
    *out++ = ',';
    return out;
}

char* put_time(char* out, unsigned hour, unsigned minute, unsigned second) {
    out = put_padded(out, hour, 2);
    out = put_padded(out, minute, 2);
    out = put_padded(out, second, 2);
    return put_text(out, ".000,");
}

// ddmm.mmmm (degree width 4) or dddmm.mmmm (width 5), then the hemisphere.
char* put_coordinate(char* out, uint32_t field, int width, char positive, char negative) {
    const uint32_t value = field & 0x7FFFFFFFu;
    out = put_padded(out, value / 10000, width);
    *out++ = '.';
    out = put_padded(out, value % 10000, 4);
    *out++ = ',';
    *out++ = (field & 0x80000000u) ? negative : positive;
    *out++ = ',';
    return out;
}

char* put_position(char* out, const uint8_t* record) {
    out = put_coordinate(out, read_le32(record + 4), 4, 'N', 'S');
    return put_coordinate(out, read_le32(record), 5, 'E', 'W');
}

char* put_rmc_rest(char* out, uint8_t speed, unsigned day, unsigned month, unsigned year) {
    out = put_padded(out, speed, 1);
    out = put_text(out, ".00,0.00,");
    out = put_padded(out, day, 2);
    out = put_padded(out, month, 2);
    out = put_padded(out, year, 2);
    return put_text(out, ",,*00\r\n");
}

}  // namespace

char* format_record(const uint8_t* record, char* out) {
    const uint32_t when = read_le32(record + 8);
    const unsigned second = when & 0x3F;
    const unsigned minute = (when >> 6) & 0x3F;
    const unsigned hour = (when >> 12) & 0x1F;
    const unsigned day = (when >> 17) & 0x1F;
    const unsigned month = (when >> 22) & 0x0F;
    const unsigned year = when >> 26;
    const uint16_t altitude = static_cast<uint16_t>(record[12] | record[13] << 8);
    const uint8_t speed = record[14];
    const uint8_t tag = record[15];

    out = put_tag(out, tag, false, false);
    out = put_text(out, "$GPGGA,");
    out = put_time(out, hour, minute, second);
    out = put_position(out, record);
    out = put_text(out, "1,08,00.0,");
    if (altitude == 0xFFFF) {
        out = put_text(out, "00000,");
    } else {
        out = put_signed(out, static_cast<int16_t>(altitude));
        out = put_text(out, ".0,");
    }
    out = put_text(out, "M,00.0,M,,*00\r\n");

    out = put_tag(out, tag, true, false);
    out = put_text(out, "$GPRMC,");
    out = put_time(out, hour, minute, second);
    out = put_text(out, "A,");
    out = put_position(out, record);
    return put_rmc_rest(out, speed, day, month, year);
}

char* format_earlier_record(const uint8_t* record, char* out) {
    out = put_tag(out, record[15], false, true);
    out = put_text(out, "$GPRMC,");
    out = put_time(out, record[11], record[12], record[13]);
    out = put_text(out, "A,");
    out = put_position(out, record);
    return put_rmc_rest(out, record[14], record[10], record[9], record[8]);
}

void ChecksumFiller::run(const char* in, size_t n, char* out) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < n; ++i) {
        const char c = in[i];
        if (to_drop_ > 0) {
            // The checksum digits take the places of the dropped bytes, so a
            // piece ending inside "*00" still keeps its length.
            --to_drop_;
            *out++ = held_[held_count_++];
            continue;
        }
        if (copy_next_) {
            copy_next_ = false;
            *out++ = c;
            continue;
        }
        *out++ = c;
        if (c == '$') {
            sum_ = 0;
        } else if (c == '*') {
            held_[0] = kHex[sum_ >> 4];
            held_[1] = kHex[sum_ & 0x0F];
            held_count_ = 0;
            to_drop_ = 2;
            copy_next_ = true;
        } else {
            sum_ ^= static_cast<uint8_t>(c);
        }
    }
}

}  // namespace dlr
