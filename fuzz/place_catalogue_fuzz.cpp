// The logbook program's catalogues: the place map (MISTA.MAP) and the
// place-name file (NAZVY.KJ). The input is both files' bytes; the map's
// entries choose the names looked up.
#include <filesystem>

#include "common/io_error.h"
#include "fuzz/fuzz_support.h"
#include "track/cp1250.h"
#include "track/place_catalogue.h"

using namespace tripdesk;
using tripdesk::fuzz::expect;

namespace {

const std::string& logbook() {
    static const std::string folder = [] {
        const std::string f = fuzz::scratch_folder() + "/kniha/";
        std::filesystem::create_directories(f + "KJ_KLM");
        return f;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputCursor in(data, size);
    const uint8_t split = in.byte();
    const std::string_view rest = in.rest();
    const size_t map_bytes = std::min(rest.size(), size_t(split) * 20 + split % 7);
    const std::string_view map = rest.substr(0, map_bytes);
    const std::string_view names = rest.substr(map_bytes);

    const std::string& folder = logbook();
    fuzz::scratch_file("kniha/KJ_KLM/MISTA.MAP", map);
    fuzz::scratch_file("kniha/NAZVY.KJ", names);

    const track::PlaceMap parsed = track::PlaceMap::parse(map);
    expect(parsed.entries().size() == map.size() / 20, "one entry per whole 20 bytes");
    const track::PlaceMap loaded = track::PlaceMap::load(folder);
    expect(loaded.entries().size() == parsed.entries().size(), "the loaded map is the parsed map");

    std::vector<int> ids = {track::kFirstPlaceId, track::kFirstPlaceId + 1, 0, -1};
    for (const track::PlaceEntry& e : parsed.entries()) {
        ids.push_back(parsed.nearest(e.lat, e.lon));
        ids.push_back(e.id);
        if (ids.size() > 40) break;
    }
    for (const int id : ids) {
        try {
            const std::string name = track::place_name(id, folder);
            expect(track::is_utf8(name), "names come out as UTF-8");
            expect(id >= track::kFirstPlaceId, "IDs before the first record are refused");
        } catch (const IoError&) {
            expect(id < track::kFirstPlaceId, "only IDs before the first record fail");
        }
    }
    return 0;
}
