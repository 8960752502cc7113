#include "devlib/upload.h"

#include <time.h>

#include <cstdio>

#include "devlib/link.h"
#include "devlib/second_ticks.h"
#include "devlib/serial_port.h"
#include "devlib/state.h"

namespace dlr {

namespace {

constexpr size_t kBlock = 64;
constexpr int kAnswerTicks = 5;

void sleep_ms(int ms) {
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

}  // namespace

uint8_t xor_of(const uint8_t* bytes, size_t n) {
    uint8_t x = 0;
    for (size_t i = 0; i < n; ++i) x ^= bytes[i];
    return x;
}

int32_t upload_image(uint8_t op1, uint8_t op2, size_t length, uint8_t check_byte, UploadKind kind) {
    LibraryState& s = state();
    if (!send_command(op1, op2, static_cast<uint32_t>(length), check_byte)) return 12;
    for (size_t offset = 0; offset < length; offset += kBlock) {
        const size_t n = length - offset < kBlock ? length - offset : kBlock;
        if (!write_all(s.upload_image + offset, n)) {
            // The library has no window system: the notice goes to stderr.
            if (n < kBlock) std::fprintf(stderr, "Info: 666666666666666666666666666\n");
            return 12;
        }
    }
    SecondTicks ticks;
    bool checksum_error = false;
    for (;;) {
        const size_t got = read_answer(sizeof kEndMarker);
        if (answer_is(kEndMarker, sizeof kEndMarker, got)) break;
        if (answer_is(kChecksumError, sizeof kChecksumError, got)) checksum_error = true;
        ticks.update();
        if (ticks.exceeded(kAnswerTicks) || port_lost()) return 12;
    }
    if (checksum_error) return 18;
    if (kind == UploadKind::Firmware) {
        // The logger restarts with its new firmware; give it the time.
        while (!ticks.exceeded(kAnswerTicks)) {
            sleep_ms(20);
            ticks.update();
        }
    }
    return 0;
}

}  // namespace dlr
