#include "app/volumes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/day_file_names.h"
#include "app/temp_folder.h"
#include "common/atomic_file.h"

using namespace tripdesk::app;
using tripdesk::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

// Every kind of line the kernel writes: optional fields, escaped blanks,
// network file systems, a line cut short.
constexpr const char* kMountinfo =
    "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
    "22 27 0:21 / /sys rw,relatime shared:7 - sysfs sysfs rw\n"
    "90 27 8:17 / /media/jan/MY\\040CARD rw,nosuid shared:40 master:1 - vfat /dev/sdb1 rw,fmask=0022\n"
    "91 27 0:50 / /mnt/nas rw - nfs4 nas:/export rw,vers=4.2\n"
    "92 27 0:51 / /mnt/share rw - cifs //server/share rw\n"
    "93 27 0:52 / /home/jan/remote rw - fuse.sshfs jan@host: rw\n"
    "94 27 0:53 / /mnt/broken rw\n";

}  // namespace

TEST(Mountinfo, ParsesFieldsEscapesAndOptionalFields) {
    const auto mounts = parse_mountinfo(kMountinfo);
    ASSERT_EQ(mounts.size(), 6u);
    EXPECT_EQ(mounts[0].mount_point, "/");
    EXPECT_EQ(mounts[1].fs_type, "sysfs");
    const MountEntry& card = mounts[2];
    EXPECT_EQ(card.major, 8u);
    EXPECT_EQ(card.minor, 17u);
    EXPECT_EQ(card.mount_point, "/media/jan/MY CARD");
    EXPECT_EQ(card.fs_type, "vfat");
    EXPECT_EQ(card.source, "/dev/sdb1");
    EXPECT_EQ(mounts[3].fs_type, "nfs4");
    EXPECT_EQ(mounts[3].source, "nas:/export");
    EXPECT_EQ(mounts[5].mount_point, "/home/jan/remote");
}

TEST(Mountinfo, NetworkFileSystems) {
    for (const char* t : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs"}) EXPECT_TRUE(is_network_file_system(t)) << t;
    for (const char* t : {"vfat", "ext4", "fuse", "fuseblk", "tmpfs", "nfsd"}) EXPECT_FALSE(is_network_file_system(t)) << t;
}

TEST(VolumeNames, UdevEscapesAndSerials) {
    EXPECT_EQ(decode_udev_name("BA-123AB"), "BA-123AB");
    EXPECT_EQ(decode_udev_name("MY\\x20CARD"), "MY CARD");
    EXPECT_EQ(decode_udev_name("a\\x2fb\\xzz"), "a/b\\xzz");  // a bad escape stays as it is
    EXPECT_EQ(decode_udev_name("end\\x2"), "end\\x2");

    EXPECT_EQ(serial_from_uuid("1A2B-3C4D"), 0x1A2B3C4D);
    EXPECT_EQ(serial_from_uuid("c0de-f00d"), -1059131379);  // above 2^31: negative, as a signed 32-bit number
    EXPECT_EQ(serial_from_uuid("FFFF-FFFF"), -1);
    EXPECT_EQ(serial_from_uuid("0123456789ABCDEF"), static_cast<int32_t>(0x89ABCDEF));  // NTFS: its low half
    EXPECT_EQ(serial_from_uuid("3f6c2a4e-1b8d-4c5e-9a7f-0e2d4b6c8a10"), std::nullopt);
    EXPECT_EQ(serial_from_uuid("1A2B-3C4G"), std::nullopt);

    EXPECT_EQ(shown_file_system("vfat"), "FAT");
    EXPECT_EQ(shown_file_system("exfat"), "exFAT");
    EXPECT_EQ(shown_file_system("ntfs3"), "NTFS");
    EXPECT_EQ(shown_file_system("nfs4"), "nfs4");
}

TEST(VolumeSize, FormsByMagnitude) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0 BYTES"},
        {1023, "1023 BYTES"},
        {1024, "1 KB"},
        {1536, "2 KB"},                   // rounded, no decimals
        {1024 * 1023, "1,023 KB"},
        {1024 * 1024 - 1, "1,024 KB"},    // still below 1 MiB
        {1024 * 1024, "1 MB"},
        {1000ull * 1024 * 1024 - 1, "1,000 MB"},
        {1024ull * 1024 * 1024 - 1, "1,024 MB"},
        {1024ull * 1024 * 1024, "1.00 GB"},
        {4005ull * 1024 * 1024, "3.91 GB"},
        {2500ull * 1024 * 1024 * 1024, "2,500.00 GB"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(format_volume_size(bytes), text) << bytes;
}

namespace {

class OneVolume : public VolumeSource {
public:
    std::optional<VolumeInfo> info;
    std::vector<Volume> volumes() override { return {{"/media/card", VolumeKind::removable}}; }
    std::optional<VolumeInfo> read(const std::string&) override { return info; }
};

}  // namespace

TEST(ReadDiskInfo, LabelsOfReadableUnlabelledAndUnreadableVolumes) {
    OneVolume v;
    v.info = VolumeInfo{"BA-123AB", -1059131379, "FAT", 512, 3ull * 1024 * 1024 * 1024};
    DiskInfo d = ReadDiskInfo(v, "/media/card");
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.labels, (VolumeLabels{"BA-123AB", "512 BYTES", "3.00 GB", "-1059131379", "FAT"}));

    v.info->label.clear();
    v.info->serial.reset();  // a network drive has no FAT serial
    d = ReadDiskInfo(v, "/media/card");
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.labels.label, "NO_CARID");
    EXPECT_EQ(d.labels.serial, "0");

    v.info.reset();
    d = ReadDiskInfo(v, "/media/card");
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.labels, (VolumeLabels{"[NONE]", "[NONE]", "[NONE]", "[NONE]", "[NONE]"}));

    v.info = VolumeInfo{"X", 1, "", 1, 1};  // no file-system name: unreadable
    EXPECT_FALSE(ReadDiskInfo(v, "/media/card").ok);
    EXPECT_EQ(ReadDiskInfo(v, "/media/card").labels.file_system, "[NONE]");

    d = ReadDiskInfo(v, "/media/other");  // not a listed drive
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.labels, VolumeLabels{});
}

TEST(DriveList, EntriesEndWithTheImage) {
    const std::vector<Volume> volumes = {{"/media/jan/Card 1", VolumeKind::removable}, {"/mnt/nas", VolumeKind::network}};
    auto entries = drive_list_entries(volumes, "- vymeniteľný disk:", "- sieťový disk:", "- virtuálny disk:", "");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "- vymeniteľný disk:  [/media/jan/Card 1]");  // the mount point keeps its case
    EXPECT_EQ(entries[0].folder, "/media/jan/Card 1/");
    EXPECT_EQ(entries[1].text, "- sieťový disk:  [/mnt/nas]");
    EXPECT_EQ(entries[2].text, "- virtuálny disk:  [NONE]");
    EXPECT_TRUE(entries[2].image);
    EXPECT_EQ(entries[2].folder, "");

    entries = drive_list_entries({}, "r", "n", "- virtual drive: ", "/data/_images/ba-123ab/");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "- virtual drive:   [BA-123AB]");
    EXPECT_EQ(entries[0].folder, "/data/_images/ba-123ab/");
    EXPECT_EQ(image_name("/data/_images/ba-123ab"), "ba-123ab");
    EXPECT_EQ(image_name(""), "NONE");
}

// The system source over a made-up /sys and /dev/disk: a USB card reader's
// partition, a built-in SD slot, a fixed disk, a network share, a vanished
// mount and a card mounted twice at the same place.
class SystemSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(card_mount());
        fs::create_directories(sd_mount());
        fs::create_directories(disk_mount());
        fs::create_directories(nas_mount());
        const std::string sys = root.path() + "sys/";
        make_device(sys + "devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/target6:0:0/6:0:0:0/block/sdb",
                    "sdb1", "8:17", "0");
        make_device(sys + "devices/platform/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0", "mmcblk0p1", "179:1", "0");
        write_file(sys + "devices/platform/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0/device/type", "SD\n");
        make_device(sys + "devices/pci0000:00/0000:00:17.0/ata1/host0/block/sda", "sda2", "8:2", "0");
        fs::create_directories(root.path() + "disk/by-label");
        fs::create_directories(root.path() + "disk/by-uuid");
        fs::create_symlink("../../sdb1", root.path() + "disk/by-label/BA\\x20123AB");
        fs::create_symlink("../../sda2", root.path() + "disk/by-label/SYSTEM");
        fs::create_symlink("../../sdb1", root.path() + "disk/by-uuid/C0DE-F00D");
        fs::create_symlink("../../mmcblk0p1", root.path() + "disk/by-uuid/3f6c2a4e-1b8d-4c5e-9a7f-0e2d4b6c8a10");
        const std::string mountinfo =
            "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
            "80 27 8:17 / " + card_mount() + " rw - ext4 /dev/sdb1 rw\n"
            "81 27 8:2 / " + disk_mount() + " rw - ext4 /dev/sda2 rw\n"
            "82 27 179:1 / " + sd_mount() + " rw - exfat /dev/mmcblk0p1 rw\n"
            "83 27 0:50 / " + nas_mount() + " rw - nfs4 nas:/export rw\n"
            "84 27 8:33 / " + root.path() + "gone rw - vfat /dev/sdc1 rw\n"
            "85 27 8:17 / " + card_mount() + " rw - vfat /dev/sdb1 rw\n";
        write_file(root.path() + "mountinfo", mountinfo);
        source = make_system_volume_source({root.path() + "mountinfo", sys, root.path() + "disk"});
    }

    void make_device(const std::string& disk, const std::string& partition, const std::string& numbers,
                     const std::string& removable) {
        fs::create_directories(disk + "/" + partition);
        write_file(disk + "/removable", removable + "\n");
        write_file(disk + "/" + partition + "/partition", "1\n");
        fs::create_directories(root.path() + "sys/dev/block");
        fs::create_symlink(disk + "/" + partition, root.path() + "sys/dev/block/" + numbers);
    }

    static void write_file(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        tripdesk::write_file_atomically(path, text);
    }

    std::string card_mount() const { return root.path() + "media/card"; }
    std::string sd_mount() const { return root.path() + "media/sd"; }
    std::string disk_mount() const { return root.path() + "data"; }
    std::string nas_mount() const { return root.path() + "mnt/nas"; }

    TempFolder root;
    std::unique_ptr<VolumeSource> source;
};

TEST_F(SystemSourceTest, ListsCardReadersAndNetworkDrives) {
    const auto volumes = source->volumes();
    // The fixed disk, the root and the vanished device (unknown to sysfs) are left out.
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].mount_point, card_mount());
    EXPECT_EQ(volumes[0].kind, VolumeKind::removable);
    EXPECT_EQ(volumes[1].mount_point, sd_mount());
    EXPECT_EQ(volumes[1].kind, VolumeKind::removable);
    EXPECT_EQ(volumes[2].mount_point, nas_mount());
    EXPECT_EQ(volumes[2].kind, VolumeKind::network);
}

TEST_F(SystemSourceTest, ReadsLabelSerialFileSystemAndSpace) {
    // The card was mounted again over itself: the later mount (vfat) counts.
    const DiskInfo card = ReadDiskInfo(*source, card_mount());
    ASSERT_TRUE(card.ok);
    EXPECT_EQ(card.labels.label, "BA 123AB");
    EXPECT_EQ(card.labels.serial, "-1059131379");
    EXPECT_EQ(card.labels.file_system, "FAT");
    EXPECT_FALSE(card.labels.total_space.empty());
    EXPECT_NE(card.labels.total_space, "[NONE]");

    const DiskInfo sd = ReadDiskInfo(*source, sd_mount());
    ASSERT_TRUE(sd.ok);
    EXPECT_EQ(sd.labels.label, "NO_CARID");
    EXPECT_EQ(sd.labels.serial, "0");  // not a FAT-style id
    EXPECT_EQ(sd.labels.file_system, "exFAT");

    const DiskInfo nas = ReadDiskInfo(*source, nas_mount());
    ASSERT_TRUE(nas.ok);
    EXPECT_EQ(nas.labels.file_system, "nfs4");
}

TEST_F(SystemSourceTest, AVanishedMountPointCannotBeRead) {
    fs::remove_all(sd_mount());
    const DiskInfo sd = ReadDiskInfo(*source, sd_mount());
    EXPECT_FALSE(sd.ok);
    EXPECT_EQ(sd.labels.label, "[NONE]");
}

TEST_F(SystemSourceTest, NoMountTableListsNothing) {
    fs::remove(root.path() + "mountinfo");
    EXPECT_TRUE(source->volumes().empty());
}

TEST(DayFileDates, DatesOfDayFilesOnly) {
    TempFolder card;
    for (const char* name : {"150309.GPS", "020109.gps", "310209.GPS", "150309.TXT", "EEPROM.BIN", "1503090.GPS",
                             "ab0309.GPS", "010410.GPS"})
        tripdesk::write_file_atomically(card.file(name), "");
    const auto dates = day_file_dates(card.path());
    using namespace std::chrono;
    ASSERT_EQ(dates.size(), 3u);  // 31 February is no date
    EXPECT_EQ(dates[0], year_month_day(year(2009), month(1), day(2)));
    EXPECT_EQ(dates[1], year_month_day(year(2009), month(3), day(15)));
    EXPECT_EQ(dates[2], year_month_day(year(2010), month(4), day(1)));
    EXPECT_TRUE(day_file_dates(card.file("missing")).empty());
}
