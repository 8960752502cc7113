// The running system's volumes: the mount table, sysfs for the kind of a
// block device, udev's by-label and by-uuid links for the label and the
// serial, statvfs for the space.
#include <sys/statvfs.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/volumes.h"

namespace tripdesk::app {

namespace {

namespace fs = std::filesystem;

std::string read_small_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string first_word(const std::string& text) {
    const size_t end = text.find_first_of(" \t\r\n");
    return text.substr(0, end);
}

class SystemVolumeSource final : public VolumeSource {
public:
    explicit SystemVolumeSource(SystemPaths paths) : paths_(std::move(paths)) {}

    std::vector<Volume> volumes() override {
        std::vector<Volume> listed;
        for (const MountEntry& e : mounts()) {
            if (e.mount_point == "/") continue;
            if (is_network_file_system(e.fs_type)) {
                listed.push_back({e.mount_point, VolumeKind::network});
            } else if (e.major != 0 && !device_name(e).empty() && is_removable(e)) {
                listed.push_back({e.mount_point, VolumeKind::removable});
            }
        }
        return listed;
    }

    std::optional<VolumeInfo> read(const std::string& mount_point) override {
        const std::vector<MountEntry> all = mounts();
        const MountEntry* mount = nullptr;
        for (const MountEntry& e : all) {
            if (e.mount_point == mount_point) mount = &e;
        }
        if (!mount) return std::nullopt;
        struct statvfs st {};
        if (::statvfs(mount_point.c_str(), &st) != 0) return std::nullopt;
        VolumeInfo info;
        info.free_bytes = static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
        info.total_bytes = static_cast<uint64_t>(st.f_blocks) * st.f_frsize;
        info.file_system = shown_file_system(mount->fs_type);
        if (const std::string device = mount->major != 0 ? device_name(*mount) : std::string(); !device.empty()) {
            if (const auto name = link_naming(device, "by-label")) info.label = decode_udev_name(*name);
            if (const auto uuid = link_naming(device, "by-uuid")) info.serial = serial_from_uuid(*uuid);
        }
        return info;
    }

private:
    // The mounts in order; a mount point mounted again shows only its last
    // mount, which hides the earlier ones.
    std::vector<MountEntry> mounts() const {
        std::vector<MountEntry> entries;
        try {
            entries = parse_mountinfo(read_small_file(paths_.mountinfo));
        } catch (const std::exception&) {
            return {};
        }
        std::vector<MountEntry> visible;
        std::map<std::string, size_t> at;
        for (MountEntry& e : entries) {
            if (const auto it = at.find(e.mount_point); it != at.end()) {
                visible[it->second] = std::move(e);
            } else {
                at.emplace(e.mount_point, visible.size());
                visible.push_back(std::move(e));
            }
        }
        return visible;
    }

    fs::path sysfs_device(const MountEntry& e) const {
        std::error_code ec;
        const fs::path link = fs::path(paths_.sys) / "dev" / "block" /
                              (std::to_string(e.major) + ":" + std::to_string(e.minor));
        fs::path device = fs::canonical(link, ec);
        return ec ? fs::path() : device;
    }

    // The kernel's name of the mounted block device ("sdb1"), empty when
    // sysfs does not know it.
    std::string device_name(const MountEntry& e) const { return sysfs_device(e).filename().string(); }

    // A card reader: a block device (or the disk of a partition) marked
    // removable, sitting on USB, or an SD card in a built-in reader.
    bool is_removable(const MountEntry& e) const {
        const fs::path device = sysfs_device(e);
        if (device.empty()) return false;
        std::error_code ec;
        const fs::path disk = fs::exists(device / "partition", ec) ? device.parent_path() : device;
        if (first_word(read_small_file(disk / "removable")) == "1") return true;
        if (disk.string().find("/usb") != std::string::npos) return true;
        return first_word(read_small_file(disk / "device" / "type")) == "SD";
    }

    // The name of the udev link in /dev/disk/<folder> that points at the device.
    std::optional<std::string> link_naming(const std::string& device, const char* folder) const {
        std::error_code ec;
        for (fs::directory_iterator it(fs::path(paths_.dev_disk) / folder, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code link_ec;
            const fs::path target = fs::read_symlink(it->path(), link_ec);
            if (!link_ec && target.filename() == device) return it->path().filename().string();
        }
        return std::nullopt;
    }

    SystemPaths paths_;
};

}  // namespace

std::unique_ptr<VolumeSource> make_system_volume_source(SystemPaths paths) {
    return std::make_unique<SystemVolumeSource>(std::move(paths));
}

VolumeSource& system_volume_source() {
    static const std::unique_ptr<VolumeSource> source = make_system_volume_source();
    return *source;
}

}  // namespace tripdesk::app
