#include "devlib/settings.h"

#include <cstring>

#include "devlib/file_copy.h"
#include "devlib/folder_preparation.h"
#include "devlib/link.h"
#include "devlib/settings_record.h"
#include "devlib/state.h"
#include "devlib/upload.h"

namespace dlr {

namespace {

constexpr uint32_t kNotSet = 0xFFFFFFFFu;
constexpr size_t kMaxSoundBytes = 131327;

constexpr const char* kSoundFiles[] = {
    "battery_low.wav", "BT_close.wav", "BT_open.wav", "Error_Beep.wav", "GPS_search.wav",
    "GPS_search_finished.wav", "OK_Beep.wav", "OK1_Beep.wav", "Dot_Tag.wav",
};
// The earlier build knows the first eight.
constexpr size_t kSoundFileCount = kEarlierBuild ? 8 : 9;

bool is_set(uint32_t interval) { return interval != kNotSet && interval != 0; }

int32_t check_arguments(const DeviceSettings& a) {
    if (is_set(a.first_interval)) {
        if (is_set(a.second_interval)) return 15;
        if (a.first_interval > 3600) return 19;
    }
    if (is_set(a.second_interval) &&
        ((!kEarlierBuild && a.second_interval < 25) || a.second_interval > 3000))
        return 20;
    if (a.setting_19 > 20) return 30;
    if (kEarlierBuild) return 0;
    if (a.setting_1a > 15 || a.setting_1a < 2) return 44;
    if (a.setting_1b > 1) return 46;
    if (a.time_zone > 12 || a.time_zone < -12) return 47;
    if (a.positions) {
        for (size_t i = 0; i < kPositionEntries; ++i) {
            const uint8_t* entry = a.positions + i * kEntrySize;
            if (entry[13] == 1 && entry_out_of_range(entry)) return 43;
        }
    }
    return 0;
}

void build_record(const DeviceSettings& a, uint8_t* record) {
    std::memset(record, 0xFF, kSettingsRecordSize);
    write_le32(record, a.first_interval == 0 ? kNotSet : a.first_interval);
    write_le32(record + 4, a.second_interval == 0 ? kNotSet : a.second_interval);
    record[0x08] = a.setting_08;
    record[0x18] = a.setting_18;
    record[0x19] = a.setting_19;
    if (kEarlierBuild) return;
    record[0x1A] = a.setting_1a;
    record[0x1B] = a.setting_1b;
    record[0x1C] = static_cast<uint8_t>(a.time_zone);
    if (!a.positions) return;
    for (size_t i = 0; i < kPositionEntries; ++i) {
        const uint8_t* entry = a.positions + i * kEntrySize;
        if (entry[13] == 1) store_entry(entry, record + 32 + i * kEntrySize);
    }
}

// Loggers whose second name carries "ZPK" take no sounds.
bool takes_no_sounds() {
    if (kEarlierBuild) return false;
    const DeviceInformation& info = state().information;
    const size_t n = strnlen(info.second_name, sizeof info.second_name);
    for (size_t i = 0; i + 3 <= n; ++i) {
        if (std::memcmp(info.second_name + i, "ZPK", 3) == 0) return true;
    }
    return false;
}

// Concatenates the sound files of the current folder into the sound area.
int32_t load_sounds(size_t* total) {
    *total = 0;
    if (takes_no_sounds()) return 0;
    LibraryState& s = state();
    for (size_t i = 0; i < kSoundFileCount; ++i) {
        const long long length = file_length(kSoundFiles[i]);
        if (length < 0) return 16;
        if (*total + static_cast<size_t>(length) > kMaxSoundBytes) return 17;
        size_t size = 0;
        if (read_file_into(kSoundFiles[i], s.sound_area + *total, static_cast<size_t>(length), &size) !=
            ReadResult::Ok)
            return 16;
        *total += size;
    }
    return 0;
}

}  // namespace

int32_t write_settings(const DeviceSettings& a) {
    LibraryState& s = state();
    if (const int32_t r = check_arguments(a)) return r;
    uint8_t record[kSettingsRecordSize];
    build_record(a, record);
    if (!prepare_folder(a.sound_folder, FolderMode::Folder)) return 23;
    size_t sound_bytes = 0;
    if (const int32_t r = load_sounds(&sound_bytes)) return r;
    if (!s.dump_mode) return 26;
    query_memory_size();
    std::memcpy(s.upload_image, record, kSettingsRecordSize);
    std::memcpy(s.upload_image + kSettingsRecordSize, s.sound_area, sound_bytes);
    const size_t length = kSettingsRecordSize + sound_bytes;
    const int32_t r = upload_image(0x55, 0xAA, length, xor_of(s.upload_image, length), UploadKind::Settings);
    return r == 0 ? 14 : r;
}

int32_t read_settings(SettingsReadBack& out) {
    LibraryState& s = state();
    if (!s.dump_mode) return 26;
    if (!send_command(0x62, 0xB6)) return 12;
    if (read_answer(kSettingsRecordSize) == 0) return 12;
    uint8_t record[kSettingsRecordSize];
    std::memcpy(record, s.transfer, sizeof record);

    const uint32_t first = read_le32(record);
    const uint32_t second = read_le32(record + 4);
    if (first == kNotSet) {
        out.first_interval = -1;
        out.second_interval = second == kNotSet ? 50 : static_cast<int32_t>(second);
    } else {
        out.first_interval = static_cast<int32_t>(first);
        out.second_interval = -1;
    }
    out.setting_08 = record[0x08] != 0 ? 2 : 0;
    out.setting_18 = record[0x18] == 0xFF ? 1 : record[0x18];
    out.setting_19 = record[0x19] == 0xFF ? 0 : record[0x19];
    out.setting_1a = record[0x1A] == 0xFF ? 15 : record[0x1A];
    out.setting_1b = record[0x1B] == 0xFF ? 1 : record[0x1B];
    const int8_t zone = static_cast<int8_t>(record[0x1C]);
    out.time_zone = (zone >= -12 && zone <= 12) ? zone : 0;
    std::memset(out.positions, 0xFF, sizeof out.positions);
    for (size_t i = 0; i < kPositionEntries; ++i) {
        const uint8_t* stored = record + 32 + i * kEntrySize;
        if (stored[11] != 0xFF) restore_entry(stored, out.positions + i * kEntrySize);
    }
    if (!wait_end_marker()) return 12;
    return 22;
}

}  // namespace dlr
