#pragma once
// The simulated logger's protocol: fed with the bytes the library writes, it
// answers from its memory, settings and information block, and misbehaves
// on request.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace logger_sim {

struct DeviceConfig {
    int mebibytes = 4;
    bool size_answer_given = false;
    uint32_t size_answer = 0;  // overrides the memory-size answer
    std::vector<uint8_t> memory;
    std::vector<uint8_t> settings = std::vector<uint8_t>(256, 0xFF);
    std::vector<uint8_t> information;  // 72 bytes
    uint8_t gps_time[6] = {12, 0, 0, 26, 12, 10};
    bool used_given = false;
    uint32_t used = 0;
    int erase_ms = 0;
    std::string acknowledge = std::string("QV GPS+BT", 10);
    std::set<std::string> muted;  // commands left unanswered
    std::set<std::string> cut;    // commands answered with half their bytes
    std::set<std::string> drop_on;  // commands on which the link drops
    bool checksum_error = false;
    long long drop_after_dump_bytes = -1;
    long long pause_dump_at = -1;  // the dump goes silent after this many bytes
    int pause_ms = 0;
    std::string save_upload;  // file that receives each upload image
};

// What the device wants done with the link after a step.
struct Output {
    std::string bytes;
    int delay_ms = 0;          // send bytes only after this delay
    bool drop_after = false;   // close the link once bytes are out
};

class Device {
public:
    Device(DeviceConfig config, std::function<void(const std::string&)> log);

    // A new opening of the port: input state reset.
    void opened();
    // Consumes received bytes; answers are appended to out.
    void receive(const uint8_t* bytes, size_t n, std::vector<Output>& out);

private:
    void command(const uint8_t* frame, std::vector<Output>& out);
    void finish_upload(std::vector<Output>& out);
    void answer(const std::string& name, std::string main, std::string tail, std::vector<Output>& out,
                int delay_ms = 0);
    std::string memory_size_answer() const;

    DeviceConfig config_;
    std::function<void(const std::string&)> log_;
    std::string input_;
    bool dump_mode_ = false;
    // Upload in progress: what it is, how long, its check byte.
    std::string upload_kind_;
    size_t upload_length_ = 0;
    uint8_t upload_check_ = 0;
};

}  // namespace logger_sim
