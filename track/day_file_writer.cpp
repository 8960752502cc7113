#include "track/day_file_writer.h"

#include "common/atomic_file.h"

namespace tripdesk::track {

RawRecord encode_record(const Tgps_record& r, uint32_t key_word) {
    RawRecord raw;
    raw.w1 = encode_status(r.Mod, r.New, static_cast<uint32_t>(r.Speed), static_cast<uint32_t>(r.Crs),
                           r.Sats, r.Sukr, r.Tag);
    raw.w2 = encode_distance(static_cast<uint32_t>(r.Alt), static_cast<uint32_t>(r.Trian));
    raw.w3 = encode_time(r.Year, r.Month, r.Day, r.Hour, r.Min, r.Sec);
    raw.w4 = word_from_float(r.Lon);
    raw.w5 = word_from_float(r.Lat);
    raw.key = key_word;
    return raw;
}

Fix fix(int day, int month, int year) {
    Fix f;
    f.r.Day = static_cast<uint16_t>(day);
    f.r.Month = static_cast<uint16_t>(month);
    f.r.Year = static_cast<uint16_t>(year - 2002);
    f.r.Sats = 8;
    f.r.Mod = 3;
    return f;
}

DayFileWriter::DayFileWriter(uint32_t marker, uint32_t format_stamp)
    : has_key_(record_size_for_marker(marker, false) == 24) {
    bytes_.reserve(1 << 12);
    word(marker);
    word(format_stamp);
    for (int i = 0; i < 6; ++i) word(0);
}

DayFileWriter& DayFileWriter::add(const RawRecord& r) {
    word(r.w1).word(r.w2).word(r.w3).word(r.w4).word(r.w5);
    if (has_key_) word(r.key);
    return *this;
}

DayFileWriter& DayFileWriter::word(uint32_t w) {
    const char le[4] = {static_cast<char>(w & 0xFF), static_cast<char>((w >> 8) & 0xFF),
                        static_cast<char>((w >> 16) & 0xFF), static_cast<char>((w >> 24) & 0xFF)};
    bytes_.append(le, 4);
    return *this;
}

DayFileWriter& DayFileWriter::raw(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
}

void DayFileWriter::save(const std::string& path) const { write_file_atomically(path, bytes_); }

}  // namespace tripdesk::track
