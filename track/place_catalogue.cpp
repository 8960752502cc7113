#include "track/place_catalogue.h"

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

#include "common/atomic_file.h"
#include "common/io_error.h"
#include "track/cp1250.h"
#include "track/day_file.h"
#include "track/path_lookup.h"

namespace tripdesk::track {

namespace {
constexpr size_t kMapEntryBytes = 20;
constexpr size_t kNameRecordBytes = 35;
constexpr size_t kNameTextBytes = 34;

bool is_blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string logbook_folder(std::string_view output_dir_kj) {
    std::string_view s = output_dir_kj;
    if (s.empty()) return {};
    s.remove_suffix(1);
    while (!s.empty() && s.back() != '\\' && s.back() != '/') s.remove_suffix(1);
    return std::string(s);
}

PlaceMap PlaceMap::parse(std::string_view bytes) {
    std::vector<PlaceEntry> entries;
    entries.reserve(bytes.size() / kMapEntryBytes);
    for (size_t off = 0; off + kMapEntryBytes <= bytes.size(); off += kMapEntryBytes) {
        const char* p = bytes.data() + off;
        entries.push_back({static_cast<int>(load_le32(p)), float_from_word(load_le32(p + 8)),
                           float_from_word(load_le32(p + 12))});
    }
    return PlaceMap(std::move(entries));
}

PlaceMap PlaceMap::load(std::string_view logbook_folder) {
    return parse(read_whole_file(resolve_ignoring_case(logbook_folder, "KJ_KLM/MISTA.MAP")));
}

int PlaceMap::nearest(float lat, float lon) const {
    float best = 999999.0f;
    int best_id = 0;
    for (const PlaceEntry& e : entries_) {
        const float dlon = e.lon - lon;
        const float dlat = e.lat - lat;
        const float d = std::sqrt(dlon * dlon + dlat * dlat);
        if (d < best) {
            best = d;
            best_id = e.id;
        }
    }
    return best_id;
}

int nearest_place(std::string_view logbook_folder, float lat, float lon) {
    return PlaceMap::load(logbook_folder).nearest(lat, lon);
}

std::string place_name(int id, std::string_view logbook_folder) {
    const std::string path = resolve_ignoring_case(logbook_folder, "NAZVY.KJ");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw_errno(path);
    if (id < kFirstPlaceId) {
        ::close(fd);
        throw IoError(path + ": place " + std::to_string(id) + " lies before the first record");
    }
    char record[kNameRecordBytes];
    const off_t at = static_cast<off_t>(id - kFirstPlaceId) * static_cast<off_t>(kNameRecordBytes);
    ssize_t n;
    do {
        n = ::pread(fd, record, sizeof record, at);
    } while (n < 0 && errno == EINTR);
    const int err = errno;
    ::close(fd);
    if (n < 0) {
        errno = err;
        throw_errno(path);
    }
    if (n < static_cast<ssize_t>(kNameRecordBytes)) return {};
    size_t len = static_cast<unsigned char>(record[0]);
    if (len > kNameTextBytes) len = kNameTextBytes;
    std::string_view text(record + 1, len);
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return cp1250_to_utf8(text);
}

}  // namespace tripdesk::track
