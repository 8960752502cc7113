// The tracker's identification reply and the firmware-name rules: the reply
// comes from a link that returns the input's bytes; the firmware file name
// is the rest of the input.
#include "device/firmware_compat.h"
#include "device/identification.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::device;
using tripdesk::fuzz::expect;

namespace {

// A port that answers every read with the next bytes of the input.
class ReplayLink final : public SerialLink {
public:
    explicit ReplayLink(std::string_view reply) : reply_(reply) {}
    void open(const std::string&) override { open_ = true; }
    void close() override { open_ = false; }
    bool is_open() const override { return open_; }
    void purge() override {}
    void set_dtr(bool) override {}
    int pending() override { return static_cast<int>(reply_.size()); }
    int write(const std::string& bytes) override { return static_cast<int>(bytes.size()); }
    std::string read(int max_bytes) override {
        const std::string_view got = reply_.substr(0, static_cast<size_t>(std::max(max_bytes, 0)));
        reply_.remove_prefix(got.size());
        return std::string(got);
    }

private:
    std::string_view reply_;
    bool open_ = false;
};

class NoSleep final : public Sleeper {
public:
    void sleep_ms(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tripdesk::fuzz::InputCursor in(data, size);
    const std::string_view reply = in.part();
    const std::string file_name(in.rest());

    ReplayLink link(reply);
    NoSleep sleeper;
    const IdentificationResult id = identify_tracker(link, "ttyFUZZ", sleeper);
    expect(id.link_ok && !link.is_open(), "the exchange closes the port");
    expect(id.shown.rfind("SN:", 0) == 0, "the shown identification starts with SN:");
    const std::string code = hardware_code(id.reply);
    expect(code.size() <= 4, "a hardware code has at most four characters");

    const FirmwareName name = firmware_name_info(file_name);
    expect(name.label.size() <= 4, "a firmware label has at most four characters");
    const std::string pack = device_pack(code);
    image_suits_device(name.pack, pack);
    expect(!image_suits_device(name.pack, kNoValue), "an unknown device suits no image");
    return 0;
}
