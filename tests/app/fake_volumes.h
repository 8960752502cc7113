#pragma once
// A volume source that presents folders as mounted drives, for the window
// tests: each drive has its mount point, its kind and the volume data the
// system would report (none: the file system cannot be read).
#include <optional>
#include <string>
#include <vector>

#include "app/volumes.h"

namespace tripdesk::testing {

class FakeVolumes : public app::VolumeSource {
public:
    struct Drive {
        std::string mount_point;  // without a trailing "/"
        app::VolumeKind kind = app::VolumeKind::removable;
        std::optional<app::VolumeInfo> info;
    };

    // A readable FAT card.
    static app::VolumeInfo card(const std::string& label) {
        app::VolumeInfo info;
        info.label = label;
        info.serial = 439041101;
        info.file_system = "FAT";
        info.free_bytes = 1536ull * 1024 * 1024;
        info.total_bytes = 2000ull * 1024 * 1024;
        return info;
    }

    void add(const std::string& folder, std::optional<app::VolumeInfo> info,
             app::VolumeKind kind = app::VolumeKind::removable) {
        std::string mount_point = folder;
        if (mount_point.size() > 1 && mount_point.back() == '/') mount_point.pop_back();
        drives.push_back({mount_point, kind, std::move(info)});
    }

    std::vector<app::Volume> volumes() override {
        std::vector<app::Volume> out;
        for (const Drive& d : drives) out.push_back({d.mount_point, d.kind});
        return out;
    }

    std::optional<app::VolumeInfo> read(const std::string& mount_point) override {
        for (const Drive& d : drives) {
            if (d.mount_point == mount_point) return d.info;
        }
        return std::nullopt;
    }

    std::vector<Drive> drives;
};

}  // namespace tripdesk::testing
