// mapweaver: writes the map page of one day file.
//
//   mapweaver DAYFILE LABEL PAGE RESOLUTION MINSTOP TIMEOFF START END KEY [20BYTE]
//
// Exit status: 0 the page was written; 2 bad arguments; 3 the day file is
// missing or unreadable; 4 the page could not be written. Every failure says
// why on stderr and leaves no page behind (the page is written to a
// temporary file and renamed once complete).
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/io_error.h"
#include "mapweaver/converter_arguments.h"
#include "mapweaver/day_date.h"
#include "mapweaver/day_figures.h"
#include "mapweaver/map_page.h"
#include "track/day_file.h"

namespace {

using namespace tripdesk;
using namespace tripdesk::mapweaver;

constexpr int kBadArguments = 2;
constexpr int kDayFileUnreadable = 3;
constexpr int kPageNotWritten = 4;

// Leaflet's files lie in "leaflet" beside the converter.
std::string library_folder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("leaflet") : (exe.parent_path() / "leaflet").string();
}

std::string window_text(const ConverterArguments& a) {
    if (!a.window_start_s && !a.window_end_s) return {};
    const auto bound = [](const std::optional<int>& s, const char* open) {
        if (!s) return std::string(open);
        return *s == 86400 ? std::string("24:00:00") : clock_text(*s);
    };
    return bound(a.window_start_s, "00:00:00") + " – " + bound(a.window_end_s, "24:00:00");
}

DayPage build_page(const ConverterArguments& a, const std::vector<track::Tgps_record>& records) {
    DayPage page;
    page.vehicle_label = a.vehicle_label;
    if (const auto date = page_date(a.day_file, records)) page.date_text = date_text(*date);
    page.window_text = window_text(a);
    page.points = day_track(records, {a.time_off_half_hours, a.window_start_s, a.window_end_s});
    page.stops = find_stops(page.points, a.min_stop_s);
    page.runs = line_runs(page.points, thinned_points(page.points, a.resolution_units, page.stops));
    page.figures = day_figures(page.points, a.min_stop_s);
    page.map_key = a.map_key;
    return page;
}

}  // namespace

int main(int argc, char** argv) {
    ConverterArguments a;
    try {
        a = parse_converter_arguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr,
                     "mapweaver: %s\nusage: mapweaver DAYFILE LABEL PAGE RESOLUTION MINSTOP TIMEOFF START END KEY [20BYTE]\n",
                     e.what());
        return kBadArguments;
    }
    std::vector<track::Tgps_record> records;
    try {
        records = track::read_records(a.day_file, {1.0, a.force20byte});
    } catch (const IoError& e) {
        std::fprintf(stderr, "mapweaver: cannot read the day file: %s\n", e.what());
        return kDayFileUnreadable;
    }
    try {
        const std::optional<MapLibrary> leaflet = load_map_library(library_folder());
        write_file_atomically(a.page_path, map_page_html(build_page(a, records), leaflet ? &*leaflet : nullptr));
    } catch (const IoError& e) {
        std::fprintf(stderr, "mapweaver: cannot write the page: %s\n", e.what());
        return kPageNotWritten;
    }
    return 0;
}
