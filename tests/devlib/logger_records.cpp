#include "devlib/logger_records.h"

#include <cstdio>
#include <sstream>

namespace testing_support {

namespace {

void put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
}

std::string with_checksum(const std::string& line_without_star) {
    const size_t dollar = line_without_star.find('$');
    unsigned x = 0;
    for (size_t i = dollar + 1; i < line_without_star.size(); ++i) x ^= static_cast<unsigned char>(line_without_star[i]);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", x);
    return line_without_star + tail;
}

std::string tag_text(uint8_t tag, bool rmc, bool earlier) {
    if (tag == 0xFF) return "---,";
    if (tag == 0xFE && !earlier) return rmc ? "!!!," : "---,";
    char buf[8];
    std::snprintf(buf, sizeof buf, "%3u,", tag);
    std::string s = buf;
    for (char& c : s) {
        if (c == ' ') c = '-';
    }
    return s;
}

std::string position_text(const Fix& f) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04u.%04u,%c,%05u.%04u,%c,", f.latitude / 10000, f.latitude % 10000,
                  f.south ? 'S' : 'N', f.longitude / 10000, f.longitude % 10000, f.west ? 'W' : 'E');
    return buf;
}

std::string rmc_body(const Fix& f) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "$GPRMC,%02d%02d%02d.000,A,%s%u.00,0.00,%02d%02d%02d,,", f.hour, f.minute,
                  f.second, position_text(f).c_str(), f.speed, f.day, f.month, f.year);
    return buf;
}

}  // namespace

std::string record_bytes(const Fix& f) {
    std::string r(16, '\0');
    put32(r, 0, f.longitude | (f.west ? 0x80000000u : 0));
    put32(r, 4, f.latitude | (f.south ? 0x80000000u : 0));
    const uint32_t when = static_cast<uint32_t>(f.second) | static_cast<uint32_t>(f.minute) << 6 |
                          static_cast<uint32_t>(f.hour) << 12 | static_cast<uint32_t>(f.day) << 17 |
                          static_cast<uint32_t>(f.month) << 22 | static_cast<uint32_t>(f.year) << 26;
    put32(r, 8, when);
    r[12] = static_cast<char>(f.altitude & 0xFF);
    r[13] = static_cast<char>((f.altitude >> 8) & 0xFF);
    r[14] = static_cast<char>(f.speed);
    r[15] = static_cast<char>(f.tag);
    return r;
}

std::string earlier_record_bytes(const Fix& f) {
    std::string r(16, '\0');
    put32(r, 0, f.longitude | (f.west ? 0x80000000u : 0));
    put32(r, 4, f.latitude | (f.south ? 0x80000000u : 0));
    const int fields[6] = {f.year, f.month, f.day, f.hour, f.minute, f.second};
    for (int i = 0; i < 6; ++i) r[8 + static_cast<size_t>(i)] = static_cast<char>(fields[i]);
    r[14] = static_cast<char>(f.speed);
    r[15] = static_cast<char>(f.tag);
    return r;
}

std::string erased_record() { return std::string(16, '\xFF'); }

std::string memory_image(size_t records, const std::vector<std::pair<size_t, Fix>>& placed, bool earlier) {
    std::string image(records * 16, '\xFF');
    for (const auto& [index, fix] : placed) {
        image.replace(index * 16, 16, earlier ? earlier_record_bytes(fix) : record_bytes(fix));
    }
    return image;
}

std::string expected_lines(const Fix& f) {
    char alt[16];
    if ((f.altitude & 0xFFFF) == 0xFFFF) {
        std::snprintf(alt, sizeof alt, "00000,");
    } else {
        std::snprintf(alt, sizeof alt, "%d.0,", static_cast<int16_t>(f.altitude));
    }
    char gga[200];
    std::snprintf(gga, sizeof gga, "$GPGGA,%02d%02d%02d.000,%s1,08,00.0,%sM,00.0,M,,", f.hour, f.minute, f.second,
                  position_text(f).c_str(), alt);
    return with_checksum(tag_text(f.tag, false, false) + gga) + with_checksum(tag_text(f.tag, true, false) + rmc_body(f));
}

std::string expected_earlier_line(const Fix& f) { return with_checksum(tag_text(f.tag, true, true) + rmc_body(f)); }

std::string gga_header() {
    return "Tag,$GPGGA,UTC(hhmmss.sss),Latitude,N/S,Longitude,E/W,Fix quality,Fix quality,Horizontal dilution of "
           "position,Altitude,Height of geoid,,Checksum\r\n";
}

std::string rmc_header() {
    return "Tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),Date(ddmmyy),,"
           "Checksum\r\n";
}

Fix nth_fix(size_t i) {
    Fix f;
    const size_t seconds = 8 * 3600 + i;
    f.hour = static_cast<int>(seconds / 3600 % 24);
    f.minute = static_cast<int>(seconds / 60 % 60);
    f.second = static_cast<int>(seconds % 60);
    f.day = 1 + static_cast<int>(i / 86400 % 28);
    f.latitude = 4809'1234 + static_cast<uint32_t>(i % 5000);
    f.longitude = 1706'0500 + static_cast<uint32_t>(i % 3000);
    f.speed = static_cast<uint8_t>(i % 200);
    f.altitude = static_cast<int>(i % 300) - 20;
    f.tag = static_cast<uint8_t>(i % 7 == 0 ? 0xFF : i % 256);
    return f;
}

bool checksums_valid(const std::string& text) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const size_t dollar = line.find('$');
        const size_t star = line.find('*');
        if (dollar == std::string::npos || star == std::string::npos) continue;
        unsigned x = 0;
        for (size_t i = dollar + 1; i < star; ++i) x ^= static_cast<unsigned char>(line[i]);
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", x);
        if (line.compare(star + 1, 2, hex) != 0) return false;
    }
    return true;
}

}  // namespace testing_support
