#pragma once
#include <cstddef>
#include <cstdint>

namespace dlr {

enum class UploadKind { Settings, Firmware };

// Sends the first length bytes of the upload image under the given opcode
// pair with its check byte, then waits for the logger's verdict: 0 on
// success, 18 when the logger reported "Checksum Error", 12 on a failed write
// or no end marker in time. A firmware upload also waits for the logger to
// settle afterwards.
int32_t upload_image(uint8_t op1, uint8_t op2, size_t length, uint8_t check_byte, UploadKind kind);

uint8_t xor_of(const uint8_t* bytes, size_t n);

}  // namespace dlr
