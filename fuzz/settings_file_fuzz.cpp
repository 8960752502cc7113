// The settings file read at start and written at exit: every typed key reads
// from any text, and saving settings that were just read keeps the file
// (line ends aside: the first line's end sets them for the whole file).
#include "app/settings_file.h"
#include "common/atomic_file.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::app;
using tripdesk::fuzz::expect;
using tripdesk::fuzz::without_cr;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto writable = [](const std::string&) { return false; };
    const std::string path = tripdesk::fuzz::scratch_file(kSettingsFileName, tripdesk::fuzz::as_text(data, size));
    // The first save may still change what the next start reads (a value
    // written back without its line breaks and NUL characters); from then on
    // start and exit keep the file as it is.
    std::string saved;
    for (int round = 0; round < 3; ++round) {
        const LoadedSettings loaded = load_settings_file(path, Settings{}, writable);
        save_settings_file(path, loaded.settings, writable);
        const std::string now = without_cr(tripdesk::read_whole_file(path));
        if (round == 2) expect(now == saved, "settings saved again are saved the same");
        saved = now;
    }
    return 0;
}
