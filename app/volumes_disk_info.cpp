// ReadDiskInfo: the five volume texts of a listed drive.
#include "app/volumes.h"
#include "common/c_format.h"

namespace tripdesk::app {

namespace {

// "%1.*n": the number with "," between groups of three digits and "." as
// the decimal point.
std::string grouped(double value, int decimals) {
    const std::string plain = c_format("%.*f", decimals, value);
    const size_t point = plain.find('.');
    const std::string whole = plain.substr(0, point);
    std::string out;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(whole[i]);
    }
    if (point != std::string::npos) out += plain.substr(point);
    return out;
}

}  // namespace

std::string format_volume_size(uint64_t bytes) {
    constexpr uint64_t kKiB = 1024, kMiB = kKiB * 1024, kGiB = kMiB * 1024;
    const auto value = static_cast<double>(bytes);
    if (bytes < kKiB) return c_format("%d BYTES", static_cast<int>(bytes));
    if (bytes < kMiB) return grouped(value / kKiB, 0) + " KB";
    if (bytes < kGiB) return grouped(value / kMiB, 0) + " MB";
    return grouped(value / kGiB, 2) + " GB";
}

DiskInfo ReadDiskInfo(VolumeSource& source, const std::string& mount_point) {
    DiskInfo result;
    bool listed = false;
    for (const Volume& v : source.volumes()) listed = listed || v.mount_point == mount_point;
    if (!listed) return result;
    const std::optional<VolumeInfo> info = source.read(mount_point);
    if (!info || info->file_system.empty()) {
        result.labels = {"[NONE]", "[NONE]", "[NONE]", "[NONE]", "[NONE]"};
        return result;
    }
    result.labels.label = info->label.empty() ? kNoCarId : info->label;
    result.labels.free_space = format_volume_size(info->free_bytes);
    result.labels.total_space = format_volume_size(info->total_bytes);
    result.labels.serial = c_format("%d", info->serial.value_or(0));
    result.labels.file_system = info->file_system;
    result.ok = true;
    return result;
}

}  // namespace tripdesk::app
