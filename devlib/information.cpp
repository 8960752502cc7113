#include "devlib/information.h"

#include <cstdio>
#include <cstring>

#include "devlib/link.h"
#include "devlib/second_ticks.h"
#include "devlib/serial_port.h"
#include "devlib/state.h"

namespace dlr {

namespace {

constexpr size_t kBlockSize = 72;

constexpr const char* kKnownMakers[] = {"Quivelsong Tech. Co.", "Quivesong", "Dorlanix", "Mervik"};

// Reads until something arrives or the second-tick counter exceeds limit.
size_t read_with_retry(size_t n, int limit) {
    SecondTicks ticks;
    for (;;) {
        const size_t got = read_answer(n);
        if (got > 0) return got;
        ticks.update();
        if (ticks.exceeded(limit) || port_lost()) return 0;
    }
}

}  // namespace

int32_t read_information() {
    LibraryState& s = state();
    if (!send_command(0x5B, 0xB0)) return 12;
    if (read_answer(kBlockSize) == 0) return 28;
    const uint8_t* b = s.transfer;
    if (b[1] == 0xFF || b[2] == 0xFF) return 27;
    DeviceInformation& info = s.information;
    std::memcpy(info.identity, b, 4);
    info.serial = read_le32(b + 4);
    std::memcpy(info.maker, b + 8, sizeof info.maker);
    std::memcpy(info.second_name, b + 40, sizeof info.second_name);
    read_answer(16);  // trailing bytes, not used
    if (!wait_end_marker()) return 12;
    return 0;
}

void information_version(char* out) {
    const uint8_t v = state().information.identity[1];
    std::snprintf(out, 5, "%u.%u", static_cast<unsigned>(v / 8), static_cast<unsigned>(v % 8));
}

void information_maker(char* out) {
    const DeviceInformation& info = state().information;
    const size_t n = strnlen(info.maker, sizeof info.maker);
    std::memcpy(out, info.maker, n);
    out[n] = '\0';
}

int32_t write_serial_number(uint32_t serial) {
    LibraryState& s = state();
    if (serial > 1000000000u) return 40;
    if (const int32_t r = read_information()) return r;
    const DeviceInformation& info = s.information;
    char maker[33];
    information_maker(maker);
    bool known = false;
    for (const char* name : kKnownMakers) known = known || std::strcmp(maker, name) == 0;
    if (!known) return 42;
    if (!send_command(0x5C, 0xB1, kBlockSize)) return 12;
    uint8_t block[kBlockSize];
    std::memcpy(block, info.identity, 4);
    write_le32(block + 4, serial);
    std::memcpy(block + 8, info.maker, 32);
    std::memcpy(block + 40, info.second_name, 32);
    if (!write_all(block, sizeof block)) return 12;
    wait_end_marker();
    return 41;
}

int32_t read_gps_time(uint8_t* out6) {
    LibraryState& s = state();
    if (!s.dump_mode) return 26;
    if (!send_command(0x64, 0xB8)) return 38;
    if (read_with_retry(16, 2) == 0) return 38;
    const uint8_t* t = s.transfer;
    const bool refused = kEarlierBuild
                             ? (t[0] == 0xFF || t[1] == 0xFF || t[2] == 0xFF)
                             : (t[0] > 24 || t[1] > 60 || t[2] > 60 || t[3] > 100 || t[4] > 12 || t[5] > 31);
    if (refused) return 38;
    std::memcpy(out6, t, 6);
    return 39;
}

int32_t read_used_memory(int32_t* used) {
    LibraryState& s = state();
    if (!s.dump_mode) return 26;
    if (!send_command(0x65, 0xB9)) return 48;
    if (read_with_retry(16, 1) == 0) return 48;
    *used = static_cast<int32_t>(read_le32(s.transfer));
    return 45;
}

int32_t erase_database() {
    if (!state().dump_mode) return 26;
    query_memory_size();
    if (!send_command(0x61, 0xB6)) return 12;
    const int limit = erase_tick_limit();
    SecondTicks ticks;
    for (;;) {
        const size_t got = read_answer(sizeof kEndMarker);
        if (answer_is(kEndMarker, sizeof kEndMarker, got)) return 13;
        ticks.update();
        if (ticks.exceeded(limit) || port_lost()) return 12;
    }
}

}  // namespace dlr
