#include "analysis/place_search.h"

#include "track/place_catalogue.h"

namespace tripdesk::analysis {

std::string nearest_place_name(const std::string& output_dir_kj, const track::Tgps_record& record) {
    const std::string folder = track::logbook_folder(output_dir_kj);
    return track::place_name(track::nearest_place(folder, record.Lat, record.Lon), folder);
}

}  // namespace tripdesk::analysis
