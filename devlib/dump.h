#pragma once
#include <cstdint>

namespace dlr {

// The whole database dump into the dump text file at path.
int32_t dump_database(const char* path);

// Stages 2 to 4 on a "DB.sr" already in the current folder: ordering,
// conversion and checksums into the file named destination. 2 or a failure
// code. Apart so that the conversion can be measured without a logger.
int32_t convert_raw_dump(const char* destination);

}  // namespace dlr
