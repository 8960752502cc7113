#pragma once
// The day file: one binary file per calendar day, written by the tracker onto
// its card (and by the logger import into card images).
//
// Layout: 32-bit little-endian words. A 32-byte header (only word 0, the
// marker, means anything), then records back to back up to the end of the
// file, with no count and no trailer. A record is five words W1..W5 (20 bytes),
// or six words (24 bytes, W6 = driver key) when the marker is kMarkerWithKey
// and the reader is not told to force 20-byte records.
//
// How every reader here treats an imperfect file (one rule for all readers,
// applied by RecordCursor so nobody re-implements it):
//   * Only whole 32-bit words count; 1 to 3 trailing bytes are ignored.
//   * A file of 32 bytes or less holds no record; a file too short to hold a
//     whole marker word (under 4 bytes) reads as 20-byte records.
//   * A partial final record (the words after the header are not a whole
//     number of records) IS delivered. Its words that lie past the end keep
//     the values of the record before it (zero when it is the first record),
//     exactly as a word-by-word reader that reuses its word variables sees it.
//     So a file cut inside W3 yields one more record whose W1, W2 are real and
//     whose W3..W6 repeat the previous record's.
//
// Day files are read whole into memory and decoded from there: no system call
// per word. Read errors throw tripdesk::IoError with the system message.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tripdesk::track {

// Header marker of files whose records carry the driver key word W6.
constexpr uint32_t kMarkerWithKey = 0x33333311;
// Marker the logger import writes (always 20-byte records).
constexpr uint32_t kMarkerImported = 0x33333300;
// Format stamp the logger import writes into header word 1.
constexpr uint32_t kImportFormatStamp = 0x20021014;
constexpr size_t kHeaderBytes = 32;
// A record whose Speed field is above this is not a valid fix.
constexpr int kMaxValidSpeed = 250;
// One kilometre in the distance unit of the file (0.1 m).
constexpr double kUnitsPerKm = 10000.0;

// The settings every day-file reader depends on (section FRM_MAIN).
struct DayFileOptions {
    double koeficient = 1.0;   // `Koeficient`: multiplies every distance step
    bool force20byte = false;  // `Force20byte`: treat every file as 20-byte records
};

// ---- raw words ------------------------------------------------------------

// The raw words of one record. `key` is W6, or 0 for 20-byte records.
struct RawRecord {
    uint32_t w1 = 0;  // status
    uint32_t w2 = 0;  // distance and altitude
    uint32_t w3 = 0;  // date and time
    uint32_t w4 = 0;  // longitude, IEEE single
    uint32_t w5 = 0;  // latitude, IEEE single
    uint32_t key = 0; // driver key (24-byte records only)
};

inline uint32_t load_le32(const char* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    v = __builtin_bswap32(v);
#endif
    return v;
}

inline float float_from_word(uint32_t w) {
    float f;
    std::memcpy(&f, &w, 4);
    return f;
}

inline uint32_t word_from_float(float f) {
    uint32_t w;
    std::memcpy(&w, &f, 4);
    return w;
}

// Record size in bytes (20 or 24) for a file whose header word 0 is `marker`.
constexpr int record_size_for_marker(uint32_t marker, bool force20byte) {
    return (marker == kMarkerWithKey && !force20byte) ? 24 : 20;
}

// Record size of a file held in memory (20 or 24); files under 4 bytes have
// no marker and read as 20-byte records.
inline int record_size(std::string_view file_bytes, bool force20byte) {
    const uint32_t marker = file_bytes.size() >= 4 ? load_le32(file_bytes.data()) : 0;
    return record_size_for_marker(marker, force20byte);
}

// Walks the records of a day file held in memory, applying the partial-record
// rule above. The bytes must outlive the cursor.
//
//   RecordCursor cur(bytes, opts.force20byte);
//   RawRecord r;
//   while (cur.next(r)) { ... }
//
// `r` must be the same object on every call (it carries the previous words
// into a partial final record); start it zeroed.
class RecordCursor {
public:
    RecordCursor(std::string_view file_bytes, bool force20byte)
        : data_(file_bytes.data()),
          words_per_record_(record_size(file_bytes, force20byte) / 4) {
        const size_t words = file_bytes.size() / 4;
        const size_t header_words = kHeaderBytes / 4;
        if (words > header_words) {
            pos_ = header_words;
            end_ = words;
        }
    }

    int record_bytes() const { return words_per_record_ * 4; }
    bool has_key() const { return words_per_record_ == 6; }

    bool next(RawRecord& r) {
        if (pos_ >= end_) return false;
        const size_t left = end_ - pos_;
        const char* p = data_ + pos_ * 4;
        if (left >= static_cast<size_t>(words_per_record_)) {
            r.w1 = load_le32(p);
            r.w2 = load_le32(p + 4);
            r.w3 = load_le32(p + 8);
            r.w4 = load_le32(p + 12);
            r.w5 = load_le32(p + 16);
            if (words_per_record_ == 6) r.key = load_le32(p + 20);
            pos_ += static_cast<size_t>(words_per_record_);
            return true;
        }
        // Partial final record: the words present overwrite, the rest keep
        // the previous record's values.
        uint32_t* words[6] = {&r.w1, &r.w2, &r.w3, &r.w4, &r.w5, &r.key};
        for (size_t i = 0; i < left; ++i) *words[i] = load_le32(p + 4 * i);
        pos_ = end_;
        return true;
    }

private:
    const char* data_;
    int words_per_record_;
    size_t pos_ = 0;
    size_t end_ = 0;
};

// ---- field accessors on raw words -----------------------------------------
// For readers that need one field only.

// W1, the status word.
constexpr uint32_t w1_mode(uint32_t w1) { return w1 & 0x3u; }
constexpr uint32_t w1_new_trip(uint32_t w1) { return (w1 >> 2) & 0x1u; }
constexpr uint32_t w1_speed(uint32_t w1) { return (w1 >> 3) & 0x7FFu; }
constexpr uint32_t w1_course(uint32_t w1) { return (w1 >> 14) & 0x1FFu; }
constexpr uint32_t w1_sats(uint32_t w1) { return (w1 >> 23) & 0x1Fu; }
constexpr uint32_t w1_private(uint32_t w1) { return (w1 >> 28) & 0x1u; }
constexpr uint32_t w1_tag(uint32_t w1) { return (w1 >> 29) & 0x3u; }

// W2, the distance word. Distance since the previous record in 0.1 m.
constexpr uint32_t w2_altitude(uint32_t w2) { return w2 & 0x3FFFu; }
constexpr uint32_t w2_distance_units(uint32_t w2) { return w2 >> 14; }
constexpr double w2_distance_units_f(uint32_t w2) { return static_cast<double>(w2 >> 14); }

// W3, the time word.
constexpr uint32_t w3_second(uint32_t w3) { return w3 & 0x3Fu; }
constexpr uint32_t w3_minute(uint32_t w3) { return (w3 >> 6) & 0x3Fu; }
constexpr uint32_t w3_hour(uint32_t w3) { return (w3 >> 12) & 0x1Fu; }
constexpr uint32_t w3_day(uint32_t w3) { return (w3 >> 17) & 0x1Fu; }
constexpr uint32_t w3_month(uint32_t w3) { return (w3 >> 22) & 0xFu; }
// Raw year field: calendar year minus 2002.
constexpr uint32_t w3_year(uint32_t w3) { return w3 >> 26; }
constexpr int w3_month_index(uint32_t w3) { return static_cast<int>(w3_month(w3)) - 1; }
constexpr int w3_year_since_1900(uint32_t w3) { return static_cast<int>(w3_year(w3)) + 102; }
// Seconds since midnight (fields taken as stored, even out of range).
constexpr int w3_time_of_day(uint32_t w3) {
    return static_cast<int>(w3_hour(w3) * 3600 + w3_minute(w3) * 60 + w3_second(w3));
}

// ---- the decoded record ---------------------------------------------------

// One decoded record (or one fix of the logger's dump). A plain value type.
struct Tgps_record {
    std::string TagText;  // not set by the decoder; the logger import keeps its line tag here
    uint8_t Tag = 0;
    uint16_t Day = 0;
    uint16_t Month = 0;
    uint16_t Year = 0;  // raw field: calendar year minus 2002
    uint16_t Hour = 0;
    uint16_t Min = 0;
    uint16_t Sec = 0;
    uint8_t Mod = 0;
    uint8_t New = 0;
    uint8_t Sats = 0;
    int32_t Crs = 0;
    int32_t Speed = 0;
    int32_t Trian = 0;  // distance since the previous record, 0.1 m
    int32_t Alt = 0;
    float Lon = 0.0f;
    float Lat = 0.0f;
    std::string Dallas;  // key text, eight lower-case hex digits
    bool Valid = false;
    uint8_t Sukr = 0;  // 1 = private trip, 0 = business trip

    bool operator==(const Tgps_record&) const = default;
};

// Derived values.
inline int calendar_year(const Tgps_record& r) { return r.Year + 2002; }
inline int years_since_1900(const Tgps_record& r) { return r.Year + 102; }
inline int two_digit_year(const Tgps_record& r) { return r.Year + 2; }
inline int month_index(const Tgps_record& r) { return r.Month - 1; }
inline int time_of_day(const Tgps_record& r) { return r.Hour * 3600 + r.Min * 60 + r.Sec; }
// Distance contribution of one record in 0.1 m units.
inline double distance_contribution(const Tgps_record& r, const DayFileOptions& o) {
    return r.Trian * o.koeficient;
}

// The key word as eight lower-case hex digits, bytes in file order (lowest
// byte first): bytes 12 34 56 78 give "12345678"; 0 gives "00000000".
std::string key_text(uint32_t key_word);

// Validity rule: Speed <= 250, then Hour <= 23, Min <= 59, Sec <= 59, then
// neither position is NaN (an infinite value passes).
bool is_valid_fix(int speed, int hour, int min, int sec, float lon, float lat);

// Decodes all fields but TagText and sets Valid by the validity rule. Readers
// without a key word pass 0 (key text "00000000"). Never fails.
Tgps_record decode_record(uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, uint32_t w5,
                          uint32_t key_word);
inline Tgps_record decode_record(const RawRecord& r) {
    return decode_record(r.w1, r.w2, r.w3, r.w4, r.w5, r.key);
}

// Sequence rule for readers that follow a day's records in order: a record
// whose time of day is lower than that of the record before it is invalid.
// Every record, valid or not, becomes the one before for the next. The reader
// chooses what the first record is compared with.
class TimeSequence {
public:
    explicit TimeSequence(int first_previous_time) : previous_(first_previous_time) {}
    // True when `time` (seconds since midnight) does not go back; remembers it.
    bool follows(int time) {
        const bool ok = time >= previous_;
        previous_ = time;
        return ok;
    }

private:
    int previous_;
};

// The day file's name for a date: "%.2d%.2d%.2d.GPS" of day, month, two-digit year.
std::string day_file_name(int day, int month, int two_digit_year);

// Date rule: true when the record's Day, Month and two-digit year give the six
// digits that start the name of the file holding it. `file_name` may be a
// path; its last component counts.
bool record_matches_file_name(const Tgps_record& r, std::string_view file_name);

// ---- whole files ----------------------------------------------------------

// Reads a day file whole; throws IoError.
std::string read_day_file(const std::string& path);

// Reads a day file whole into `buffer`, replacing its content; a caller that
// reads many files reuses one buffer and saves an allocation per file.
// Throws IoError.
void read_day_file_into(const std::string& path, std::string& buffer);

// Decodes every record of a day file held in memory, in file order.
std::vector<Tgps_record> decode_records(std::string_view file_bytes, const DayFileOptions& options);

// Reads and decodes a day file; throws IoError.
std::vector<Tgps_record> read_records(const std::string& path, const DayFileOptions& options);

}  // namespace tripdesk::track
