// Settings, information, serial number, GPS time, used memory and erase
// through the exports against the simulated logger.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "devlib/dlr4470.h"
#include "devlib/logger_sim_process.h"

using namespace testing_support;

namespace {

constexpr const char* kSounds[] = {"battery_low.wav", "BT_close.wav", "BT_open.wav",  "Error_Beep.wav", "GPS_search.wav",
                                   "GPS_search_finished.wav", "OK_Beep.wav", "OK1_Beep.wav", "Dot_Tag.wav"};

struct Entry {
    uint8_t b[16];
};

Entry position(uint8_t lon_sign, uint8_t lon_deg, uint8_t lon_min, uint8_t lon_sec, uint8_t lon_hund, uint8_t lat_sign,
               uint8_t lat_deg, uint8_t lat_min, uint8_t lat_sec, uint8_t lat_hund, uint8_t range) {
    Entry e{};
    const uint8_t v[11] = {lon_sign, lon_deg, lon_min, lon_sec, lon_hund, lat_sign, lat_deg, lat_min, lat_sec, lat_hund, range};
    std::memcpy(e.b, v, 11);
    e.b[13] = 1;
    return e;
}

class DeviceTest : public ::testing::Test {
protected:
    void TearDown() override {
        QV_DLR4470_EXIT_DUMP_MODE();
        ASSERT_EQ(chdir("/"), 0);
    }

    void start(std::vector<std::string> options = {}) {
        sim_ = std::make_unique<LoggerSim>(options);
        int32_t port = 0;
        ASSERT_EQ(QV_DLR4470_AUTO_INTO_DUMP_MODE(&port), DLR4470_IN_DUMP_MODE);
    }

    // Sound files in the work folder adding up to total bytes.
    void make_sounds(size_t total, size_t count = 9) {
        for (size_t i = 0; i < count; ++i) {
            const size_t size = total / count + (i == 0 ? total % count : 0);
            write_file(work_.file(kSounds[i]), std::string(size, static_cast<char>('a' + i)));
        }
    }

    int32_t write_settings(uint32_t first, uint32_t second, int32_t b19 = 0, const uint8_t* positions = nullptr,
                           int32_t b1a = 2, int32_t b1b = 0, int32_t zone = 0) {
        static const uint8_t none[160] = {};
        return QV_DLR4470_SETTING_DEVICE(0, first, second, 1, 1, work_.path().c_str(), b19,
                                         positions ? positions : none, b1a, b1b, zone);
    }

    TempFolder work_;
    std::unique_ptr<LoggerSim> sim_;
};

TEST_F(DeviceTest, ArgumentChecksComeBeforeAnythingIsSent) {
    start();
    make_sounds(100);
    uint8_t bad_entry[160];
    std::memset(bad_entry, 0, sizeof bad_entry);
    const Entry e = position(0, 180, 0, 0, 0, 0, 48, 0, 0, 0, 5);
    std::memcpy(bad_entry + 16, e.b, 16);
    struct Case {
        const char* name;
        uint32_t first, second;
        int32_t b19, b1a, b1b, zone;
        const uint8_t* positions;
        int32_t result;
    };
    const Case cases[] = {
        {"both intervals", 60, 100, 0, 2, 0, 0, nullptr, DLR4470_BOTH_INTERVALS},
        {"first too long", 3601, 0, 0, 2, 0, 0, nullptr, DLR4470_FIRST_INTERVAL_RANGE},
        {"second too short", 0xFFFFFFFF, 20, 0, 2, 0, 0, nullptr, DLR4470_SECOND_INTERVAL_RANGE},
        {"second too long", 0, 3001, 0, 2, 0, 0, nullptr, DLR4470_SECOND_INTERVAL_RANGE},
        {"byte 19", 60, 0, 21, 2, 0, 0, nullptr, DLR4470_SETTING_19_RANGE},
        {"byte 1a low", 60, 0, 0, 1, 0, 0, nullptr, DLR4470_SETTING_1A_RANGE},
        {"byte 1a high", 60, 0, 0, 16, 0, 0, nullptr, DLR4470_SETTING_1A_RANGE},
        {"byte 1b", 60, 0, 0, 2, 2, 0, nullptr, DLR4470_SETTING_1B_RANGE},
        {"zone high", 60, 0, 0, 2, 0, 13, nullptr, DLR4470_TIME_ZONE_RANGE},
        {"zone low", 60, 0, 0, 2, 0, -13, nullptr, DLR4470_TIME_ZONE_RANGE},
        {"entry", 60, 0, 0, 2, 0, 0, bad_entry, DLR4470_POSITION_ENTRY_RANGE},
    };
    const size_t lines = sim_->log().size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(write_settings(c.first, c.second, c.b19, c.positions, c.b1a, c.b1b, c.zone), c.result);
    }
    EXPECT_EQ(sim_->log().size(), lines);
    // Accepted combinations reach the logger.
    EXPECT_EQ(write_settings(60, 0), DLR4470_SETTINGS_WRITTEN);
    EXPECT_EQ(write_settings(0, 3000), DLR4470_SETTINGS_WRITTEN);
    EXPECT_EQ(write_settings(0, 25, 20, nullptr, 15, 1, -12), DLR4470_SETTINGS_WRITTEN);
}

TEST_F(DeviceTest, NeverStoredSettingsReadBackAsDefaults) {
    start();
    int32_t first = 0, second = 0;
    uint8_t b08 = 9, b18 = 9, b19 = 9, b1a = 9, b1b = 9;
    int8_t zone = 9;
    uint8_t positions[160];
    std::memset(positions, 0, sizeof positions);
    ASSERT_EQ(QV_DLR4470_READ_SETTING_VALUE(0, &first, &second, &b08, &b18, &b19, positions, &b1a, &b1b, &zone),
              DLR4470_SETTINGS_READ);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, 50);
    EXPECT_EQ(b08, 2);
    EXPECT_EQ(b18, 1);
    EXPECT_EQ(b19, 0);
    EXPECT_EQ(b1a, 15);
    EXPECT_EQ(b1b, 1);
    EXPECT_EQ(zone, -1);
    for (uint8_t b : positions) EXPECT_EQ(b, 0xFF);
}

TEST_F(DeviceTest, SettingsRoundTripThroughTheLogger) {
    start();
    make_sounds(1000);
    uint8_t positions[160];
    // Nonsense in a disabled entry is neither checked nor stored.
    std::memset(positions, 0x77, sizeof positions);
    for (int i = 0; i < 10; ++i) positions[16 * i + 13] = 0;
    const Entry a = position(0, 17, 6, 12, 34, 1, 48, 9, 59, 99, 30);
    const Entry b = position(1, 179, 59, 0, 0, 0, 0, 0, 0, 1, 1);
    std::memcpy(positions, a.b, 16);
    std::memcpy(positions + 16 * 9, b.b, 16);
    ASSERT_EQ(write_settings(0, 120, 7, positions, 9, 1, -5), DLR4470_SETTINGS_WRITTEN);
    EXPECT_TRUE(sim_->logged("upload settings 1256 ok"));
    // The stored form of 17 06' 12.34" is (1706 x 10,000) + (1234 x 10) / 6.
    const std::string upload = read_file(sim_->upload_file());
    ASSERT_EQ(upload.size(), 1256u);
    const auto le32 = [&](size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(upload[at + static_cast<size_t>(i)]);
        return v;
    };
    EXPECT_EQ(le32(32), 1706u * 10000 + 2056);
    EXPECT_EQ(le32(36), 0x80000000u | (4809u * 10000 + 9998));
    EXPECT_EQ(upload.substr(256, 111), std::string(111, 'a'));

    int32_t first = 0, second = 0;
    uint8_t b08, b18, b19, b1a, b1b;
    int8_t zone;
    uint8_t back[160];
    ASSERT_EQ(QV_DLR4470_READ_SETTING_VALUE(0, &first, &second, &b08, &b18, &b19, back, &b1a, &b1b, &zone),
              DLR4470_SETTINGS_READ);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, 120);
    EXPECT_EQ(b19, 7);
    EXPECT_EQ(b1a, 9);
    EXPECT_EQ(b1b, 1);
    EXPECT_EQ(zone, -5);
    // 12.34 s is stored as 2056 and reads back as 12.33 s.
    const uint8_t expect_a[16] = {0, 17, 6, 12, 33, 1, 48, 9, 59, 98, 30, 0xFF, 0xFF, 1, 0xFF, 0xFF};
    const uint8_t expect_b[16] = {1, 179, 59, 0, 0, 0, 0, 0, 0, 0, 1, 0xFF, 0xFF, 1, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(back, expect_a, 16), 0);
    EXPECT_EQ(std::memcmp(back + 16 * 9, expect_b, 16), 0);
    for (int i = 16; i < 16 * 9; ++i) EXPECT_EQ(back[i], 0xFF) << i;
}

TEST_F(DeviceTest, SoundLimitAndMissingSound) {
    start();
    make_sounds(131327);
    EXPECT_EQ(write_settings(60, 0), DLR4470_SETTINGS_WRITTEN);
    make_sounds(131328);
    EXPECT_EQ(write_settings(60, 0), DLR4470_SOUNDS_TOO_LARGE);
    ASSERT_EQ(unlink(work_.file("Dot_Tag.wav").c_str()), 0);
    EXPECT_EQ(write_settings(60, 0), DLR4470_SOUND_MISSING);
    EXPECT_EQ(QV_DLR4470_SETTING_DEVICE(0, 60, 0, 0, 0, "/nonexistent/folder", 0, nullptr, 2, 0, 0),
              DLR4470_SOUND_FOLDER_FAILED);
    // Out of dump mode the sound files are still checked first.
    QV_DLR4470_EXIT_DUMP_MODE();
    EXPECT_EQ(write_settings(60, 0), DLR4470_SOUND_MISSING);
    make_sounds(10);
    EXPECT_EQ(write_settings(60, 0), DLR4470_NOT_IN_DUMP_MODE);
}

TEST_F(DeviceTest, LoggerMarkedZpkTakesNoSounds) {
    start({"--second-name", "DL-ZPK-2"});
    char version[8], name[40];
    int32_t serial = 0;
    ASSERT_EQ(QV_DLR4470_READ_DEVICE_INFORMATION(0, &serial, version, name), DLR4470_INFO_READ);
    // No sound files at all, yet the settings go through.
    EXPECT_EQ(write_settings(60, 0), DLR4470_SETTINGS_WRITTEN);
    EXPECT_TRUE(sim_->logged("upload settings 256 ok"));
}

TEST_F(DeviceTest, UploadAnswers) {
    start({"--checksum-error"});
    make_sounds(10);
    EXPECT_EQ(write_settings(60, 0), DLR4470_CHECKSUM_ERROR);
    sim_.reset();
    QV_DLR4470_EXIT_DUMP_MODE();
    start({"--mute", "settings"});
    EXPECT_EQ(write_settings(60, 0), DLR4470_TIMEOUT);
}

TEST_F(DeviceTest, InformationRead) {
    start({"--serial", "42", "--version-byte", "0x1B", "--maker", "Dorlanix"});
    int32_t serial = 0;
    char version[8] = {}, name[40] = {};
    ASSERT_EQ(QV_DLR4470_READ_DEVICE_INFORMATION(0, &serial, version, name), DLR4470_INFO_READ);
    EXPECT_EQ(serial, 42);
    EXPECT_STREQ(version, "3.3");
    EXPECT_STREQ(name, "Dorlanix");
}

TEST_F(DeviceTest, InformationFailures) {
    struct Case {
        std::vector<std::string> options;
        int32_t result;
    };
    const Case cases[] = {{{"--info-empty"}, DLR4470_INFO_EMPTY}, {{"--mute", "info"}, DLR4470_NO_INFO}};
    // Each export on a fresh link: a refused block leaves its tail unread.
    for (const Case& c : cases) {
        for (bool serial_write : {false, true}) {
            start(c.options);
            int32_t serial = 0;
            char version[8], name[40];
            if (serial_write) {
                EXPECT_EQ(QV_DLR4470_Setting_SN(5), c.result);
            } else {
                EXPECT_EQ(QV_DLR4470_READ_DEVICE_INFORMATION(0, &serial, version, name), c.result);
            }
            QV_DLR4470_EXIT_DUMP_MODE();
            sim_.reset();
        }
    }
}

TEST_F(DeviceTest, SerialNumberWriteNeedsAKnownMaker) {
    struct Case {
        const char* maker;
        int32_t result;
    };
    const Case cases[] = {{"Quivelsong Tech. Co.", DLR4470_SERIAL_WRITTEN}, {"Mervik", DLR4470_SERIAL_WRITTEN},
                          {"Quivelsong Tech. Co.   ", DLR4470_UNKNOWN_MAKER}, {"Someone", DLR4470_UNKNOWN_MAKER}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maker);
        start({"--maker", c.maker, "--serial", "7", "--second-name", "DL"});
        EXPECT_EQ(QV_DLR4470_Setting_SN(1000000001u), DLR4470_SERIAL_TOO_LARGE);
        EXPECT_EQ(QV_DLR4470_Setting_SN(1000000000u), c.result);
        if (c.result == DLR4470_SERIAL_WRITTEN) {
            const std::string block = read_file(sim_->upload_file());
            ASSERT_EQ(block.size(), 72u);
            EXPECT_EQ(block.substr(4, 4), std::string("\x00\xCA\x9A\x3B", 4));
            EXPECT_EQ(block.substr(8, std::strlen(c.maker)), c.maker);
            EXPECT_EQ(block.substr(40, 3), std::string("DL\0", 3));
            int32_t serial = 0;
            char version[8], name[40];
            ASSERT_EQ(QV_DLR4470_READ_DEVICE_INFORMATION(0, &serial, version, name), DLR4470_INFO_READ);
            EXPECT_EQ(serial, 1000000000);
        }
        QV_DLR4470_EXIT_DUMP_MODE();
        sim_.reset();
    }
}

TEST_F(DeviceTest, GpsTime) {
    start({"--gps-time", "23:59:58:26:12:10"});
    uint8_t t[6] = {};
    ASSERT_EQ(QV_DLR4470_READ_GPS_UTC_TIME_DATE(&t[0], &t[1], &t[2], &t[3], &t[4], &t[5]), DLR4470_GPS_TIME_READ);
    const uint8_t expected[6] = {23, 59, 58, 26, 12, 10};
    EXPECT_EQ(std::memcmp(t, expected, 6), 0);
    QV_DLR4470_EXIT_DUMP_MODE();
    sim_.reset();
    start({"--gps-time", "25:00:00:26:12:10"});
    uint8_t u[6] = {1, 1, 1, 1, 1, 1};
    EXPECT_EQ(QV_DLR4470_READ_GPS_UTC_TIME_DATE(&u[0], &u[1], &u[2], &u[3], &u[4], &u[5]), DLR4470_NO_GPS_TIME);
    const uint8_t untouched[6] = {0xFF, 0xFF, 0xFF, 1, 1, 1};
    EXPECT_EQ(std::memcmp(u, untouched, 6), 0);
}

TEST_F(DeviceTest, UsedMemory) {
    start({"--used", "4096"});
    int32_t used = 0;
    EXPECT_EQ(QV_DLR4470_READ_MEMORY_USED_SIZE(&used), DLR4470_USED_MEMORY_READ);
    EXPECT_EQ(used, 4096);
    QV_DLR4470_EXIT_DUMP_MODE();
    EXPECT_EQ(QV_DLR4470_READ_MEMORY_USED_SIZE(&used), DLR4470_NOT_IN_DUMP_MODE);
    EXPECT_EQ(used, -1);
}

TEST_F(DeviceTest, EraseWaitsForTheLogger) {
    start({"--records", "10", "--erase-ms", "1200"});
    EXPECT_EQ(QV_DLR4470_ERASE_All_DB(0), DLR4470_ERASED);
    int32_t used = -1;
    ASSERT_EQ(QV_DLR4470_READ_MEMORY_USED_SIZE(&used), DLR4470_USED_MEMORY_READ);
    EXPECT_EQ(used, 0);
    QV_DLR4470_EXIT_DUMP_MODE();
    sim_.reset();
    // A link that goes away during the erase ends the wait at once.
    start({"--drop-on", "erase"});
    EXPECT_EQ(QV_DLR4470_ERASE_All_DB(0), DLR4470_TIMEOUT);
}

}  // namespace
