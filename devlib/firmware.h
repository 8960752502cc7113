#pragma once
#include <cstdint>

namespace dlr {

// Checks and decodes a firmware file into the upload image, computes its
// check byte and version text: 0, or 31, 32, 33, 34, 36.
int32_t load_firmware(const char* path);

// The whole upgrade: 35, or 26, the load failures, 18, 12.
int32_t upgrade_firmware(const char* path);

}  // namespace dlr
