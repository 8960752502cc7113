// The drive list's entries: the listed volumes, then the card image.
#include "app/volumes.h"

#include "track/path_lookup.h"

namespace tripdesk::app {

namespace {

std::string with_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

}  // namespace

std::string image_name(const std::string& image_folder) {
    std::string folder = image_folder;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    if (folder.empty()) return "NONE";
    const size_t cut = folder.find_last_of("/\\");
    return cut == std::string::npos ? folder : folder.substr(cut + 1);
}

std::vector<DriveEntry> drive_list_entries(const std::vector<Volume>& volumes, const std::string& removable_prefix,
                                           const std::string& network_prefix, const std::string& image_prefix,
                                           const std::string& image_folder) {
    std::vector<DriveEntry> entries;
    for (const Volume& v : volumes) {
        const std::string& prefix = v.kind == VolumeKind::network ? network_prefix : removable_prefix;
        entries.push_back({prefix + "  [" + v.mount_point + "]", with_slash(v.mount_point), false});
    }
    entries.push_back({image_prefix + "  [" + track::upper_ascii(image_name(image_folder)) + "]",
                       image_folder.empty() ? std::string() : with_slash(image_folder), true});
    return entries;
}

}  // namespace tripdesk::app
