// The day-file reader and decoder: the input is a whole day file, read as
// written (20- or 24-byte records by its marker) and with Force20byte.
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "track/day_analysis.h"
#include "track/day_file.h"

using namespace tripdesk::track;

namespace {

// Records a file of `size` bytes holds: the words after the header, a
// partial final record counting as one.
size_t expected_records(size_t size, int record_bytes) {
    const size_t words = size / 4;
    const size_t header_words = kHeaderBytes / 4;
    if (words <= header_words) return 0;
    const size_t per_record = static_cast<size_t>(record_bytes / 4);
    return (words - header_words + per_record - 1) / per_record;
}

void read_as(std::string_view bytes, bool force20byte, double koeficient) {
    const DayFileOptions options{koeficient, force20byte};
    const std::vector<Tgps_record> records = decode_records(bytes, options);
    tripdesk::fuzz::expect(records.size() == expected_records(bytes.size(), record_size(bytes, force20byte)),
                           "decode_records delivers one record per started record");
    int previous = 0;
    TimeSequence sequence(0);
    for (const Tgps_record& r : records) {
        tripdesk::fuzz::expect(r.Dallas.size() == 8, "key text has eight digits");
        record_matches_file_name(r, day_file_name(r.Day, r.Month, two_digit_year(r)));
        sequence.follows(time_of_day(r));
        if (r.Valid) {
            const Tgps_record shifted = ShiftRecordTime(r, previous % 1440);
            tripdesk::fuzz::expect(shifted.Hour <= 23 && shifted.Min <= 59 && shifted.Sec <= 59,
                                   "a shifted valid time stays within the day");
        }
        previous = previous * 31 + r.Speed;
        previous %= 100000;
    }
    const Tgps_zaznam summary = analyze_day_bytes(bytes, options);
    tripdesk::fuzz::expect(summary.Prejd >= 0 && summary.PrejdSukr >= 0 && summary.PrejdSukr <= summary.Prejd + 1e-9,
                           "distances are not negative and the private part lies within the whole");
    tripdesk::fuzz::expect(summary.MaxRych >= 0 && summary.MaxRych <= kMaxValidSpeed, "maximum speed is a valid speed");
    count_trip_starts(bytes, options);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = tripdesk::fuzz::as_text(data, size);
    read_as(bytes, false, 1.0);
    read_as(bytes, true, 1.05);
    return 0;
}
