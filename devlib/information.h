#pragma once
#include <cstdint>

namespace dlr {

// Reads the information block into the library state: 0, or 27, 28, 12.
int32_t read_information();
// Version text of the last block ("major.minor", at most 5 bytes with zero).
void information_version(char* out);
// Maker name of the last block with its zero (at most 33 bytes).
void information_maker(char* out);

int32_t write_serial_number(uint32_t serial);
int32_t read_gps_time(uint8_t* out6);
int32_t read_used_memory(int32_t* used);
int32_t erase_database();

}  // namespace dlr
