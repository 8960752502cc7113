#include "track/day_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>

#include "common/io_error.h"

namespace tripdesk::track {

namespace {

// "00" to "ff": the two lower-case hex digits of every byte value.
struct HexPairs {
    char pairs[512];
    constexpr HexPairs() : pairs() {
        constexpr char digits[] = "0123456789abcdef";
        for (int b = 0; b < 256; ++b) {
            pairs[2 * b] = digits[b >> 4];
            pairs[2 * b + 1] = digits[b & 0xF];
        }
    }
};
constexpr HexPairs kHex;

// The key text into eight characters at `out`, lowest byte first.
inline void write_key_text(uint32_t key_word, char* out) {
    for (int i = 0; i < 4; ++i) {
        const uint32_t byte = (key_word >> (8 * i)) & 0xFFu;
        out[2 * i] = kHex.pairs[2 * byte];
        out[2 * i + 1] = kHex.pairs[2 * byte + 1];
    }
}

inline bool valid_fix(int speed, int hour, int min, int sec, float lon, float lat) {
    if (speed > kMaxValidSpeed) return false;
    if (hour > 23 || min > 59 || sec > 59) return false;
    return !std::isnan(lon) && !std::isnan(lat);
}

}  // namespace

std::string key_text(uint32_t key_word) {
    std::string text(8, '0');
    write_key_text(key_word, text.data());
    return text;
}

bool is_valid_fix(int speed, int hour, int min, int sec, float lon, float lat) {
    return valid_fix(speed, hour, min, sec, lon, lat);
}

Tgps_record decode_record(uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, uint32_t w5,
                          uint32_t key_word) {
    Tgps_record r;
    r.Tag = static_cast<uint8_t>(w1_tag(w1));
    r.Day = static_cast<uint16_t>(w3_day(w3));
    r.Month = static_cast<uint16_t>(w3_month(w3));
    r.Year = static_cast<uint16_t>(w3_year(w3));
    r.Hour = static_cast<uint16_t>(w3_hour(w3));
    r.Min = static_cast<uint16_t>(w3_minute(w3));
    r.Sec = static_cast<uint16_t>(w3_second(w3));
    r.Mod = static_cast<uint8_t>(w1_mode(w1));
    r.New = static_cast<uint8_t>(w1_new_trip(w1));
    r.Sats = static_cast<uint8_t>(w1_sats(w1));
    r.Crs = static_cast<int32_t>(w1_course(w1));
    r.Speed = static_cast<int32_t>(w1_speed(w1));
    r.Trian = static_cast<int32_t>(w2_distance_units(w2));
    r.Alt = static_cast<int32_t>(w2_altitude(w2));
    r.Lon = float_from_word(w4);
    r.Lat = float_from_word(w5);
    r.Dallas.resize(8);  // within the string's own buffer: no allocation
    write_key_text(key_word, r.Dallas.data());
    r.Sukr = static_cast<uint8_t>(w1_private(w1));
    r.Valid = valid_fix(r.Speed, r.Hour, r.Min, r.Sec, r.Lon, r.Lat);
    return r;
}

std::string day_file_name(int day, int month, int two_digit_year) {
    char name[32];
    std::snprintf(name, sizeof name, "%.2d%.2d%.2d.GPS", day, month, two_digit_year);
    return name;
}

bool record_matches_file_name(const Tgps_record& r, std::string_view file_name) {
    const size_t slash = file_name.find_last_of("/\\");
    if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
    char digits[32];
    const int n = std::snprintf(digits, sizeof digits, "%.2d%.2d%.2d", r.Day, r.Month, two_digit_year(r));
    return file_name.size() >= static_cast<size_t>(n) &&
           file_name.substr(0, static_cast<size_t>(n)) == std::string_view(digits, static_cast<size_t>(n));
}

void read_day_file_into(const std::string& path, std::string& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw_errno(path);
    struct stat st {};
    const size_t expected = (::fstat(fd, &st) == 0 && st.st_size > 0) ? static_cast<size_t>(st.st_size) : 0;
    // One byte more than the size tells a file that grew from one that did not.
    buffer.resize(expected + 1);
    size_t used = 0;
    for (;;) {
        if (used == buffer.size()) buffer.resize(buffer.size() * 2);
        const ssize_t n = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            errno = err;
            throw_errno(path);
        }
        if (n == 0) break;
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    buffer.resize(used);
}

std::string read_day_file(const std::string& path) {
    std::string bytes;
    read_day_file_into(path, bytes);
    return bytes;
}

std::vector<Tgps_record> decode_records(std::string_view file_bytes, const DayFileOptions& options) {
    std::vector<Tgps_record> records;
    RecordCursor cursor(file_bytes, options.force20byte);
    // Sized once (a partial final record counts as one): growing a vector of
    // a day's records copies them and touches fresh pages at every doubling.
    const size_t words = file_bytes.size() / 4;
    const size_t per_record = static_cast<size_t>(cursor.record_bytes() / 4);
    if (words > kHeaderBytes / 4) records.reserve((words - kHeaderBytes / 4 + per_record - 1) / per_record);
    RawRecord raw;
    while (cursor.next(raw)) records.push_back(decode_record(raw));
    return records;
}

std::vector<Tgps_record> read_records(const std::string& path, const DayFileOptions& options) {
    return decode_records(read_day_file(path), options);
}

}  // namespace tripdesk::track
