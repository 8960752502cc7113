#pragma once
// The library's one state, shared by every export. All buffers are static and
// sized for the largest dump, so a transaction allocates nothing beyond a
// temporary copy of a file it reads.
#include <cstddef>
#include <cstdint>

namespace dlr {

#ifdef DLR4470_DLL_BUILD
constexpr bool kEarlierBuild = true;
#else
constexpr bool kEarlierBuild = false;
#endif

constexpr size_t kRecordSize = 16;
constexpr size_t kMaxDumpBytes = 8192000;
constexpr size_t kMaxRecords = kMaxDumpBytes / kRecordSize;
constexpr size_t kUploadCapacity = 4194304;
constexpr size_t kSoundCapacity = 1048576;
constexpr size_t kPathCapacity = 256;  // 255 characters and the zero
constexpr size_t kTransferCapacity = 512;

// The last information block the logger sent.
struct DeviceInformation {
    uint8_t identity[4] = {};  // bytes 0..3 of the block (1 and 2 are the version bytes)
    uint32_t serial = 0;
    char maker[32] = {};       // field as received
    char second_name[32] = {};
};

// Everything starts as zero bytes, so the state lives in zero-filled storage
// and does not weigh on the library file. The port handle is the serial
// port's own (serial_port.cpp).
struct LibraryState {
    bool dump_mode = false;
    int32_t found_port = 0;
    uint32_t memory_size_code = 0;
    uint32_t dump_bytes = 0;
    uint32_t dump_records = 0;
    uint8_t transfer[kTransferCapacity] = {};
    char saved_folder[kPathCapacity] = {};
    char file_part[kPathCapacity] = {};
    char folder_part[kPathCapacity] = {};
    uint8_t dump_image[kMaxDumpBytes] = {};
    uint8_t record_table[kMaxRecords][kRecordSize] = {};
    uint8_t upload_image[kUploadCapacity] = {};
    uint8_t sound_area[kSoundCapacity] = {};
    DeviceInformation information;
    char firmware_version[256] = {};
    uint8_t firmware_check_byte = 0;
};

LibraryState& state();

}  // namespace dlr
