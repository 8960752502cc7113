#pragma once
// Builds day files word by word: the logger import writes its card images
// with it, and tests make their fixtures with it (no binary blobs).
//
//   DayFileWriter f(kMarkerWithKey);              // 24-byte records
//   f.add(fix(15, 3, 2009, 8, 0, 0).speed(50).trian(1200).lon(17.1f).lat(48.1f), 0x78563412);
//   f.save(dir + "/150309.GPS");                  // atomically
#include <cstdint>
#include <string>
#include <string_view>

#include "track/day_file.h"

namespace tripdesk::track {

// Field encoders: each puts the values into their bit fields and masks them
// to the field width, so a test can also build out-of-range values on purpose
// (hour 24, minute 60, speed 251).
constexpr uint32_t encode_status(uint32_t mode, uint32_t new_trip, uint32_t speed, uint32_t course,
                                 uint32_t sats, uint32_t priv, uint32_t tag) {
    return (mode & 0x3u) | ((new_trip & 0x1u) << 2) | ((speed & 0x7FFu) << 3) |
           ((course & 0x1FFu) << 14) | ((sats & 0x1Fu) << 23) | ((priv & 0x1u) << 28) |
           ((tag & 0x3u) << 29);
}
constexpr uint32_t encode_distance(uint32_t altitude, uint32_t trian) {
    return (altitude & 0x3FFFu) | ((trian & 0x3FFFFu) << 14);
}
// `year_field` is the raw field: calendar year minus 2002.
constexpr uint32_t encode_time(uint32_t year_field, uint32_t month, uint32_t day, uint32_t hour,
                               uint32_t min, uint32_t sec) {
    return (sec & 0x3Fu) | ((min & 0x3Fu) << 6) | ((hour & 0x1Fu) << 12) | ((day & 0x1Fu) << 17) |
           ((month & 0xFu) << 22) | ((year_field & 0x3Fu) << 26);
}

// The raw words of a decoded record (TagText, Dallas and Valid are not
// stored in the words); key goes into W6 of 24-byte files.
RawRecord encode_record(const Tgps_record& r, uint32_t key_word = 0);

// A small builder for a record's fields, for readable fixtures.
struct Fix {
    Tgps_record r;
    Fix& time(int hour, int min, int sec) { r.Hour = uint16_t(hour); r.Min = uint16_t(min); r.Sec = uint16_t(sec); return *this; }
    Fix& speed(int v) { r.Speed = v; return *this; }
    Fix& course(int v) { r.Crs = v; return *this; }
    Fix& sats(int v) { r.Sats = uint8_t(v); return *this; }
    Fix& trian(int v) { r.Trian = v; return *this; }
    Fix& alt(int v) { r.Alt = v; return *this; }
    Fix& lon(float v) { r.Lon = v; return *this; }
    Fix& lat(float v) { r.Lat = v; return *this; }
    Fix& new_trip(bool v = true) { r.New = v; return *this; }
    Fix& priv(bool v = true) { r.Sukr = v; return *this; }
    Fix& mode(int v) { r.Mod = uint8_t(v); return *this; }
    Fix& tag(int v) { r.Tag = uint8_t(v); return *this; }
};
// A fix on a calendar date (year 2002..2065), 00:00:00, 8 satellites, mode 3.
Fix fix(int day, int month, int year);

class DayFileWriter {
public:
    // Starts the header: word 0 the marker, word 1 the format stamp, six zero
    // words. Records are 24 bytes when the marker is kMarkerWithKey.
    explicit DayFileWriter(uint32_t marker, uint32_t format_stamp = kImportFormatStamp);

    bool has_key() const { return has_key_; }

    // Appends one record; the key word is written only in 24-byte files.
    DayFileWriter& add(const RawRecord& r);
    DayFileWriter& add(const Tgps_record& r, uint32_t key_word = 0) { return add(encode_record(r, key_word)); }
    DayFileWriter& add(const Fix& f, uint32_t key_word = 0) { return add(f.r, key_word); }
    // Appends one raw word or raw bytes (to build damaged files).
    DayFileWriter& word(uint32_t w);
    DayFileWriter& raw(std::string_view bytes);

    const std::string& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

    // Writes the file atomically; throws IoError.
    void save(const std::string& path) const;

private:
    std::string bytes_;
    bool has_key_;
};

}  // namespace tripdesk::track
