#include "tools/sim/logger_sim_device.h"

#include <cstring>
#include <fstream>

namespace logger_sim {

namespace {

const std::string kEnter("Q'V Camera Detect", 18);
const std::string kExit("QV AP-Exit", 11);
const std::string kEndMarker("QV Update Over", 15);
const std::string kChecksumOk("Checksum    OK", 15);
const std::string kChecksumError("Checksum Error", 15);

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

std::string le32_text(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    return s;
}

std::string command_name(uint8_t a, uint8_t b) {
    if (a == 0x60 && b == 0xB5) return "dump";
    if (a == 0x63 && b == 0xB7) return "size";
    if (a == 0x61 && b == 0xB6) return "erase";
    if (a == 0x5B && b == 0xB0) return "info";
    if (a == 0x5C && b == 0xB1) return "write-info";
    if (a == 0x62 && b == 0xB6) return "read-settings";
    if (a == 0x55 && b == 0xAA) return "settings";
    if (a == 0x5D && b == 0xB2) return "firmware";
    if (a == 0x64 && b == 0xB8) return "gps-time";
    if (a == 0x65 && b == 0xB9) return "used-memory";
    return {};
}

}  // namespace

Device::Device(DeviceConfig config, std::function<void(const std::string&)> log)
    : config_(std::move(config)), log_(std::move(log)) {}

void Device::opened() {
    input_.clear();
    dump_mode_ = false;
    upload_kind_.clear();
}

std::string Device::memory_size_answer() const {
    if (config_.size_answer_given) return le32_text(config_.size_answer);
    return le32_text(static_cast<uint32_t>(config_.mebibytes) << 20);
}

void Device::answer(const std::string& name, std::string main, std::string tail, std::vector<Output>& out,
                    int delay_ms) {
    if (config_.drop_on.count(name)) {
        out.push_back(Output{{}, 0, true});
        return;
    }
    if (config_.muted.count(name)) return;
    if (config_.cut.count(name)) {
        main.resize(main.size() / 2);
        tail.clear();
    }
    out.push_back(Output{main + tail, delay_ms, false});
}

void Device::receive(const uint8_t* bytes, size_t n, std::vector<Output>& out) {
    input_.append(reinterpret_cast<const char*>(bytes), n);
    for (;;) {
        if (!upload_kind_.empty()) {
            const size_t need = upload_kind_ == "write-info" ? 72 : upload_length_;
            if (input_.size() < need) return;
            finish_upload(out);
            continue;
        }
        if (input_.empty()) return;
        if (input_[0] == 'Q') {
            // Text tokens: the enter and exit commands.
            const std::string& token = input_.size() > 1 && input_[1] == '\'' ? kEnter : kExit;
            if (input_.size() < token.size()) {
                if (token.compare(0, input_.size(), input_) != 0) input_.erase(0, 1);
                return;
            }
            if (input_.compare(0, token.size(), token) != 0) {
                input_.erase(0, 1);
                continue;
            }
            input_.erase(0, token.size());
            if (&token == &kEnter) {
                log_("enter");
                dump_mode_ = true;
                answer("enter", config_.acknowledge, {}, out);
            } else {
                log_("exit");
                dump_mode_ = false;
            }
            continue;
        }
        if (input_.size() < 7) return;
        uint8_t frame[7];
        std::memcpy(frame, input_.data(), 7);
        if (command_name(frame[0], frame[1]).empty()) {
            input_.erase(0, 1);
            continue;
        }
        input_.erase(0, 7);
        command(frame, out);
    }
}

void Device::command(const uint8_t* frame, std::vector<Output>& out) {
    const std::string name = command_name(frame[0], frame[1]);
    const uint32_t argument = le32(frame + 2);
    if (!dump_mode_) {
        log_("ignored " + name);
        return;
    }
    log_("command " + name + " " + std::to_string(argument) + " " + std::to_string(frame[6]));
    if (name == "size") {
        answer(name, memory_size_answer(), {}, out);
    } else if (name == "dump") {
        std::string data(reinterpret_cast<const char*>(config_.memory.data()), config_.memory.size());
        if (config_.drop_after_dump_bytes >= 0 && static_cast<size_t>(config_.drop_after_dump_bytes) < data.size()) {
            data.resize(static_cast<size_t>(config_.drop_after_dump_bytes));
            out.push_back(Output{data, 0, true});
            return;
        }
        if (config_.pause_dump_at >= 0 && static_cast<size_t>(config_.pause_dump_at) < data.size() &&
            !config_.muted.count(name)) {
            const size_t at = static_cast<size_t>(config_.pause_dump_at);
            out.push_back(Output{data.substr(0, at), 0, false});
            out.push_back(Output{data.substr(at) + kEndMarker, config_.pause_ms, false});
            return;
        }
        answer(name, data, kEndMarker, out);
    } else if (name == "erase") {
        if (!config_.muted.count(name) && !config_.drop_on.count(name))
            std::fill(config_.memory.begin(), config_.memory.end(), 0xFF);
        answer(name, kEndMarker, {}, out, config_.erase_ms);
    } else if (name == "info") {
        std::string block(reinterpret_cast<const char*>(config_.information.data()), config_.information.size());
        answer(name, block, std::string(16, '\0') + kEndMarker, out);
    } else if (name == "read-settings") {
        std::string record(reinterpret_cast<const char*>(config_.settings.data()), config_.settings.size());
        answer(name, record, kEndMarker, out);
    } else if (name == "gps-time") {
        std::string t(reinterpret_cast<const char*>(config_.gps_time), 6);
        answer(name, t + std::string(10, '\0'), {}, out);
    } else if (name == "used-memory") {
        uint32_t used = config_.used;
        if (!config_.used_given) {
            used = 0;
            for (size_t i = 0; i + 16 <= config_.memory.size(); i += 16) {
                if (le32(config_.memory.data() + i) != 0xFFFFFFFFu) used += 16;
            }
        }
        answer(name, le32_text(used) + std::string(12, '\0'), {}, out);
    } else if (name == "settings" || name == "firmware" || name == "write-info") {
        upload_kind_ = name;
        upload_length_ = argument;
        upload_check_ = frame[6];
    }
}

void Device::finish_upload(std::vector<Output>& out) {
    const std::string kind = upload_kind_;
    const size_t length = kind == "write-info" ? 72 : upload_length_;
    const std::string image = input_.substr(0, length);
    input_.erase(0, length);
    upload_kind_.clear();
    if (!config_.save_upload.empty()) {
        std::ofstream(config_.save_upload, std::ios::binary) << image;
    }
    if (kind == "write-info") {
        log_("upload write-info 72");
        config_.information.assign(image.begin(), image.end());
        answer(kind, kEndMarker, {}, out);
        return;
    }
    // Settings are checked over the whole image, firmware over its first
    // 65,408 bytes.
    const size_t checked = kind == "firmware" ? std::min<size_t>(length, 0xFF80) : length;
    uint8_t x = 0;
    for (size_t i = 0; i < checked; ++i) x ^= static_cast<uint8_t>(image[i]);
    const bool good = x == upload_check_ && !config_.checksum_error;
    log_("upload " + kind + " " + std::to_string(length) + (good ? " ok" : " bad"));
    if (good && kind == "settings") config_.settings.assign(image.begin(), image.begin() + 256);
    answer(kind, good ? kChecksumOk : kChecksumError, kEndMarker, out);
}

}  // namespace logger_sim
