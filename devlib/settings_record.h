#pragma once
// The 256-byte settings record and the conversion of position entries
// between the caller's form (degrees, minutes, seconds, hundredths) and the
// stored form (ddmm.mmmm x 10,000 with the sign in bit 31).
#include <cstddef>
#include <cstdint>

namespace dlr {

constexpr size_t kSettingsRecordSize = 256;
constexpr size_t kPositionEntries = 10;
constexpr size_t kEntrySize = 16;

// Stored coordinate from a caller's sign, degrees, minutes, seconds and
// hundredths of a second (bytes 0..4 of a longitude, 5..9 of a latitude).
uint32_t stored_coordinate(const uint8_t* caller);
// The inverse, into five caller bytes; the hundredths are truncated.
void caller_coordinate(uint32_t stored, uint8_t* caller);

// True when an enabled caller's entry holds a value out of range.
bool entry_out_of_range(const uint8_t* caller_entry);

void store_entry(const uint8_t* caller_entry, uint8_t* stored_entry);
void restore_entry(const uint8_t* stored_entry, uint8_t* caller_entry);

}  // namespace dlr
