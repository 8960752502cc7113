// tracker_sim: plays the tracker on a pseudo-terminal. It prints the port's
// path as its first output line and serves until killed:
//  - a "U" after a quiet line (a restart) is answered with the identification;
//  - the initialisation byte 0x7B is echoed once (the n-th one) and puts it
//    in loader mode, where 0x00 gets a start reply, every page frame is
//    checked (sequence bytes, checksum) and answered 0x06 or refused 0x15,
//    and 0x04 gets the finish code and saves the received image;
//  - optionally streams a text for the terminal;
//  - for fault tests, goes silent or vanishes (exits) at a given page.
// Counters go to a stats file ("key=value" lines) after every read.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

struct Options {
    std::string ident = "SN:00000000000001HEB0";
    std::string ident_tail = "\r\n";
    int quiet_gap_ms = 250;  // shorter than any DTR pulse, longer than a stall under load
    int echo_from = 1;  // 0: never echo
    int start_reply = 0x06;
    bool silent_start = false;
    int refuse_page = 0;
    int refusal = 0x15;
    int silent_at_page = 0;
    int vanish_at_page = 0;  // the tracker is unplugged when this page arrives
    int finish_code = 0x06;
    std::string record_path;
    std::string stats_path;
    std::string stream_text;
    int stream_ms = 100;
    int lifetime_s = 120;
};

// Decodes \r, \n, \t, \\ and \xHH in an option's text.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'r') out += '\r';
        else if (c == 'n') out += '\n';
        else if (c == 't') out += '\t';
        else if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else out += c;
    }
    return out;
}

[[noreturn]] void usage() {
    std::fprintf(stderr,
                 "usage: tracker_sim [--ident TEXT] [--ident-tail TEXT] [--quiet-gap-ms N] [--echo-from N]\n"
                 "  [--start-reply N] [--silent-start] [--refuse-page N] [--refusal N] [--silent-at-page N]\n"
                 "  [--vanish-at-page N]\n"
                 "  [--finish-code N] [--record FILE] [--stats FILE] [--stream TEXT] [--stream-ms N]\n"
                 "  [--lifetime-s N]\n");
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) usage();
            return argv[++i];
        };
        auto number = [&]() { return static_cast<int>(std::strtol(value().c_str(), nullptr, 0)); };
        if (a == "--ident") o.ident = unescape(value());
        else if (a == "--ident-tail") o.ident_tail = unescape(value());
        else if (a == "--quiet-gap-ms") o.quiet_gap_ms = number();
        else if (a == "--echo-from") o.echo_from = number();
        else if (a == "--start-reply") o.start_reply = number();
        else if (a == "--silent-start") o.silent_start = true;
        else if (a == "--refuse-page") o.refuse_page = number();
        else if (a == "--refusal") o.refusal = number();
        else if (a == "--silent-at-page") o.silent_at_page = number();
        else if (a == "--vanish-at-page") o.vanish_at_page = number();
        else if (a == "--finish-code") o.finish_code = number();
        else if (a == "--record") o.record_path = value();
        else if (a == "--stats") o.stats_path = value();
        else if (a == "--stream") o.stream_text = unescape(value());
        else if (a == "--stream-ms") o.stream_ms = number();
        else if (a == "--lifetime-s") o.lifetime_s = number();
        else usage();
    }
    return o;
}

long now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Writes a file whole under a temporary name and renames it into place, so a
// reader never sees half of it.
void write_file(const std::string& path, const std::string& content) {
    if (path.empty()) return;
    const std::string temp = path + ".part";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    std::rename(temp.c_str(), path.c_str());
}

class Tracker {
public:
    Tracker(const Options& o, int master) : o_(o), master_(master) {}

    void receive(unsigned char byte, long at_ms) {
        const bool after_quiet = last_rx_ms_ < 0 || at_ms - last_rx_ms_ >= o_.quiet_gap_ms;
        last_rx_ms_ = at_ms;
        if (!frame_.empty()) {
            collect_frame(byte);
            return;
        }
        if (byte == 'U') {
            ++stats_["u_received"];
            if (after_quiet) {
                // A quiet line stands for the restart that DTR causes.
                loader_ = false;
                if (!o_.ident.empty() || !o_.ident_tail.empty()) {
                    send(o_.ident + o_.ident_tail);
                    ++stats_["ident_sent"];
                }
            }
        } else if (byte == 0x7B) {
            ++stats_["init_received"];
            // The loader echoes once, then waits for the start byte.
            if (!loader_ && o_.echo_from > 0 && stats_["init_received"] >= o_.echo_from) {
                send(std::string(1, '\x7B'));
                loader_ = true;
            }
        } else if (loader_ && byte == 0x00) {
            ++stats_["start_received"];
            if (!o_.silent_start) send(std::string(1, static_cast<char>(o_.start_reply)));
        } else if (loader_ && byte == 0x01) {
            frame_.assign(1, '\x01');
        } else if (loader_ && byte == 0x04) {
            ++stats_["end_received"];
            write_file(o_.record_path, image_);
            send(std::string(1, static_cast<char>(o_.finish_code)));
            loader_ = false;
        } else {
            ++stats_["other_received"];
        }
    }

    void stream() {
        if (!o_.stream_text.empty()) send(o_.stream_text);
    }

    void save_stats() {
        std::string text;
        for (const auto& [key, count] : stats_) text += key + "=" + std::to_string(count) + "\n";
        text += "pages_accepted=" + std::to_string(pages_accepted_) + "\n";
        write_file(o_.stats_path, text);
    }

private:
    void collect_frame(unsigned char byte) {
        frame_ += static_cast<char>(byte);
        if (frame_.size() < 132) return;
        const auto u = [&](size_t i) { return static_cast<unsigned char>(frame_[i]); };
        const int page = u(1);
        unsigned sum = 0;
        for (size_t i = 0; i < 131; ++i) sum += u(i);
        const bool sound = page == pages_accepted_ + 1 && u(2) == ((1 + page) & 0xFF) && (sum & 0xFF) == u(131);
        ++stats_["frames_received"];
        if (!sound) ++stats_["bad_frames"];
        if (page == o_.vanish_at_page) {
            // Unplugged: the port goes away with the process, and the other
            // side's reads and writes fail from now on.
            ++stats_["vanished"];
            save_stats();
            std::exit(0);
        }
        if (page == o_.silent_at_page) {
            ++stats_["frames_unanswered"];
        } else if (sound && page != o_.refuse_page) {
            image_.append(frame_, 3, 128);
            ++pages_accepted_;
            send(std::string(1, '\x06'));
        } else {
            send(std::string(1, static_cast<char>(o_.refusal)));
        }
        frame_.clear();
    }

    void send(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) done += static_cast<size_t>(n);
            else if (n < 0 && errno != EINTR && errno != EAGAIN) return;
        }
    }

    const Options& o_;
    int master_;
    long last_rx_ms_ = -1;
    bool loader_ = false;
    std::string frame_;
    std::string image_;
    int pages_accepted_ = 0;
    std::map<std::string, int> stats_;
};

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("tracker_sim: pseudo-terminal");
        return 1;
    }
    const char* slave_name = ::ptsname(master);
    // Holding the slave open keeps the master readable while the program
    // under test opens and closes its side.
    const int slave = ::open(slave_name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        std::perror("tracker_sim: slave");
        return 1;
    }
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave, TCSANOW, &tio);
    std::printf("%s\n", slave_name);
    std::fflush(stdout);

    Tracker tracker(o, master);
    tracker.save_stats();
    const long end_ms = now_ms() + o.lifetime_s * 1000L;
    long next_stream_ms = now_ms();
    while (now_ms() < end_ms) {
        int wait_ms = 200;
        if (!o.stream_text.empty()) wait_ms = static_cast<int>(std::max(0L, next_stream_ms - now_ms()));
        pollfd pfd{master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, wait_ms);
        if (ready > 0 && (pfd.revents & POLLIN)) {
            unsigned char buf[512];
            const ssize_t n = ::read(master, buf, sizeof buf);
            const long at = now_ms();
            for (ssize_t i = 0; i < n; ++i) tracker.receive(buf[i], at);
            tracker.save_stats();
        }
        if (!o.stream_text.empty() && now_ms() >= next_stream_ms) {
            tracker.stream();
            next_stream_ms = now_ms() + o.stream_ms;
        }
    }
    ::close(slave);
    ::close(master);
    return 0;
}
