// The catalogues kept in the settings file: the vehicle list (CAR_LIST) and
// the time windows (CAS_OKNO), read from whatever the settings text holds.
#include "app/ini_file.h"
#include "fuzz/fuzz_support.h"
#include "track/time_windows.h"
#include "track/vehicle_list.h"

using namespace tripdesk;
using tripdesk::fuzz::expect;

namespace {

track::SectionEntries section_entries(const app::IniFile& ini, const char* section, uint8_t unreadable_mask) {
    track::SectionEntries entries;
    size_t n = 0;
    for (auto& [key, value] : ini.entries(section)) {
        // Some entries stand for key lines whose value cannot be read.
        if ((unreadable_mask >> (n++ % 8)) & 1)
            entries.push_back({key, std::nullopt});
        else
            entries.push_back({key, value});
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputCursor in(data, size);
    const uint8_t unreadable = in.byte();
    const app::IniFile ini = app::IniFile::parse(in.rest());

    const track::SectionEntries cars = section_entries(ini, "CAR_LIST", unreadable);
    const std::vector<track::Vehicle> vehicles = track::read_vehicle_list(cars);
    expect(!vehicles.empty(), "the vehicle list is never empty");
    expect(cars.empty() || vehicles.size() == cars.size(), "one vehicle per entry");
    for (const track::Vehicle& v : vehicles) {
        const std::string upper = track::latin_upper(v.registration);
        expect(upper == v.registration, "registrations are in capitals");
        expect(track::latin_upper(v.description).size() == v.description.size(), "upper case keeps the length");
    }

    const track::SectionEntries windows = section_entries(ini, "CAS_OKNO", static_cast<uint8_t>(~unreadable));
    for (const std::string& w : track::read_time_windows(windows)) {
        const std::string start = track::time_window_start(w);
        const std::string end = track::time_window_end(w);
        expect(start.size() <= w.size() && w.compare(0, start.size(), start) == 0, "the start begins the window");
        expect(end.size() <= w.size() && w.compare(w.size() - end.size(), end.size(), end) == 0,
               "the end ends the window");
    }
    return 0;
}
