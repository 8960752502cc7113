// The settings file read at start and written at exit: every typed key reads
// from any text, and a second save writes what the first wrote (line ends
// aside: the first line's end sets them for the whole file).
#include "app/settings_file.h"
#include "common/atomic_file.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::app;
using tripdesk::fuzz::expect;

namespace {

std::string without_cr(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != '\r') out.push_back(c);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto writable = [](const std::string&) { return false; };
    const std::string path = tripdesk::fuzz::scratch_file(kSettingsFileName, tripdesk::fuzz::as_text(data, size));
    const LoadedSettings first = load_settings_file(path, Settings{}, writable);
    save_settings_file(path, first.settings, writable);
    const std::string saved = tripdesk::read_whole_file(path);
    const LoadedSettings second = load_settings_file(path, Settings{}, writable);
    save_settings_file(path, second.settings, writable);
    expect(without_cr(tripdesk::read_whole_file(path)) == without_cr(saved), "settings saved again are saved the same");
    return 0;
}
