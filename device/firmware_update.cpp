#include "device/firmware_update.h"

#include <chrono>

#include "common/c_format.h"
#include "device/firmware_compat.h"
#include "device/identification.h"
#include "device/tracker_exchange.h"

namespace tripdesk::device {

const char* const kUnsuitableFirmwareQuestion =
    "Firmware nieje určený pre túto verziu hardwaru zariadenia !!!\r\n"
    "\r\n"
    "Po aktualizácií preto zariadenie nemusí pracovať správne, nedoporučejeme\r\n"
    "pokračovať v tejto operácií. Kontaktujte prosím svojho predajcu pre získanie\r\n"
    "správnej verzie FW. Poskytnite sériové číslo zariadenia pre identifikáciu HW.\r\n"
    "\r\n"
    "Chcete previesť aktualizáciu napriek tomuto upozorneniu ?";

namespace {

constexpr std::uint8_t kInitByte = 0x7B;
constexpr std::uint8_t kStartByte = 0x00;
constexpr std::uint8_t kPageByte = 0x01;
constexpr std::uint8_t kEndByte = 0x04;
constexpr std::uint8_t kAccepted = 0x06;

struct ReplyTimeout {};

// Waits for one received byte, at most timeout_ms.
std::uint8_t await_reply(SerialLink& link, Sleeper& sleeper, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (link.pending() < 1) {
        if (std::chrono::steady_clock::now() >= deadline) throw ReplyTimeout{};
        sleeper.sleep_ms(1);
    }
    const std::string byte = link.read(1);
    if (byte.empty()) throw SerialError("ReadFile function failed", 0);
    return static_cast<std::uint8_t>(byte[0]);
}

// Restarts the tracker after an interrupted transfer so it does not stay in
// its loader; the link may already be unusable, which changes nothing.
void restart_quietly(SerialLink& link, Sleeper& sleeper) {
    try {
        pulse_dtr(link, sleeper, kFirmwarePulse);
    } catch (const SerialError&) {
    }
}

}  // namespace

std::string page_frame(int page_number, const std::string& page_bytes) {
    std::string frame;
    frame.reserve(3 + page_bytes.size() + 1);
    frame += static_cast<char>(kPageByte);
    frame += static_cast<char>(page_number & 0xFF);
    frame += static_cast<char>((kPageByte + page_number) & 0xFF);
    frame += page_bytes;
    unsigned sum = 0;
    for (const char c : frame) sum += static_cast<std::uint8_t>(c);
    frame += static_cast<char>(sum & 0xFF);
    return frame;
}

std::string trim_reply(const std::string& reply) {
    size_t begin = 0;
    size_t end = reply.size();
    while (begin < end && static_cast<std::uint8_t>(reply[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<std::uint8_t>(reply[end - 1]) <= ' ') --end;
    return reply.substr(begin, end - begin);
}

UpdateResult run_firmware_update(SerialLink& link, const std::string& port, const FirmwareImage& image,
                                 const std::string& image_pack, StatusLog& log, Progress& progress,
                                 Sleeper& sleeper, const UpdateHooks& hooks, const UpdateOptions& options) {
    UpdateResult result;
    auto signal_failure = [&] {
        if (hooks.failure_signal) hooks.failure_signal();
    };
    auto finish = [&] {
        link.close();
        progress.position(0);
        progress.pump();
    };
    log.clear();
    progress.pump();
    try {
        log.add_line("- connected to device using serial port: " + port);
        link.open(port);
        progress.pump();

        log.add_line("- reading serial number ...");
        pulse_dtr(link, sleeper, kFirmwarePulse);
        log.append("OK");

        result.reply = wake_up_and_read(link);
        log.add_line("- " + trim_reply(result.reply));
        sleeper.sleep_ms(200);
        progress.pump();

        log.add_line("- checking FW compatibility ...");
        if (hooks.show_device_pack) hooks.show_device_pack(kNoValue);
        result.device_pack = device_pack(hardware_code(result.reply));
        if (hooks.show_device_pack) hooks.show_device_pack(result.device_pack);
        if (!image_suits_device(image_pack, result.device_pack)) {
            const bool go_on = hooks.confirm && hooks.confirm(kUnsuitableFirmwareQuestion);
            if (!go_on) {
                log.append("Error");
                finish();
                log.add_line("- firmware update aborted by user !!!");
                result.outcome = UpdateOutcome::AbortedByUser;
                return result;
            }
        }
        log.append("OK");
        progress.pump();

        log.add_line("- resetting device by DTR ...");
        pulse_dtr(link, sleeper, kFirmwarePulse);
        progress.pump();
        log.append("OK");
        progress.pump();

        log.add_line("- sending initialisation byte ...");
        link.purge();
        bool echoed = false;
        for (int attempt = 0; attempt < kInitAttempts && !echoed; ++attempt) {
            link.write_byte(kInitByte);
            progress.pump();
            sleeper.sleep_ms(options.echo_wait_ms);
            if (link.pending() == 1) {
                const std::string byte = link.read(1);
                echoed = !byte.empty() && static_cast<std::uint8_t>(byte[0]) == kInitByte;
            }
        }
        if (!echoed) {
            // Without the loader's echo nothing it does with pages is
            // known: stop before anything is written.
            log.append("Error");
            log.add_line("- no answer from loader, firmware update stopped !!!");
            signal_failure();
            restart_quietly(link, sleeper);
            finish();
            result.outcome = UpdateOutcome::LoaderSilent;
            return result;
        }
        log.append("OK");
        log.add_line("- loader returned: 123 ... OK");

        link.write_byte(kStartByte);
        const int start_reply = await_reply(link, sleeper, options.reply_timeout_ms);
        log.add_line(c_format("- initialisation byte received: %d ... OK", start_reply));

        const int pages = image.page_count();
        log.add_line("- uploading firmware image ...");
        progress.maximum(pages);
        progress.position(0);
        progress.pump();
        const int progress_step = pages / 10 == 0 ? 1 : pages / 10;
        int refusal = kAccepted;
        for (int p = 1; p <= pages && refusal == kAccepted; ++p) {
            if (p % progress_step == 0) progress.position(p);
            link.write(page_frame(p, image.page(p)));
            refusal = await_reply(link, sleeper, options.reply_timeout_ms);
            if (refusal == kAccepted) ++result.pages_accepted;
        }

        link.write_byte(kEndByte);
        result.finish_code = await_reply(link, sleeper, options.reply_timeout_ms);
        // A refused page must not read as a completed upload, whatever the
        // finish code says.
        if (refusal == kAccepted) {
            log.append("OK");
        } else {
            log.append("Error");
            log.add_line(c_format("- page %d refused by loader: %d !!!", result.pages_accepted + 1, refusal));
        }
        log.add_line(c_format("- upload finishcode: %d ...", result.finish_code));
        log.append(result.finish_code == kAccepted ? "OK" : "Error");

        pulse_dtr(link, sleeper, kFirmwarePulse);
        result.outcome = result.pages_accepted == pages && result.finish_code == kAccepted
                             ? UpdateOutcome::Written
                             : UpdateOutcome::NotAccepted;
    } catch (const ReplyTimeout&) {
        log.add_line(c_format("- no reply from device within %d ms !!!", options.reply_timeout_ms));
        signal_failure();
        restart_quietly(link, sleeper);
        result.outcome = UpdateOutcome::ReplyTimedOut;
    } catch (const SerialError&) {
        log.add_line("- cannot open COM port !!!");
        signal_failure();
        result.outcome = UpdateOutcome::LinkFailed;
    }
    finish();
    return result;
}

}  // namespace tripdesk::device
