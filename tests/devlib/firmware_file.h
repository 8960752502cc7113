#pragma once
// Builds logger firmware files: the plain image is chained twice (each word
// XOR the chained word before it, the checksum word standing before the
// first), which the library undoes, with the signature placed in the file as
// stored and the checksum word equal to the byte sum of the plain image.
#include <cstdint>
#include <string>

namespace testing_support {

struct FirmwareFile {
    std::string file;   // 65,536 bytes as stored
    std::string plain;  // the decoded image the logger should receive
};

FirmwareFile make_firmware(uint8_t version_byte);

}  // namespace testing_support
