// `tripdesk tracker identify|firmware|terminal`: the tracker service tools of
// the identification and firmware windows, on the command line.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "cli/command.h"
#include "device/firmware_compat.h"
#include "device/firmware_image.h"
#include "device/firmware_update.h"
#include "device/identification.h"
#include "device/sleeper.h"
#include "device/status_log.h"
#include "device/terminal.h"
#include "device/termios_link.h"

namespace tripdesk::cli {
namespace {

using namespace tripdesk::device;

// Prints the status log line by line as it grows; received terminal text
// goes out at once.
class PrintedLog final : public StatusLog {
public:
    ~PrintedLog() override { end(); }
    void clear() override {}
    void add_line(const std::string& text) override {
        end();
        line_ = text;
        open_ = true;
    }
    void append(const std::string& text) override {
        line_ += " " + text;
        open_ = true;
    }
    void append_raw(const std::string& text) override {
        put(line_ + text);
        line_.clear();
        open_ = true;
    }
    // Ends the current line.
    void end() {
        if (open_) put(line_ + "\n");
        line_.clear();
        open_ = false;
    }

private:
    static void put(const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    }
    std::string line_;
    bool open_ = false;
};

std::string required_port(std::vector<std::string>& args) {
    const std::string port = take_option(args, "--port");
    if (port.empty()) throw UsageError{"--port P is required"};
    return port;
}

void no_more_arguments(const std::vector<std::string>& args) {
    if (!args.empty()) throw UsageError{"unexpected argument " + args.front()};
}

int identify(std::vector<std::string>& args) {
    const std::string port = required_port(args);
    no_more_arguments(args);
    TermiosLink link;
    const IdentificationResult r = identify_tracker(link, port, thread_sleeper());
    if (!r.link_ok) {
        std::fprintf(stderr, "tripdesk: %s\n", r.error.c_str());
        return kFailed;
    }
    std::printf("%s\nVerzia hardvéru: %s\nFrekvencia CPU: %s\nPoznámky: %s\n", r.shown.c_str(),
                r.fields.hardware.c_str(), r.fields.cpu.c_str(), r.fields.note.c_str());
    if (r.shown == kUnknownSerial) {
        std::fprintf(stderr, "tripdesk: %s\n",
                     r.reply.empty() ? "no answer from the tracker" : "the tracker's answer is no identification");
        return kFailed;
    }
    return kOk;
}

int firmware(std::vector<std::string>& args) {
    const std::string port = required_port(args);
    const bool yes = take_flag(args, "--yes");
    if (args.size() != 1) throw UsageError{"one firmware image file is needed"};
    const std::string path = args.front();

    PrintedLog log;
    NoProgress progress;
    FirmwareImage image;
    if (!load_firmware_image(path, image, log, progress)) return kFailed;
    const FirmwareName name = firmware_name_info(std::filesystem::path(path).filename().string());
    log.add_line("- FIRMWARE: " + name.label + ", CPU MODEL: " + name.pack);

    UpdateHooks hooks;
    hooks.confirm = [&](const std::string& question) {
        std::fprintf(stderr, "%s\n%s\n", question.c_str(), yes ? "-> Yes (--yes)" : "-> No (--yes goes on)");
        return yes;
    };
    TermiosLink link;
    const UpdateResult r = run_firmware_update(link, port, image, name.pack, log, progress, thread_sleeper(), hooks);
    log.end();
    return r.outcome == UpdateOutcome::Written ? kOk : kFailed;
}

volatile std::sig_atomic_t interrupted = 0;

int terminal(std::vector<std::string>& args) {
    const std::string port = required_port(args);
    const std::string seconds_text = take_option(args, "--seconds");
    no_more_arguments(args);
    char* end = nullptr;
    const long seconds = seconds_text.empty() ? 0 : std::strtol(seconds_text.c_str(), &end, 10);
    if (!seconds_text.empty() && (*end != '\0' || seconds < 0)) throw UsageError{"--seconds takes a whole number"};

    PrintedLog log;
    TermiosLink link;
    TrackerTerminal term(link, log, thread_sleeper());
    term.start(port);  // a port that cannot be opened ends the command with its error
    std::signal(SIGINT, [](int) { interrupted = 1; });
    const auto stop_at = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!interrupted && (seconds == 0 || std::chrono::steady_clock::now() < stop_at)) {
        term.poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(kTerminalPollMs));
    }
    term.poll();
    term.stop();
    return kOk;
}

int tracker(const GlobalOptions&, std::vector<std::string> args) {
    if (args.empty()) throw UsageError{"tracker needs identify, firmware or terminal"};
    const std::string what = args.front();
    args.erase(args.begin());
    if (what == "identify") return identify(args);
    if (what == "firmware") return firmware(args);
    if (what == "terminal") return terminal(args);
    throw UsageError{"unknown tracker command " + what};
}

const CommandRegistration registration(
    "tracker",
    "tracker identify --port P | firmware FILE --port P [--yes] | terminal --port P [--seconds N]", tracker);

}  // namespace
}  // namespace tripdesk::cli
