#pragma once
// The dump text file: header lines, the lines of one database record (with
// "00" in place of each checksum) and the pass that fills in the checksums.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dlr {

constexpr std::string_view kGgaHeader =
    "Tag,$GPGGA,UTC(hhmmss.sss),Latitude,N/S,Longitude,E/W,Fix quality,Fix quality,"
    "Horizontal dilution of position,Altitude,Height of geoid,,Checksum\r\n";
constexpr std::string_view kRmcHeader =
    "Tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),"
    "Date(ddmmyy),,Checksum\r\n";
constexpr std::string_view kEarlierHeader =
    "tag,$GPRMC,UTC(hhmmss.sss),A,Latitude,N/S,Longitude,E/W,Speed(knots),Course(degrees),"
    "Date(ddmmyy),,Checksum\n";

// Room one record's lines can take.
constexpr size_t kMaxRecordText = 256;

// Writes the lines of one 16-byte record at out and returns the end: the
// $GPGGA and $GPRMC lines, or in the earlier record layout (date and time as
// six bytes, no altitude) the $GPRMC line alone.
char* format_record(const uint8_t* record, char* out);
char* format_earlier_record(const uint8_t* record, char* out);

// Fills in checksums while copying text piece by piece: a '$' starts a new
// sum, a '*' is followed by the two hexadecimal digits of the exclusive OR of
// the bytes since the '$', and of the next three input bytes the first two
// (the placeholder "00") are dropped and the third is copied. The output of
// each piece has the piece's length, so in and out may be the same buffer.
class ChecksumFiller {
public:
    void run(const char* in, size_t n, char* out);

private:
    uint8_t sum_ = 0;
    int to_drop_ = 0;
    bool copy_next_ = false;
    char held_[2] = {};
    int held_count_ = 0;
};

}  // namespace dlr
