#include "devlib/link.h"

#include <cstring>

#include "devlib/second_ticks.h"
#include "devlib/serial_port.h"
#include "devlib/state.h"

namespace dlr {

namespace {

// A write that keeps timing out without moving a byte would repeat forever;
// after this many time-outs in a row the link counts as failed.
constexpr int kMaxStalledWrites = 20;

void set_geometry() {
    LibraryState& s = state();
    if (!kEarlierBuild && s.memory_size_code == 0x800000) {
        s.dump_bytes = 0x7D0000;
        s.dump_records = 0x7D000;
    } else {
        s.dump_bytes = 0x3D0000;
        s.dump_records = 0x3D000;
    }
}

bool known_memory_size(uint32_t v) {
    return v == 0x400000 || v == 0x800000 || v == 0x1000000 || v == 0x2000000;
}

}  // namespace

void use_memory_size(uint32_t code) {
    state().memory_size_code = code;
    set_geometry();
}

uint32_t read_le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void write_le32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

bool write_all(const uint8_t* bytes, size_t n) {
    size_t done = 0;
    int stalled = 0;
    while (done < n) {
        const long w = port_write(bytes + done, n - done);
        if (w < 0) return kEarlierBuild;
        if (w == 0) {
            if (++stalled >= kMaxStalledWrites) return kEarlierBuild;
            continue;
        }
        stalled = 0;
        done += static_cast<size_t>(w);
    }
    return true;
}

bool send_command(uint8_t op1, uint8_t op2, uint32_t argument, uint8_t byte6) {
    uint8_t* t = state().transfer;
    t[0] = op1;
    t[1] = op2;
    write_le32(t + 2, argument);
    t[6] = byte6;
    return write_all(t, 7);
}

size_t read_answer(size_t n) { return port_read(state().transfer, n); }

bool answer_is(const char* token, size_t token_size, size_t arrived) {
    return arrived > 0 && std::memcmp(state().transfer, token, token_size) == 0;
}

bool wait_end_marker() {
    SecondTicks ticks;
    for (;;) {
        const size_t got = read_answer(sizeof kEndMarker);
        if (answer_is(kEndMarker, sizeof kEndMarker, got)) return true;
        ticks.update();
        if (ticks.exceeded(2) || port_lost()) return false;
    }
}

void query_memory_size() {
    LibraryState& s = state();
    if (send_command(0x63, 0xB7)) {
        size_t got = read_answer(4);
        if (got > 0) {
            SecondTicks ticks;
            for (;;) {
                const uint32_t v = read_le32(s.transfer);
                if (got > 0 && known_memory_size(v)) {
                    s.memory_size_code = v;
                    break;
                }
                ticks.update();
                if (ticks.exceeded(2) || port_lost()) {
                    s.memory_size_code = 0x400000;
                    break;
                }
                got = read_answer(4);
            }
        }
    }
    set_geometry();
}

int32_t enter_dump_mode() {
    LibraryState& s = state();
    std::memcpy(s.transfer, kEnterCommand, sizeof kEnterCommand);
    if (!write_all(s.transfer, sizeof kEnterCommand)) {
        port_close();
        s.dump_mode = false;
        return 4;
    }
    std::memset(s.transfer, 0xFF, sizeof kAcknowledge);
    read_answer(sizeof kAcknowledge);
    if (std::memcmp(s.transfer, kAcknowledge, sizeof kAcknowledge) != 0) {
        std::memcpy(s.transfer, kExitCommand, sizeof kExitCommand);
        write_all(s.transfer, sizeof kExitCommand);
        port_close();
        s.dump_mode = false;
        return 4;
    }
    if (kEarlierBuild) {
        set_geometry();
    } else {
        query_memory_size();
    }
    s.dump_mode = true;
    return 24;
}

void leave_dump_mode() {
    LibraryState& s = state();
    std::memcpy(s.transfer, kExitCommand, sizeof kExitCommand);
    write_all(s.transfer, sizeof kExitCommand);
    port_close();
    s.dump_mode = false;
}

int erase_tick_limit() {
    switch (state().memory_size_code) {
        case 0x800000: return 160;
        case 0x1000000: return 320;
        case 0x2000000: return 640;
        // 4 MiB, and a logger that never told its size: the 4 MiB geometry is
        // what every other step assumes for it too.
        default: return 80;
    }
}

}  // namespace dlr
