#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "common/atomic_file.h"
#include "common/io_error.h"
#include "track/cp1250.h"
#include "track/day_file_writer.h"
#include "track/path_lookup.h"
#include "track/place_catalogue.h"
#include "track/time_windows.h"
#include "track/vehicle_list.h"
#include "app/temp_folder.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace tripdesk::track;
using tripdesk::testing::TempFolder;

namespace {

// One 20-byte place-map entry; the unread words hold junk on purpose.
std::string map_entry(int id, float lon, float lat) {
    DayFileWriter w(0);
    return w.word(static_cast<uint32_t>(id)).word(0xDEADBEEF).word(word_from_float(lon))
        .word(word_from_float(lat)).word(0xDEADBEEF).bytes().substr(32);
}

// One 35-byte names record.
std::string name_record(std::string_view text, int length_byte) {
    std::string r(35, 'X');
    r[0] = static_cast<char>(length_byte);
    r.replace(1, text.size(), text);
    return r;
}

}  // namespace

TEST(LogbookFolder, CutsBackToTheParentFolder) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\Program Files\\TRANiS\\Kniha jízd\\KJ_GPS", "C:\\Program Files\\TRANiS\\Kniha jízd\\"},
        {"C:\\Program Files\\TRANiS\\Kniha jízd\\KJ_GPS\\", "C:\\Program Files\\TRANiS\\Kniha jízd\\"},
        {"/home/u/Kniha/KJ_GPS", "/home/u/Kniha/"},
        {"/home/u/Kniha/KJ_GPS/", "/home/u/Kniha/"},
        {"KJ_GPS", ""},
        {"", ""},
        {"/", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(logbook_folder(c.in), c.out) << c.in;
}

TEST(PlaceMapTest, NearestEntryTiesKeepTheEarlier) {
    // Distances 0.5, 0.2, 0.2 from (lat 48, lon 17).
    const std::string bytes =
        map_entry(1, 17.5f, 48.0f) + map_entry(2, 17.0f, 48.2f) + map_entry(3, 17.2f, 48.0f);
    const PlaceMap map = PlaceMap::parse(bytes);
    ASSERT_EQ(map.entries().size(), 3u);
    EXPECT_EQ(map.nearest(48.0f, 17.0f), 2);
    EXPECT_EQ(map.nearest(48.0f, 17.45f), 1);
    EXPECT_EQ(PlaceMap::parse("").nearest(48.0f, 17.0f), 0);
    // A partial last entry is not an entry.
    EXPECT_EQ(PlaceMap::parse(bytes + map_entry(4, 17.0f, 48.0f).substr(0, 19)).entries().size(), 3u);
    // An entry farther than the starting best distance is never chosen; a NaN one neither.
    const PlaceMap far = PlaceMap::parse(map_entry(7, 2e6f, 0.0f) +
                                         map_entry(8, std::numeric_limits<float>::quiet_NaN(), 0.0f));
    EXPECT_EQ(far.nearest(0.0f, 0.0f), 0);
}

TEST(PlaceMapTest, LoadsFromTheLogbookFolderIgnoringCase) {
    TempFolder dir;
    fs::create_directories(dir.file("kj_klm"));
    write_file_atomically(dir.file("kj_klm/Mista.map"), map_entry(824300, 17.1f, 48.1f) + map_entry(824301, 18.f, 49.f));
    EXPECT_EQ(nearest_place(dir.path(), 49.0f, 18.1f), 824301);
    TempFolder empty;
    EXPECT_THROW(nearest_place(empty.path(), 48.f, 17.f), IoError);
}

TEST(PlaceNames, RecordsByIdTrimmedAndDecoded) {
    TempFolder dir;
    std::string file = name_record("Trnava", 6)                     // 824279
                       + name_record("  Nitra   ", 10)              // 824280: blanks trimmed
                       + name_record("Senec and more", 5)           // 824281: length cuts
                       + name_record("\x8Eilina", 6)        // 824282: Žilina in Windows-1250
                       + name_record(std::string(34, 'A'), 200)     // 824283: length beyond the text
                       + name_record("", 0);                        // 824284: empty
    write_file_atomically(dir.file("nazvy.kj"), file + "partial");
    const std::string folder = dir.path();
    EXPECT_EQ(place_name(824279, folder), "Trnava");
    EXPECT_EQ(place_name(824280, folder), "Nitra");
    EXPECT_EQ(place_name(824281, folder), "Senec");
    EXPECT_EQ(place_name(824282, folder), "Žilina");
    EXPECT_EQ(place_name(824283, folder), std::string(34, 'A'));
    EXPECT_EQ(place_name(824284, folder), "");
    EXPECT_EQ(place_name(824285, folder), "");  // only a partial record there
    EXPECT_EQ(place_name(900000, folder), "");
    EXPECT_THROW(place_name(824278, folder), IoError);
    TempFolder empty;
    EXPECT_THROW(place_name(824279, empty.path()), IoError);
}

TEST(Cp1250, HighHalfMapsToUnicode) {
    EXPECT_EQ(cp1250_to_utf8("\x8A\x9A\x8E\x9E\xC8\xE8\xBC\xBE\xE1\xF4\xE4"), "ŠšŽžČčĽľáôä");
    EXPECT_EQ(cp1250_to_utf8("\x80\x96"), "€–");
    EXPECT_EQ(cp1250_to_utf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(cp1250_to_utf8("plain"), "plain");
}

TEST(VehicleListTest, EntriesDefaultsAndCommas) {
    const SectionEntries entries = {
        {"0000012345", std::string("ba-123xy,Škoda Octavia, biela")},
        {"0000012346", std::string("no comma here")},
        {"0000012347", std::nullopt},
        {"0000012348", std::string("")},
        {"0000012349", std::string("žž-čšľ,")},
    };
    const auto v = read_vehicle_list(entries);
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v[0].key, "0000012345");
    EXPECT_EQ(v[0].registration, "BA-123XY");
    EXPECT_EQ(v[0].description, "Škoda Octavia, biela");
    EXPECT_EQ(v[1].registration, "");
    EXPECT_EQ(v[1].description, "no comma here");
    EXPECT_EQ(v[2].registration, "?\?-?????");
    EXPECT_EQ(v[2].description, "Vozidlo 2");
    EXPECT_EQ(v[3].registration, "");
    EXPECT_EQ(v[3].description, "");
    EXPECT_EQ(v[4].registration, "ŽŽ-ČŠĽ");
    EXPECT_EQ(v[4].description, "");

    const auto none = read_vehicle_list({});
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].key, "??????????");
    EXPECT_EQ(none[0].registration, "DL-R4470");
    EXPECT_EQ(none[0].description, "Žiadne vozidlo !!!");
}

TEST(VehicleListTest, LatinUpperCase) {
    EXPECT_EQ(latin_upper("aäáčďéíĺľňóôŕšťúýž öüß ÿ ı ŉ"), "AÄÁČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ ÖÜß ÿ ı ŉ");
    EXPECT_EQ(latin_upper("ĽĹŇŽ 12-€"), "ĽĹŇŽ 12-€");
}

TEST(TimeWindowsTest, ValuesDefaultsAndEnds) {
    const auto w = read_time_windows({{"a", std::string("06:00:00 14:30:00")},
                                      {"whatever", std::nullopt},
                                      {"c", std::string("")},
                                      {"d", std::string("7:00")}});
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[1], "??:??:?? ??:??:??");
    EXPECT_EQ(time_window_start(w[0]), "06:00:00");
    EXPECT_EQ(time_window_end(w[0]), "14:30:00");
    EXPECT_EQ(time_window_start(w[2]), "");
    EXPECT_EQ(time_window_end(w[2]), "");
    EXPECT_EQ(time_window_start(w[3]), "7:00");
    EXPECT_EQ(time_window_end(w[3]), "7:00");
    EXPECT_EQ(time_window_end("x 12:00:ľľ"), "12:00:ľľ");  // characters, not bytes
    EXPECT_EQ(read_time_windows({}), (std::vector<std::string>{"00:00:00 12:00:00", "12:00:00 24:00:00"}));
}

TEST(PathLookup, FindsFilesWhateverTheirCase) {
    TempFolder dir;
    fs::create_directories(dir.file("Sub"));
    write_file_atomically(dir.file("Sub/150309.gps"), "x");
    EXPECT_EQ(find_ignoring_case(dir.path(), "SUB\\150309.GPS"), dir.file("Sub/150309.gps"));
    EXPECT_EQ(find_ignoring_case(dir.path(), "sub/150309.GPS"), dir.file("Sub/150309.gps"));
    EXPECT_EQ(find_ignoring_case(dir.path(), "sub/160309.GPS"), std::nullopt);
    EXPECT_EQ(resolve_ignoring_case(dir.path(), "nope/x.GPS"), dir.file("nope/x.GPS"));
    EXPECT_EQ(join_path("E:\\", "150309.GPS"), "E:/150309.GPS");
}

TEST(Cp1250, LegacyTextKeepsUtf8AndDecodesTheRest) {
    EXPECT_EQ(legacy_text_to_utf8("BA-123AB Škoda"), "BA-123AB Škoda");
    EXPECT_EQ(legacy_text_to_utf8("BA-123AB \x8Akoda"), "BA-123AB Škoda");
    EXPECT_FALSE(is_utf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(is_utf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(is_utf8("\xC5"));              // cut sequence
    EXPECT_TRUE(is_utf8("\xF0\x9F\x9A\x97"));   // four bytes
}
