#pragma once
// The logbook program's own catalogues, read only: its place map (positions of
// known places with their numeric IDs) and its place-name file. Both lie in
// the logbook folder, the parent of the logbook export's output folder.
//
//   place map   <logbook folder>/KJ_KLM/MISTA.MAP: 20-byte little-endian
//               entries, no header: ID (int32), unused, longitude (float),
//               latitude (float), unused. A partial final entry is ignored.
//   place names <logbook folder>/NAZVY.KJ: 35-byte records; record n names
//               place ID 824279 + n: a length byte, then 34 bytes of text in
//               Windows-1250. Names are handed out as UTF-8.
//
// File names are matched without regard to letter case. Missing files throw
// IoError, as any read failure does.
#include <string>
#include <string_view>
#include <vector>

namespace tripdesk::track {

// The first place ID of the names file.
constexpr int kFirstPlaceId = 824279;

// The logbook folder for the output folder `OutputDirKJ`: characters are cut
// from the end, at least one, until the text ends with a separator ("\" or
// "/"). "C:\Kniha\KJ_GPS" and "C:\Kniha\KJ_GPS\" both give "C:\Kniha\"; a
// text without any separator gives "".
std::string logbook_folder(std::string_view output_dir_kj);

struct PlaceEntry {
    int id = 0;
    float lon = 0.0f;
    float lat = 0.0f;
};

// The place map loaded once, for callers that search many positions.
class PlaceMap {
public:
    PlaceMap() = default;
    explicit PlaceMap(std::vector<PlaceEntry> entries) : entries_(std::move(entries)) {}
    // Reads <logbook folder>/KJ_KLM/MISTA.MAP; throws IoError.
    static PlaceMap load(std::string_view logbook_folder);
    // Parses the bytes of a place map.
    static PlaceMap parse(std::string_view bytes);

    // ID of the entry nearest to the position by plain degree distance
    // sqrt(dlon^2 + dlat^2) in single precision, starting from a best
    // distance of 999999; a tie keeps the earlier entry; 0 for an empty map.
    int nearest(float lat, float lon) const;

    const std::vector<PlaceEntry>& entries() const { return entries_; }

private:
    std::vector<PlaceEntry> entries_;
};

// Reads the place map and returns the ID of the place nearest to the position.
int nearest_place(std::string_view logbook_folder, float lat, float lon);

// The name of place `id`, without leading and trailing blanks; empty when the
// names file ends before its record. An ID below 824279 throws IoError (it
// would lie before the file's start).
std::string place_name(int id, std::string_view logbook_folder);

}  // namespace tripdesk::track
