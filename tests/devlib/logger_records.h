#pragma once
// Builds logger database records byte by byte and the dump text lines they
// should give, with plain printf formatting (apart from the library's own).
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct Fix {
    bool west = false, south = false;
    uint32_t longitude = 1706'0500;  // dddmm.mmmm x 10,000 (017 06.0500)
    uint32_t latitude = 4809'1234;   // ddmm.mmmm x 10,000
    int year = 10, month = 7, day = 3, hour = 8, minute = 5, second = 9;
    int altitude = 152;               // 0xFFFF: none
    uint8_t speed = 12;
    uint8_t tag = 0xFF;
};

constexpr size_t kSmallDumpRecords = 249856;  // the 4 MiB geometry

std::string record_bytes(const Fix& f);          // 16 bytes, current layout
std::string earlier_record_bytes(const Fix& f);  // 16 bytes, date and time as six bytes
std::string erased_record();

// A whole database image: records at the given indexes, the rest erased.
std::string memory_image(size_t records, const std::vector<std::pair<size_t, Fix>>& placed, bool earlier = false);

// The two lines of a fix (current build) or the one line (earlier build),
// with checksums filled in as NMEA computes them.
std::string expected_lines(const Fix& f);
std::string expected_earlier_line(const Fix& f);

std::string gga_header();
std::string rmc_header();

// The fix of record i in the tests' synthetic sequences: one second apart,
// positions moving with the index.
Fix nth_fix(size_t i);

// True when every line's "*XX" matches the exclusive OR between '$' and '*'.
bool checksums_valid(const std::string& text);

}  // namespace testing_support
