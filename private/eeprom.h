#pragma once
// The tracker's private-trip memory, written onto the card as EEPROM.BIN:
// a header word, then entries of three little-endian words (kind, start
// time in the day file's time-word layout, length in 0.1 m).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tripdesk::private_trips {

// The name of the memory image in the card folder.
inline constexpr const char* kEepromFileName = "EEPROM.BIN";

// One trip of the memory.
class Teep_zazn {
public:
    uint16_t day = 0;
    uint16_t month = 0;
    uint16_t year = 0;  // two-digit year; 0 when the time word was 0
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    std::string driver_key;  // bytes 1..3 of the kind word as "%.2X" each
    bool is_private = false; // kind word 11
    float distance = 0.0f;   // km
};

struct EepromImage {
    size_t size_bytes = 0;  // whole words x 4
    std::vector<Teep_zazn> entries;  // in file order; empty slots and a cut last entry left out
};

// Parses the bytes of EEPROM.BIN. Never fails: what cannot be an entry is dropped.
EepromImage parse_eeprom(std::string_view bytes);

// Reads and parses a file; throws IoError.
EepromImage read_eeprom(const std::string& path);

}  // namespace tripdesk::private_trips
