// The device library's firmware file check and decoding: any file gives one
// of the library's codes, never a crash; the library reads the file itself.
#include "devlib/firmware.h"
#include "devlib/state.h"
#include "fuzz/fuzz_support.h"

using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = tripdesk::fuzz::scratch_file("DLR4470.bin", tripdesk::fuzz::as_text(data, size));
    const int32_t code = dlr::load_firmware(path.c_str());
    expect(code == 0 || code == 31 || code == 32 || code == 33 || code == 34 || code == 36,
           "the firmware check answers with one of its codes");
    expect(code == 33 || code == 31 || code == 32 || size == 65536, "only 65,536-byte files pass the length check");
    if (code == 0) {
        expect(dlr::state().firmware_version[0] != '\0', "a decoded firmware has its version text");
    }
    return 0;
}
