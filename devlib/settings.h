#pragma once
#include <cstdint>

namespace dlr {

// Arguments of the settings write; the earlier build uses the first seven.
struct DeviceSettings {
    uint32_t first_interval;
    uint32_t second_interval;
    uint8_t setting_08;
    uint8_t setting_18;
    const char* sound_folder;
    uint8_t setting_19;
    const uint8_t* positions;  // ten caller's entries; unused by the earlier build
    uint8_t setting_1a;
    uint8_t setting_1b;
    int8_t time_zone;
};

int32_t write_settings(const DeviceSettings& settings);

struct SettingsReadBack {
    int32_t first_interval;
    int32_t second_interval;
    uint8_t setting_08, setting_18, setting_19, setting_1a, setting_1b;
    int8_t time_zone;
    uint8_t positions[160];
};

int32_t read_settings(SettingsReadBack& out);

}  // namespace dlr
