#include "devlib/firmware.h"

#include <cstdio>
#include <cstring>

#include "devlib/file_copy.h"
#include "devlib/folder_preparation.h"
#include "devlib/serial_port.h"
#include "devlib/state.h"
#include "devlib/upload.h"

namespace dlr {

namespace {

constexpr size_t kFirmwareSize = 65536;
constexpr size_t kChainedBytes = 0xFFF0;
constexpr size_t kSignatureOffset = 0xFFC8;
constexpr char kSignature[] = "Telvarimoxan Is Super Man ^-^";
constexpr size_t kChecksumOffset = 0xFFF0;
constexpr size_t kVersionOffset = 0xFF81;
constexpr size_t kCheckedBytes = 0xFF80;
constexpr char kEarlierFirmwareName[] = "DLR4470_Encode.Bin";

uint16_t word_at(const uint8_t* image, size_t index) {
    return static_cast<uint16_t>(image[2 * index] | image[2 * index + 1] << 8);
}

void set_word(uint8_t* image, size_t index, uint16_t value) {
    image[2 * index] = static_cast<uint8_t>(value);
    image[2 * index + 1] = static_cast<uint8_t>(value >> 8);
}

// One pass of the chain: every word XOR the old value of the word before it,
// the word before the first being the checksum word.
void unchain(uint8_t* image, uint16_t seed) {
    uint16_t previous = seed;
    for (size_t i = 0; i < kChainedBytes / 2; ++i) {
        const uint16_t original = word_at(image, i);
        set_word(image, i, original ^ previous);
        previous = original;
    }
}

}  // namespace

int32_t load_firmware(const char* path) {
    LibraryState& s = state();
    const FolderMode mode = kEarlierBuild ? FolderMode::Folder : FolderMode::File;
    if (!prepare_folder(path, mode)) return 31;
    s.firmware_check_byte = 0;
    const char* name = kEarlierBuild ? kEarlierFirmwareName : s.file_part;
    if (name[0] == '\0') return 32;
    const long long length = file_length(name);
    if (length < 0) return 32;
    if (length != static_cast<long long>(kFirmwareSize)) return 33;
    uint8_t* image = s.upload_image;
    size_t size = 0;
    if (read_file_into(name, image, kFirmwareSize, &size) != ReadResult::Ok) return 32;
    if (size != kFirmwareSize) return 33;
    if (std::memcmp(image + kSignatureOffset, kSignature, sizeof kSignature) != 0) return 34;

    const uint16_t checksum = word_at(image, kChecksumOffset / 2);
    unchain(image, checksum);
    unchain(image, checksum);
    uint16_t sum = 0;
    for (size_t i = 0; i < kChainedBytes; ++i) sum = static_cast<uint16_t>(sum + image[i]);
    if (sum != checksum) return 36;

    std::memset(image + kChecksumOffset, 0, kFirmwareSize - kChecksumOffset);
    s.firmware_check_byte = xor_of(image, kCheckedBytes);
    const uint8_t version = image[kVersionOffset];
    std::snprintf(s.firmware_version, sizeof s.firmware_version, "%u.%u",
                  static_cast<unsigned>((version >> 3) & 7), static_cast<unsigned>(version & 7));
    return 0;
}

int32_t upgrade_firmware(const char* path) {
    LibraryState& s = state();
    if (!s.dump_mode) return 26;
    if (const int32_t r = load_firmware(path)) return r;
    const int32_t r = upload_image(0x5D, 0xB2, kFirmwareSize, s.firmware_check_byte, UploadKind::Firmware);
    if (r != 0) return r;
    // The logger restarts: no exit command, and the caller enters again.
    port_close();
    s.dump_mode = false;
    return 35;
}

}  // namespace dlr
