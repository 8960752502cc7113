// The private-trip memory: parsing EEPROM.BIN, what the window lists and the
// private-trip logbook file.
#include "common/atomic_file.h"
#include "common/io_error.h"
#include "export/scratch_folder.h"
#include "private/eeprom.h"
#include "private/private_logbook.h"
#include "private/private_overview.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

using namespace tripdesk::private_trips;
using tripdesk::track::encode_time;

namespace {

constexpr uint32_t kPrivate = 11;
constexpr uint32_t kBusiness = 10;

// EEPROM.BIN built word by word: a header word, then entries.
class Eeprom {
public:
    Eeprom() { word(0x12345678); }
    Eeprom& entry(uint32_t kind, uint32_t time, uint32_t length) { return word(kind).word(time).word(length); }
    Eeprom& word(uint32_t w) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
        return *this;
    }
    Eeprom& raw(const std::string& b) { bytes_ += b; return *this; }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// 15/03/2009 at hh:mm:ss.
uint32_t on_15_march(int h, int m, int s) { return encode_time(7, 3, 15, h, m, s); }

TEST(EepromParsing, OnlyTheHeaderGivesNoEntries) {
    const auto image = parse_eeprom(Eeprom().bytes());
    EXPECT_EQ(image.size_bytes, 4u);
    EXPECT_TRUE(image.entries.empty());
    const auto labels = overview_labels(image.entries);
    EXPECT_EQ(labels.period, "[none]");
    EXPECT_EQ(labels.total, "0.0 km");
    EXPECT_EQ(labels.private_total, "0.0 km");
    EXPECT_EQ(private_logbook_text("BA-123AB", image.entries), "BA-123AB\r\n130\r\n");
}

TEST(EepromParsing, DecodesEntriesAndDropsEmptySlotsAndACutEntry) {
    const auto image = parse_eeprom(Eeprom()
                                        .entry(kPrivate, on_15_march(8, 5, 9), 123456)
                                        .entry(0xA1B2C3FF, on_15_march(9, 0, 0), 0xFFFFFFFF)
                                        .entry(0xA1B2C3FF, on_15_march(10, 1, 2), 5000)
                                        .word(kPrivate)
                                        .word(on_15_march(11, 0, 0))
                                        .raw("\x01\x02")
                                        .bytes());
    EXPECT_EQ(image.size_bytes, 4u + 3 * 12 + 8);
    ASSERT_EQ(image.entries.size(), 2u);
    const Teep_zazn& a = image.entries[0];
    EXPECT_EQ(entry_cells(a), (std::array<std::string, 5>{"15/03/09", "08:05:09", "000000", "súkromná", "12.3 km"}));
    EXPECT_TRUE(a.is_private);
    EXPECT_FLOAT_EQ(a.distance, 12.3456f);
    const Teep_zazn& b = image.entries[1];
    EXPECT_FALSE(b.is_private);
    EXPECT_EQ(b.driver_key, "C3B2A1");
    EXPECT_EQ(entry_cells(b)[3], "služobná");
    EXPECT_EQ(entry_cells(b)[4], "0.5 km");
}

TEST(EepromParsing, AnUnsetDateReadsAsZeroAndExportsMonth255) {
    const auto image = parse_eeprom(Eeprom().entry(kPrivate, 0xFFFFFFFF, 20000).bytes());
    ASSERT_EQ(image.entries.size(), 1u);
    EXPECT_EQ(entry_cells(image.entries[0])[0], "00/00/00");
    EXPECT_EQ(entry_cells(image.entries[0])[1], "00:00:00");
    EXPECT_EQ(private_logbook_text("X", image.entries),
              "X\r\n130\r\n"
              "    0 01 a0cf 255  0  0  0  0  100    0.000000    0.000000   0   2.00 04\r\n"
              "    1 01 20cf 255  0  0  0  0  100    0.000000    0.000000   0   2.00 04\r\n");
}

TEST(PrivateOverview, TotalsAndPeriodCoverTheWholeList) {
    const auto entries = parse_eeprom(Eeprom()
                                          .entry(kPrivate, on_15_march(8, 0, 0), 10000)
                                          .entry(kBusiness, encode_time(7, 4, 2, 9, 0, 0), 25000)
                                          .entry(kPrivate, encode_time(8, 1, 31, 9, 0, 0), 5000)
                                          .bytes())
                             .entries;
    const auto labels = overview_labels(entries);
    EXPECT_EQ(labels.period, "15/03/09 - 31/01/10");
    EXPECT_EQ(labels.total, "4.0 km");
    EXPECT_EQ(labels.private_total, "1.5 km");
}

TEST(PrivateOverview, ASingleTripStillShowsItsTotals) {
    const auto entries = parse_eeprom(Eeprom().entry(kPrivate, on_15_march(8, 0, 0), 120000).bytes()).entries;
    const auto labels = overview_labels(entries);
    EXPECT_EQ(labels.period, "15/03/09 - 15/03/09");
    EXPECT_EQ(labels.total, "12.0 km");
    EXPECT_EQ(labels.private_total, "12.0 km");
}

TEST(PrivateOverview, FiltersHideEntriesButTheClipboardListsAll) {
    const auto entries = parse_eeprom(Eeprom()
                                          .entry(kPrivate, on_15_march(8, 0, 0), 0)
                                          .entry(kBusiness, on_15_march(9, 0, 0), 15000)
                                          .entry(kPrivate, on_15_march(10, 0, 0), 2600)
                                          .bytes())
                             .entries;
    auto hours = [](const std::vector<Teep_zazn>& list) {
        std::vector<int> h;
        for (const auto& e : list) h.push_back(e.hour);
        return h;
    };
    EXPECT_EQ(hours(visible_entries(entries, {false, false})), (std::vector<int>{8, 9, 10}));
    EXPECT_EQ(hours(visible_entries(entries, {false, true})), (std::vector<int>{9, 10}));
    EXPECT_EQ(hours(visible_entries(entries, {true, false})), (std::vector<int>{8, 10}));
    EXPECT_EQ(hours(visible_entries(entries, {true, true})), (std::vector<int>{10}));
    EXPECT_EQ(clipboard_text(entries),
              "15/03/09  08:00:00  000000 súkromná 0.0 km\r\n"
              "15/03/09  09:00:00  000000 služobná 1.5 km\r\n"
              "15/03/09  10:00:00  000000 súkromná 0.3 km\r\n");
}

TEST(PrivateLogbook, EndLinesCarryTheNextEntrysTimeAndLength) {
    const auto entries = parse_eeprom(Eeprom()
                                          .entry(kBusiness, on_15_march(7, 0, 0), 99999)
                                          .entry(kPrivate, on_15_march(8, 1, 2), 12345)
                                          .entry(kPrivate, encode_time(7, 3, 16, 9, 3, 4), 67890)
                                          .bytes())
                             .entries;
    EXPECT_EQ(private_logbook_text("BA-123AB", entries),
              "BA-123AB\r\n130\r\n"
              "    0 01 a0cf  2 15  8  1  2  109    0.000000    0.000000   0   1.23 04\r\n"
              "    1 01 20cf  2 16  9  3  4  109    0.000000    0.000000   0   6.79 04\r\n"
              "    2 01 a0cf  2 16  9  3  4  109    0.000000    0.000000   0   6.79 04\r\n"
              "    3 01 20cf  2 16  9  3  4  109    0.000000    0.000000   0   6.79 04\r\n");
    EXPECT_EQ(proposed_private_file_name("BA-123AB"), "BA-123AB (sukromne).TXT");
}

TEST(PrivateLogbook, WritesTheFileUnderTheChosenName) {
    tripdesk::testing::ScratchFolder scratch("private_logbook");
    const auto entries = parse_eeprom(Eeprom().entry(kPrivate, on_15_march(8, 0, 0), 10000).bytes()).entries;
    const std::string path = scratch.file("trips.log");
    export_private_trips(path, "BA-123AB", entries);
    EXPECT_EQ(tripdesk::read_whole_file(path), private_logbook_text("BA-123AB", entries));
    EXPECT_THROW(export_private_trips(scratch.file("none/x.TXT"), "L", entries), tripdesk::IoError);
}

TEST(PrivateLabels, FileLabels) {
    EXPECT_EQ(loaded_label(40), "Záznamy z EEPROM.BIN (40 bytes):");
    EXPECT_EQ(missing_label("/media/card/"), "/media/card/EEPROM.BIN - súbor nebol nenájdený !!!");
}

}  // namespace
