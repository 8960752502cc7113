// logger_sim: plays the DLR4470 logger on a pseudo-terminal. It creates the
// link COMn in a folder (for DLR4470_PORT_DIR), sends its banner whenever
// the port is opened, and answers the library's commands from an in-memory
// database. Prints "READY COMn /dev/pts/N" once the port can be opened.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <algorithm>
#include <deque>
#include <fstream>
#include <string>
#include <vector>

#include "tools/sim/logger_sim_database.h"
#include "tools/sim/logger_sim_device.h"

namespace {

using namespace logger_sim;

volatile sig_atomic_t stop_requested = 0;

void on_signal(int) { stop_requested = 1; }

const char kUsage[] =
    "usage: logger_sim --port-dir DIR [--com N] [options]\n"
    "  memory:   --size MIB (4, 8, 16, 32)  --size-answer N  --db FILE\n"
    "            --records N [--first R] [--start YYYY-MM-DDTHH:MM:SS] [--step S] [--mark-every K]\n"
    "            [--earlier-layout]  --used N  --erase-ms MS\n"
    "  device:   --serial N  --maker TEXT  --second-name TEXT  --version-byte B  --info-empty\n"
    "            --settings FILE (256 bytes)  --gps-time H:M:S:Y:M:D\n"
    "  faults:   --no-banner  --ack TEXT  --mute CMD  --cut CMD  --drop-on CMD\n"
    "            --drop-after-bytes N (during the dump)  --checksum-error\n"
    "            --pause-dump-at N --pause-ms MS (the dump stops for a while after N bytes)\n"
    "            CMD: enter size dump erase info write-info read-settings settings firmware\n"
    "                 gps-time used-memory\n"
    "  output:   --log FILE (one line per event)  --save-upload FILE\n";

long long now_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

long long parse_time(const std::string& text) {
    std::tm t{};
    if (!strptime(text.c_str(), "%Y-%m-%dT%H:%M:%S", &t)) {
        std::fprintf(stderr, "logger_sim: bad time %s\n", text.c_str());
        std::exit(2);
    }
    return static_cast<long long>(timegm(&t));
}

std::vector<uint8_t> information_block(uint32_t serial, const std::string& maker, const std::string& second,
                                       uint8_t version, bool empty) {
    std::vector<uint8_t> b(72, 0);
    b[0] = 0x01;
    b[1] = empty ? 0xFF : version;
    b[2] = empty ? 0xFF : version;
    b[3] = 0x04;
    for (int i = 0; i < 4; ++i) b[4 + static_cast<size_t>(i)] = static_cast<uint8_t>(serial >> (8 * i));
    std::memcpy(b.data() + 8, maker.data(), std::min<size_t>(maker.size(), 32));
    std::memcpy(b.data() + 40, second.data(), std::min<size_t>(second.size(), 32));
    return b;
}

struct Pending {
    std::string bytes;
    long long due_ms = 0;
    bool drop_after = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::string port_dir;
    int com = 3;
    bool banner = true;
    std::string log_path;
    std::string db_path;
    GeneratedRecords generated;
    bool generate = false;
    uint32_t serial = 1234567;
    std::string maker = "Quivelsong Tech. Co.";
    std::string second_name = "DL-R4470";
    uint8_t version_byte = 0x1B;
    bool info_empty = false;
    std::string settings_path;
    DeviceConfig config;
    generated.start_time = parse_time("2026-12-01T08:00:00");

    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "logger_sim: %s needs a value\n%s", opt.c_str(), kUsage);
                std::exit(2);
            }
            return argv[++i];
        };
        if (opt == "--port-dir") port_dir = value();
        else if (opt == "--com") com = std::stoi(value());
        else if (opt == "--size") config.mebibytes = std::stoi(value());
        else if (opt == "--size-answer") { config.size_answer_given = true; config.size_answer = static_cast<uint32_t>(std::stoul(value(), nullptr, 0)); }
        else if (opt == "--db") db_path = value();
        else if (opt == "--records") { generate = true; generated.count = std::stoul(value()); }
        else if (opt == "--first") generated.first = std::stoul(value());
        else if (opt == "--start") generated.start_time = parse_time(value());
        else if (opt == "--step") generated.step_seconds = std::stoi(value());
        else if (opt == "--mark-every") generated.mark_every = std::stoi(value());
        else if (opt == "--earlier-layout") generated.earlier_layout = true;
        else if (opt == "--used") { config.used_given = true; config.used = static_cast<uint32_t>(std::stoul(value())); }
        else if (opt == "--erase-ms") config.erase_ms = std::stoi(value());
        else if (opt == "--serial") serial = static_cast<uint32_t>(std::stoul(value()));
        else if (opt == "--maker") maker = value();
        else if (opt == "--second-name") second_name = value();
        else if (opt == "--version-byte") version_byte = static_cast<uint8_t>(std::stoul(value(), nullptr, 0));
        else if (opt == "--info-empty") info_empty = true;
        else if (opt == "--settings") settings_path = value();
        else if (opt == "--gps-time") {
            unsigned v[6];
            if (std::sscanf(value().c_str(), "%u:%u:%u:%u:%u:%u", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) != 6) {
                std::fprintf(stderr, "logger_sim: --gps-time takes H:M:S:Y:M:D\n");
                return 2;
            }
            for (int k = 0; k < 6; ++k) config.gps_time[k] = static_cast<uint8_t>(v[k]);
        }
        else if (opt == "--no-banner") banner = false;
        else if (opt == "--ack") { const std::string a = value(); config.acknowledge = std::string(a.c_str(), a.size() + 1); }
        else if (opt == "--mute") config.muted.insert(value());
        else if (opt == "--cut") config.cut.insert(value());
        else if (opt == "--drop-on") config.drop_on.insert(value());
        else if (opt == "--drop-after-bytes") config.drop_after_dump_bytes = std::stoll(value());
        else if (opt == "--pause-dump-at") config.pause_dump_at = std::stoll(value());
        else if (opt == "--pause-ms") config.pause_ms = std::stoi(value());
        else if (opt == "--checksum-error") config.checksum_error = true;
        else if (opt == "--log") log_path = value();
        else if (opt == "--save-upload") config.save_upload = value();
        else if (opt == "--help") { std::fputs(kUsage, stdout); return 0; }
        else { std::fprintf(stderr, "logger_sim: unknown option %s\n%s", opt.c_str(), kUsage); return 2; }
    }
    if (port_dir.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    config.memory = erased_memory(dump_bytes_for(config.mebibytes));
    if (!db_path.empty() && !load_image(config.memory, db_path)) {
        std::fprintf(stderr, "logger_sim: cannot read %s\n", db_path.c_str());
        return 1;
    }
    if (generate) generate_records(config.memory, generated);
    if (!settings_path.empty()) {
        std::vector<uint8_t> record(256, 0xFF);
        if (!load_image(record, settings_path)) {
            std::fprintf(stderr, "logger_sim: cannot read %s\n", settings_path.c_str());
            return 1;
        }
        config.settings = record;
    }
    config.information = information_block(serial, maker, second_name, version_byte, info_empty);

    std::FILE* log_file = log_path.empty() ? nullptr : std::fopen(log_path.c_str(), "a");
    auto log = [&](const std::string& line) {
        if (!log_file) return;
        std::fprintf(log_file, "%s\n", line.c_str());
        std::fflush(log_file);
    };

    // The pseudo-terminal. The simulator keeps the slave open itself so the
    // master never sees a hang-up between the library's openings.
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("logger_sim: pseudo-terminal");
        return 1;
    }
    const std::string slave_path = ptsname(master);
    const int slave = open(slave_path.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);

    // Openings and closings of the slave by others tell when to greet.
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, slave_path.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        std::perror("logger_sim: inotify");
        return 1;
    }
    const std::string link = port_dir + "/COM" + std::to_string(com);
    unlink(link.c_str());
    if (symlink(slave_path.c_str(), link.c_str()) != 0) {
        std::perror("logger_sim: link");
        return 1;
    }
    signal(SIGTERM, on_signal);
    signal(SIGINT, on_signal);
    signal(SIGPIPE, SIG_IGN);
    std::printf("READY COM%d %s\n", com, slave_path.c_str());
    std::fflush(stdout);

    Device device(config, log);
    std::deque<Pending> pending;
    std::string sending;
    bool drop_when_sent = false;
    bool dropped = false;
    int openers = 0;

    // What the library wrote before it closed still belongs to its session.
    auto take_input = [&] {
        uint8_t buffer[4096];
        ssize_t n;
        while ((n = read(master, buffer, sizeof buffer)) > 0) {
            if (openers == 0) continue;
            std::vector<Output> out;
            device.receive(buffer, static_cast<size_t>(n), out);
            for (const Output& o : out) pending.push_back(Pending{o.bytes, now_ms() + o.delay_ms, o.drop_after});
        }
    };

    auto reset_link = [&] {
        pending.clear();
        sending.clear();
        drop_when_sent = false;
        tcflush(slave, TCIOFLUSH);
        uint8_t scrap[4096];
        while (read(master, scrap, sizeof scrap) > 0) {
        }
        // The library asks for exclusive use; our own slave handle would keep
        // that in force after it closes.
        ioctl(slave, TIOCNXCL);
        device.opened();
    };

    while (!stop_requested && !dropped) {
        const long long now = now_ms();
        while (!pending.empty() && sending.empty() && pending.front().due_ms <= now) {
            sending = pending.front().bytes;
            drop_when_sent = pending.front().drop_after;
            pending.pop_front();
        }
        if (sending.empty() && drop_when_sent) {
            log("drop");
            dropped = true;
            break;
        }
        int timeout = 200;
        if (!pending.empty() && sending.empty()) timeout = static_cast<int>(std::max(0LL, pending.front().due_ms - now));
        pollfd fds[2] = {{master, static_cast<short>(POLLIN | (sending.empty() ? 0 : POLLOUT)), 0}, {watch, POLLIN, 0}};
        if (poll(fds, 2, timeout) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents & POLLIN) take_input();
        if (fds[1].revents & POLLIN) {
            alignas(inotify_event) char events[4096];
            const ssize_t n = read(watch, events, sizeof events);
            for (ssize_t off = 0; off < n;) {
                const auto* ev = reinterpret_cast<const inotify_event*>(events + off);
                if (ev->mask & IN_OPEN) {
                    ++openers;
                    log("open");
                    reset_link();
                    if (banner) sending = std::string("Quivelsong Tech. Co. DL-R4470\r\n", 32);
                }
                if (ev->mask & IN_CLOSE) {
                    take_input();
                    if (openers > 0) --openers;
                    log("close");
                    reset_link();
                }
                off += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
            }
        }
        if (!sending.empty() && (fds[0].revents & POLLOUT)) {
            const ssize_t n = write(master, sending.data(), sending.size());
            if (n > 0) sending.erase(0, static_cast<size_t>(n));
        }
    }
    unlink(link.c_str());
    close(master);
    close(slave);
    if (log_file) std::fclose(log_file);
    return 0;
}
