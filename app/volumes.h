#pragma once
// The drives the main window offers: mounted volumes that can hold a
// tracker's memory card (removable block devices and network file systems),
// their volume data, and the drive list's entries.
//
// The volumes come from a VolumeSource, so the window and the tests can use
// another source than the running system (tests present temporary folders
// as drives).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/volume_labels.h"

namespace tripdesk::app {

enum class VolumeKind { removable, network };

struct Volume {
    std::string mount_point;  // as mounted, without a trailing "/" (except "/")
    VolumeKind kind = VolumeKind::removable;
};

// What the system tells about a mounted volume.
struct VolumeInfo {
    std::string label;                  // volume label, empty when it has none
    std::optional<int32_t> serial;      // FAT volume id; nullopt when the volume has none
    std::string file_system;            // file-system name as shown ("FAT", "exFAT", "nfs4")
    uint64_t free_bytes = 0;            // space available to the user
    uint64_t total_bytes = 0;
};

class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    // The listed volumes, in the order the system mounted them.
    virtual std::vector<Volume> volumes() = 0;
    // The volume data of a mount point; nullopt when its file system cannot
    // be read (the volume vanished, an I/O error).
    virtual std::optional<VolumeInfo> read(const std::string& mount_point) = 0;
};

// Where the running system keeps what the system source reads.
struct SystemPaths {
    std::string mountinfo = "/proc/self/mountinfo";
    std::string sys = "/sys";             // sysfs: /sys/dev/block/MAJ:MIN
    std::string dev_disk = "/dev/disk";   // udev's by-label and by-uuid links
};

// The running system's volumes (see docs/platform.md for the rules).
std::unique_ptr<VolumeSource> make_system_volume_source(SystemPaths paths = {});
// One shared instance over the real system paths.
VolumeSource& system_volume_source();

// --- mountinfo -----------------------------------------------------------

struct MountEntry {
    unsigned major = 0, minor = 0;  // device numbers of the mounted file system
    std::string mount_point;        // escapes decoded ("\040" is a blank)
    std::string fs_type;            // "vfat", "nfs4", "fuse.sshfs"
    std::string source;             // "/dev/sdb1", "server:/export"
};

// Parses the lines of /proc/self/mountinfo; lines that are not well formed
// are skipped.
std::vector<MountEntry> parse_mountinfo(std::string_view text);

// True for the network file systems the drive list offers (nfs, nfs4, cifs,
// smb3, smbfs, fuse.sshfs).
bool is_network_file_system(std::string_view fs_type);

// Decodes the "\xNN" escapes of a name under /dev/disk/by-label.
std::string decode_udev_name(std::string_view name);

// The volume serial of a file-system UUID as udev names it: "XXXX-XXXX"
// (FAT, exFAT) or 16 hex digits (NTFS, whose low 32 bits count); nullopt for
// other forms.
std::optional<int32_t> serial_from_uuid(std::string_view uuid);

// The file-system name shown for a mount's type: "FAT" for vfat and msdos,
// "exFAT", "NTFS" for ntfs and ntfs3, else the type itself.
std::string shown_file_system(std::string_view fs_type);

// --- volume data ---------------------------------------------------------

// A size as the window shows it: "%d bytes" below 1024 bytes, kilobytes
// below 1 MiB and megabytes below 1 GiB with thousands separated and no
// decimals, otherwise gigabytes with two decimals; all in capitals
// ("512 BYTES", "1,024 KB", "3.73 GB").
std::string format_volume_size(uint64_t bytes);

struct DiskInfo {
    bool ok = false;       // the volume data were read
    VolumeLabels labels;   // the five texts to show
};

// ReadDiskInfo: the five texts of a listed volume. A mount point the source
// does not list gives empty texts and false; a volume that cannot be read
// gives "[NONE]" five times and false. An empty label becomes "NO_CARID".
DiskInfo ReadDiskInfo(VolumeSource& source, const std::string& mount_point);

// --- drive list ----------------------------------------------------------

struct DriveEntry {
    std::string text;    // "prefix  [mount point]"
    std::string folder;  // the folder that is scanned, with a trailing "/"; the image folder for the image entry
    bool image = false;  // the last entry: the card image
};

// The drive-list entries: one per listed volume (prefix `removable_prefix`
// or `network_prefix`), then the image entry (`image_prefix` + "  [" + the
// image name in capitals + "]", "NONE" without an image).
std::vector<DriveEntry> drive_list_entries(const std::vector<Volume>& volumes, const std::string& removable_prefix,
                                           const std::string& network_prefix, const std::string& image_prefix,
                                           const std::string& image_folder);

// The image name: the last path component of the image folder, "NONE" when empty.
std::string image_name(const std::string& image_folder);

}  // namespace tripdesk::app
