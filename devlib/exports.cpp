// The exported entry points: each one guards its transaction so that no
// exception ever crosses the library boundary.
#include <cstring>

#include "devlib/dlr4470.h"
#include "devlib/dump.h"
#include "devlib/firmware.h"
#include "devlib/information.h"
#include "devlib/link.h"
#include "devlib/serial_port.h"
#include "devlib/settings.h"
#include "devlib/state.h"

using namespace dlr;

namespace {

// The only exception the library can meet is a failed allocation.
template <typename F>
int32_t guarded(F&& transaction) noexcept {
    try {
        return transaction();
    } catch (...) {
        return DLR4470_NO_MEMORY;
    }
}

constexpr int kLastComNumber = 256;
constexpr size_t kBannerRead = 32;

bool banner_among(const uint8_t* bytes, size_t n) {
    const size_t banner_length = sizeof kBanner - 1;
    if (n < banner_length) return false;
    for (size_t i = 0; i + banner_length <= n; ++i) {
        if (std::memcmp(bytes + i, kBanner, banner_length) == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" {

int nDLR4470_DLL = 0;

int fnDLR4470_DLL(void) { return 42; }

int32_t QV_DLR4470_AUTO_INTO_DUMP_MODE(int32_t* port) {
    return guarded([&]() -> int32_t {
        LibraryState& s = state();
        if (s.dump_mode) return DLR4470_NO_PORT;
        // The logger announces itself when its port is opened.
        for (int n = 0; n <= kLastComNumber; ++n) {
            if (!port_open(n)) continue;
            std::memset(s.transfer, 0, kBannerRead);
            const size_t got = read_answer(kBannerRead);
            if (banner_among(s.transfer, got)) {
                s.found_port = n;
                const int32_t r = enter_dump_mode();
                if (r == DLR4470_IN_DUMP_MODE && port) *port = n;
                return r;
            }
            port_close();
        }
        s.found_port = 0;
        return DLR4470_NO_PORT;
    });
}

int32_t QV_DLR4470_INTO_DUMP_MODE(int32_t port) {
    return guarded([&]() -> int32_t {
        if (state().dump_mode) return DLR4470_NO_PORT;
        const int com = static_cast<int8_t>(port & 0xFF);
        if (com < 0 || !port_open(com)) return DLR4470_NO_PORT;
        read_answer(kBannerRead);  // the banner, not needed here
        return enter_dump_mode();
    });
}

int32_t QV_DLR4470_EXIT_DUMP_MODE(void) {
    return guarded([]() -> int32_t {
        if (state().dump_mode) leave_dump_mode();
        return DLR4470_OUT_OF_DUMP_MODE;
    });
}

int32_t QV_DLR4470_DUMP_DB(int32_t, const char* path) {
    return guarded([&] { return dump_database(path); });
}

int32_t QV_DLR4470_ERASE_All_DB(int32_t) {
    return guarded([] { return erase_database(); });
}

int32_t QV_DLR4470_READ_DLL_VERSION(char* version) {
    return guarded([&]() -> int32_t {
        if (version) std::memcpy(version, kEarlierBuild ? "1.5" : "2.0", 4);
        return DLR4470_VERSION_WRITTEN;
    });
}

#ifndef DLR4470_DLL_BUILD
int32_t QV_DLR4470_SETTING_DEVICE(int32_t, uint32_t first_interval, uint32_t second_interval,
                                  int32_t setting_08, int32_t setting_18, const char* sound_folder,
                                  int32_t setting_19, const uint8_t* positions, int32_t setting_1a,
                                  int32_t setting_1b, int32_t time_zone) {
    return guarded([&] {
        const DeviceSettings settings{first_interval,
                                      second_interval,
                                      static_cast<uint8_t>(setting_08),
                                      static_cast<uint8_t>(setting_18),
                                      sound_folder,
                                      static_cast<uint8_t>(setting_19),
                                      positions,
                                      static_cast<uint8_t>(setting_1a),
                                      static_cast<uint8_t>(setting_1b),
                                      static_cast<int8_t>(time_zone & 0xFF)};
        return write_settings(settings);
    });
}

int32_t QV_DLR4470_READ_SETTING_VALUE(int32_t, int32_t* first_interval, int32_t* second_interval,
                                      uint8_t* setting_08, uint8_t* setting_18, uint8_t* setting_19,
                                      uint8_t* positions, uint8_t* setting_1a, uint8_t* setting_1b,
                                      int8_t* time_zone) {
    return guarded([&]() -> int32_t {
        SettingsReadBack back{};
        const int32_t r = read_settings(back);
        if (r != DLR4470_SETTINGS_READ) return r;
        if (first_interval) *first_interval = back.first_interval;
        if (second_interval) *second_interval = back.second_interval;
        if (setting_08) *setting_08 = back.setting_08;
        if (setting_18) *setting_18 = back.setting_18;
        if (setting_19) *setting_19 = back.setting_19;
        if (positions) std::memcpy(positions, back.positions, sizeof back.positions);
        if (setting_1a) *setting_1a = back.setting_1a;
        if (setting_1b) *setting_1b = back.setting_1b;
        if (time_zone) *time_zone = back.time_zone;
        return r;
    });
}

int32_t QV_DLR4470_READ_DEVICE_INFORMATION(int32_t, int32_t* serial, char* version, char* name) {
    return guarded([&]() -> int32_t {
        if (!state().dump_mode) return DLR4470_NOT_IN_DUMP_MODE;
        if (const int32_t r = read_information()) return r;
        if (serial) *serial = static_cast<int32_t>(state().information.serial);
        if (version) information_version(version);
        if (name) information_maker(name);
        return DLR4470_INFO_READ;
    });
}

int32_t QV_DLR4470_Setting_SN(uint32_t serial) {
    return guarded([&] { return write_serial_number(serial); });
}

int32_t QV_DLR4470_READ_MEMORY_USED_SIZE(int32_t* used) {
    return guarded([&]() -> int32_t {
        if (used) *used = -1;
        int32_t value = -1;
        const int32_t r = read_used_memory(&value);
        if (r == DLR4470_USED_MEMORY_READ && used) *used = value;
        return r;
    });
}
#else
int32_t QV_DLR4470_SETTING_DEVICE(int32_t, uint32_t first_interval, uint32_t second_interval,
                                  int32_t setting_08, int32_t setting_18, const char* sound_folder,
                                  int32_t setting_19) {
    return guarded([&] {
        const DeviceSettings settings{first_interval,
                                      second_interval,
                                      static_cast<uint8_t>(setting_08),
                                      static_cast<uint8_t>(setting_18),
                                      sound_folder,
                                      static_cast<uint8_t>(setting_19),
                                      nullptr,
                                      0,
                                      0,
                                      0};
        return write_settings(settings);
    });
}

int32_t QV_DLR4470_READ_SETTING_VALUE(int32_t, int32_t* first_interval, int32_t* second_interval,
                                      uint8_t* setting_08, uint8_t* setting_18, uint8_t* setting_19) {
    return guarded([&]() -> int32_t {
        SettingsReadBack back{};
        const int32_t r = read_settings(back);
        if (r != DLR4470_SETTINGS_READ) return r;
        if (first_interval) *first_interval = back.first_interval;
        if (second_interval) *second_interval = back.second_interval;
        if (setting_08) *setting_08 = back.setting_08;
        if (setting_18) *setting_18 = back.setting_18;
        if (setting_19) *setting_19 = back.setting_19;
        return r;
    });
}

int32_t QV_DLR4470_READ_DEVICE_INFORMATION(int32_t, int32_t* serial, char* version) {
    return guarded([&]() -> int32_t {
        if (!state().dump_mode) return DLR4470_NOT_IN_DUMP_MODE;
        if (const int32_t r = read_information()) return r;
        if (serial) *serial = static_cast<int32_t>(state().information.serial);
        if (version) information_version(version);
        return DLR4470_INFO_READ;
    });
}
#endif

int32_t QV_DLR4470_FW_UPGRADE(int32_t, const char* path) {
    return guarded([&] { return upgrade_firmware(path); });
}

int32_t QV_DLR4470_Read_BinFile_FW_Version(char* version, const char* path) {
    return guarded([&]() -> int32_t {
        if (const int32_t r = load_firmware(path)) return r;
        if (version) {
            std::memset(version, 0, 4);
            const char* text = state().firmware_version;
            std::memcpy(version, text, std::strlen(text) + 1);
        }
        return DLR4470_FW_VERSION_READ;
    });
}

int32_t QV_DLR4470_READ_GPS_UTC_TIME_DATE(uint8_t* hour, uint8_t* minute, uint8_t* second,
                                          uint8_t* year, uint8_t* month, uint8_t* day) {
    return guarded([&]() -> int32_t {
        for (uint8_t* p : {hour, minute, second}) {
            if (p) *p = 0xFF;
        }
        uint8_t t[6];
        const int32_t r = read_gps_time(t);
        if (r != DLR4470_GPS_TIME_READ) return r;
        uint8_t* outputs[6] = {hour, minute, second, year, month, day};
        for (int i = 0; i < 6; ++i) {
            if (outputs[i]) *outputs[i] = t[i];
        }
        return r;
    });
}

}  // extern "C"

CDLR4470_DLL::CDLR4470_DLL() {}

CDLR4470_DLL& CDLR4470_DLL::operator=(const CDLR4470_DLL& other) {
    byte_ = other.byte_;
    return *this;
}
