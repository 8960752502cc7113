#include "tools/sim/logger_sim_database.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>

namespace logger_sim {

namespace {

void put_le32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// ddmm.mmmm x 10,000 from degrees and ten-thousandths of minutes.
uint32_t coordinate(uint32_t degrees, uint32_t minute_units) {
    return degrees * 1000000 + minute_units;
}

}  // namespace

size_t dump_bytes_for(int mebibytes) { return mebibytes == 8 ? 8192000 : 3997696; }

std::vector<uint8_t> erased_memory(size_t bytes) { return std::vector<uint8_t>(bytes, 0xFF); }

void generate_records(std::vector<uint8_t>& memory, const GeneratedRecords& spec) {
    const size_t capacity = memory.size() / 16;
    if (capacity == 0) return;
    for (size_t i = 0; i < spec.count && i < capacity; ++i) {
        uint8_t* r = memory.data() + ((spec.first + i) % capacity) * 16;
        const std::time_t when = static_cast<std::time_t>(spec.start_time + static_cast<long long>(i) * spec.step_seconds);
        std::tm t{};
        gmtime_r(&when, &t);
        // Positions stay within one minute of arc so every value stays valid.
        put_le32(r, coordinate(17, 60500 + static_cast<uint32_t>(i % 3000)));
        put_le32(r + 4, coordinate(48, 91234 + static_cast<uint32_t>(i % 5000)));
        const uint8_t mark = (spec.mark_every > 0 && (i + 1) % static_cast<size_t>(spec.mark_every) == 0) ? 0xFE : 0xFF;
        if (spec.earlier_layout) {
            r[8] = static_cast<uint8_t>(t.tm_year - 100);
            r[9] = static_cast<uint8_t>(t.tm_mon + 1);
            r[10] = static_cast<uint8_t>(t.tm_mday);
            r[11] = static_cast<uint8_t>(t.tm_hour);
            r[12] = static_cast<uint8_t>(t.tm_min);
            r[13] = static_cast<uint8_t>(t.tm_sec);
        } else {
            const uint32_t packed = static_cast<uint32_t>(t.tm_sec) | static_cast<uint32_t>(t.tm_min) << 6 |
                                    static_cast<uint32_t>(t.tm_hour) << 12 | static_cast<uint32_t>(t.tm_mday) << 17 |
                                    static_cast<uint32_t>(t.tm_mon + 1) << 22 |
                                    static_cast<uint32_t>(t.tm_year - 100) << 26;
            put_le32(r + 8, packed);
            const uint16_t altitude = static_cast<uint16_t>(150 + i % 50);
            r[12] = static_cast<uint8_t>(altitude);
            r[13] = static_cast<uint8_t>(altitude >> 8);
        }
        r[14] = static_cast<uint8_t>(i % 60);
        r[15] = mark;
    }
}

bool load_image(std::vector<uint8_t>& memory, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::copy_n(bytes.begin(), std::min(bytes.size(), memory.size()), memory.begin());
    return true;
}

}  // namespace logger_sim
