// The logger's dump text into day files: the first byte picks the import
// options, the rest is the dump. Every file written must read back as a day
// file of 20-byte records.
#include <filesystem>

#include "common/atomic_file.h"
#include "fuzz/fuzz_support.h"
#include "import/dump_conversion.h"
#include "track/day_file.h"

using namespace tripdesk;
using tripdesk::fuzz::expect;

namespace {

const std::string& vehicle_folder() {
    static const std::string folder = [] {
        const std::string f = fuzz::scratch_folder() + "/BA123AB";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputCursor in(data, size);
    const uint8_t choice = in.byte();
    const std::string_view text = in.rest();

    import::ConversionOptions options;
    options.tag_mode = choice & 1;
    options.working_hours_only = choice & 2;
    options.multiplier = (choice & 4) ? 0.0 : 1.0 + (choice >> 4) / 10.0;

    // Each line alone, as the window's preview reads it.
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        track::Tgps_record fix;
        if (import::parse_rmc_line(text.substr(at, end - at), fix))
            import::spherical_distance_km(fix, fix);
        at = end + 1;
    }

    NoProgress progress;
    const std::vector<std::string> written = import::convert_dump_text(text, vehicle_folder(), options, progress);
    expect(!written.empty(), "a conversion writes at least one file");
    for (const std::string& name : written) {
        const std::string bytes = read_whole_file(vehicle_folder() + "/" + name);
        expect(bytes.size() >= track::kHeaderBytes && (bytes.size() - track::kHeaderBytes) % 20 == 0,
               "a written day file holds whole 20-byte records");
        expect(track::load_le32(bytes.data()) == track::kMarkerImported, "a written day file has the import marker");
    }
    fuzz::empty_folder(vehicle_folder());
    return 0;
}
