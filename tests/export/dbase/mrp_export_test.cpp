#include "export/mrp_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/c_format.h"
#include "common/io_error.h"
#include "export/dbase/byte_order.h"
#include "export/dbase/dbase_error.h"
#include "export/dbase/dbase_fixture.h"
#include "export/dbase/dbf_table.h"
#include "export/dbase/mdx_file.h"
#include "export/long_time_format.h"
#include "track/day_file_writer.h"
#include "track/place_catalogue.h"

namespace tripdesk::mrp {
namespace {

using namespace dbase::testing;
using track::fix;

// Records the texts an export reports.
struct RecordingProgress : Progress {
    std::vector<std::string> titles, statuses;
    int maximum_value = -1, steps = 0, position_value = -1;
    void title(const std::string& t) override { titles.push_back(t); }
    void status(const std::string& s) override { statuses.push_back(s); }
    void maximum(int m) override { maximum_value = m; }
    void step() override { ++steps; }
    void position(int p) override { position_value = p; }
};

struct Place {
    const char* name;  // Windows-1250 in the names file
    float lon, lat;
};
// Four places of the logbook program's catalogue, IDs 824279.. in order.
const Place kPlaces[] = {{"Bratislava", 17.10f, 48.15f},
                         {"Trnava", 17.58f, 48.37f},
                         {"\x8Eilina", 18.74f, 49.22f},
                         {"\xC8" "adca", 18.79f, 49.44f}};
enum PlaceIndex { kBratislava, kTrnava, kZilina, kCadca };

std::string le32(uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

const char* const kVehicleSpec = "SPZ C(10); NAZOV C(20); TACHPOC N(10,1)";
const char* const kTripSpec =
    "SPZ C(10); DATODCHOD D; CASODCHOD C(5); TACHPOC N(10,1); ODKIAL C(30); POKRACUJE L; "
    "DATPRICHOD D; CASPRICHOD C(5); TACHKON N(10,1); KAM C(30); POZN C(20)";
const std::vector<TagSpec> kVehicleTags = {{"SPZ", "SPZ", 'C', 10}, {"NAZOV", "UPPER(NAZOV)", 'C', 20}};
const std::vector<TagSpec> kTripTags = {{"SPZDAT", "SPZ+DTOS(DATODCHOD)", 'C', 18},
                                        {"TACHKON", "TACHKON", 'N'},
                                        {"PRICHOD", "DATPRICHOD", 'D'},
                                        {"KAM", "UPPER(LEFT(KAM,10))", 'C', 10}};

// A card, the accounting program's tables and the logbook program's
// catalogue in one temporary folder.
class MrpExportTest : public ::testing::Test {
public:
    void SetUp() override {
        options_ = {};
        progress_ = {};
        root_ = make_temp_folder();
        for (const char* sub : {"/card", "/mrp", "/kniha/KJ_KLM", "/kniha/KJ_GPS"})
            std::filesystem::create_directories(root_ + sub);
        std::string map, names;
        for (size_t i = 0; i < std::size(kPlaces); ++i) {
            map += le32(uint32_t(track::kFirstPlaceId + i)) + le32(0) + le32(track::word_from_float(kPlaces[i].lon)) +
                   le32(track::word_from_float(kPlaces[i].lat)) + le32(0);
            std::string record(35, ' ');
            record[0] = char(std::strlen(kPlaces[i].name));
            record.replace(1, std::strlen(kPlaces[i].name), kPlaces[i].name);
            names += record;
        }
        write_file(root_ + "/kniha/KJ_KLM/MISTA.MAP", map);
        write_file(root_ + "/kniha/NAZVY.KJ", names);
        options_.drive_folder = root_ + "/card";
        options_.vehicle_label = "BA123AB";
        options_.databases_folder = root_ + "/mrp";
        options_.output_dir_kj = root_ + "/kniha/KJ_GPS";
        options_.time_offset = 0;
        options_.today = {2026, 12, 10};
    }

    void make_tables(const std::string& vehicles, const std::string& trips, int driver = 0x57,
                     const std::string& encoding = "cp1252") {
        create_table(vehicles_dbf(), driver, kVehicleSpec, vehicles, encoding);
        write_index(vehicles_dbf(), root_ + "/mrp/AUTA.MDX", kVehicleTags);
        create_table(trips_dbf(), driver, kTripSpec, trips, encoding);
        write_index(trips_dbf(), trips_mdx(), kTripTags);
        encoding_ = encoding;
    }

    static track::Fix at(track::Fix f, PlaceIndex place) { return f.lon(kPlaces[place].lon).lat(kPlaces[place].lat); }
    static track::Fix on_day(int day, int hour, int min) { return fix(day, 3, 2009).time(hour, min, 0).speed(40); }

    void day_file(const std::string& name, const std::vector<track::Fix>& fixes, bool with_key = true) {
        track::DayFileWriter w(with_key ? track::kMarkerWithKey : track::kMarkerImported);
        for (const track::Fix& f : fixes) w.add(f, 0x12345678);
        w.save(root_ + "/card/" + name);
        options_.day_files.push_back(name);
    }

    // The appended rows of the trip table, as dbfread reads them.
    std::vector<std::string> trip_rows(size_t skip) const {
        std::vector<std::string> rows = read_table(trips_dbf(), encoding_);
        return std::vector<std::string>(rows.begin() + long(std::min(skip, rows.size())), rows.end());
    }

    void expect_indexes_consistent() const {
        for (const auto& [dbf, mdx] : {std::pair{vehicles_dbf(), root_ + "/mrp/AUTA.MDX"}, std::pair{trips_dbf(), trips_mdx()}}) {
            const CommandResult walk = walk_index(dbf, mdx);
            EXPECT_EQ(walk.status, 0) << mdx << ": " << walk.output;
        }
    }

    std::string vehicles_dbf() const { return root_ + "/mrp/AUTA.DBF"; }
    std::string trips_dbf() const { return root_ + "/mrp/JAZDY.DBF"; }
    std::string trips_mdx() const { return root_ + "/mrp/JAZDY.MDX"; }

    // The values of a text field in the order of an index tag.
    static std::vector<std::string> in_tag_order(const std::string& dbf, const std::string& mdx,
                                                 const std::string& tag_name, const std::string& field) {
        const dbase::DbfTable table("table", read_file(dbf));
        const dbase::MdxFile index("index", read_file(mdx));
        std::vector<std::string> values;
        for (const dbase::MdxTag& tag : index.tags())
            if (tag.name == tag_name)
                for (const dbase::MdxEntry& e : index.entries(tag)) values.push_back(table.text(e.record - 1, field));
        return values;
    }

    std::string root_;
    std::string encoding_ = "cp1252";
    MrpExportOptions options_;
    RecordingProgress progress_;
};

const char* const kOtherVehicle = R"([["KE999ZZ", "Iné auto", 50]])";
const char* const kOtherTrips =
    R"([["KE999ZZ", "2009-03-01", "08:00", 50, "Košice", false, "2009-03-01", "09:00", 5000, "Prešov", ""]])";

TEST_F(MrpExportTest, NewVehicleIsAddedAndItsFirstTripStartsAtZero) {
    make_tables(kOtherVehicle, kOtherTrips);
    options_.time_offset = 2;  // one hour later
    day_file("150309.GPS", {at(on_day(15, 7, 15).new_trip(), kBratislava), at(on_day(15, 7, 25).trian(10000), kBratislava),
                            at(on_day(15, 7, 35).trian(10000), kTrnava), at(on_day(15, 7, 45).trian(12345), kTrnava)});
    const MrpExportResult r = export_mrp(options_, progress_);

    EXPECT_EQ(r.outcome, MrpOutcome::Exported);
    EXPECT_TRUE(r.vehicle_added);
    EXPECT_EQ(r.trips, 1);
    EXPECT_EQ(read_table(vehicles_dbf()).back(), R"(["BA123AB", "", 0.0])");
    EXPECT_EQ(trip_rows(1), (std::vector<std::string>{
                                R"(["BA123AB", "2009-03-15", "08:15", 0.0, "Bratislava", false, "2009-03-15", "08:45", 3.2, "Trnava", ""])"}));
    EXPECT_EQ(progress_.titles, (std::vector<std::string>{"Pripájanie k databáze ...", "Export záznamov do MRP ..."}));
    EXPECT_EQ(progress_.statuses,
              (std::vector<std::string>{" - vozidlo bolo pridané do databázy MRP ...",
                                        " - spracovanie súboru: \"" + root_ + "/card/150309.GPS\" ...",
                                        " - exportovanie záznamov do MRP dokončené ..."}));
    EXPECT_EQ(progress_.maximum_value, 1 + 2);
    EXPECT_EQ(progress_.position_value, 3);
    expect_indexes_consistent();
    // From now on the program's long time format, as mails show it, has no seconds.
    std::tm nine_oh_five{};
    nine_oh_five.tm_hour = 9, nine_oh_five.tm_min = 5, nine_oh_five.tm_sec = 7;
    EXPECT_EQ(format_long_time(nine_oh_five), "09:05");
}

TEST_F(MrpExportTest, TwoTripsContinueFromTheHighestStoredReading) {
    make_tables(R"([["KE999ZZ", "Iné auto", 50], ["BA123AB", "Moje auto", 100]])",
                R"([["BA123AB", "2009-03-01", "08:00", 100, "Bratislava", false, "2009-03-01", "09:00", 1200.5, "Trnava", ""],)"
                R"( ["KE999ZZ", "2009-03-02", "08:00", 50, "Košice", false, "2009-03-02", "09:00", 9999, "Prešov", ""],)"
                R"( ["BA123AB", "2009-03-03", "08:00", 800, "Trnava", false, "2009-03-03", "09:00", 900, "Bratislava", ""]])");
    day_file("160309.GPS", {at(on_day(16, 8, 0).new_trip(), kBratislava), at(on_day(16, 8, 30).trian(25000), kTrnava),
                            at(on_day(16, 9, 0).trian(5000), kTrnava), at(on_day(16, 10, 0).new_trip().trian(7), kTrnava),
                            at(on_day(16, 10, 30).trian(100000), kZilina), at(on_day(16, 11, 0).trian(20000), kZilina)});
    const MrpExportResult r = export_mrp(options_, progress_);

    EXPECT_FALSE(r.vehicle_added);
    EXPECT_EQ(r.trips, 2);
    EXPECT_EQ(read_table(vehicles_dbf()).size(), 2u);
    // The distance of a trip's start record belongs to the trip it ends.
    EXPECT_EQ(trip_rows(3), (std::vector<std::string>{
                                R"(["BA123AB", "2009-03-16", "08:00", 1200.5, "Bratislava", false, "2009-03-16", "09:00", 1203.5, "Trnava", ""])",
                                R"(["BA123AB", "2009-03-16", "10:00", 1203.5, "Trnava", false, "2009-03-16", "11:00", 1215.5, "Žilina", ""])"}));
    EXPECT_NEAR(r.odometer, 1215.5007, 1e-9);
    EXPECT_EQ(progress_.maximum_value, 2 + 2);
    EXPECT_EQ(progress_.steps, 2);
    expect_indexes_consistent();
}

TEST_F(MrpExportTest, InvalidRecordsAddNoDistanceStartNoTripAndAreNoArrival) {
    make_tables(kOtherVehicle, kOtherTrips);
    day_file("170309.GPS", {at(on_day(17, 8, 0).new_trip(), kBratislava), at(on_day(17, 8, 10).trian(10000), kTrnava),
                            at(on_day(17, 8, 20).trian(90000).speed(251).new_trip(), kZilina),
                            at(on_day(17, 8, 30).trian(10000), kTrnava),
                            at(on_day(17, 8, 40).trian(50000).new_trip(), kZilina).lat(std::nanf("")),
                            at(on_day(17, 8, 50).trian(50000).time(24, 0, 0), kZilina)});
    const MrpExportResult r = export_mrp(options_, progress_);
    EXPECT_EQ(r.trips, 1);
    EXPECT_EQ(trip_rows(1), (std::vector<std::string>{
                                R"(["BA123AB", "2009-03-17", "08:00", 0.0, "Bratislava", false, "2009-03-17", "08:30", 2.0, "Trnava", ""])"}));
    // The invalid trip starts still count for the progress maximum.
    EXPECT_EQ(progress_.maximum_value, 3 + 2);
}

TEST_F(MrpExportTest, TripRunningIntoTheNextDayFileIsClosedAgainAtTheNextStart) {
    make_tables(kOtherVehicle, kOtherTrips);
    day_file("180309.GPS", {at(on_day(18, 22, 0).new_trip(), kBratislava), at(on_day(18, 23, 0).trian(10000), kTrnava)});
    day_file("190309.GPS", {at(on_day(19, 0, 30).trian(20000), kZilina), at(on_day(19, 1, 0).new_trip().trian(3000), kZilina)},
             false);
    const MrpExportResult r = export_mrp(options_, progress_);
    EXPECT_EQ(r.trips, 2);
    EXPECT_EQ(trip_rows(1), (std::vector<std::string>{
                                R"(["BA123AB", "2009-03-18", "22:00", 0.0, "Bratislava", false, "2009-03-19", "00:30", 3.3, "Žilina", ""])",
                                R"(["BA123AB", "2009-03-19", "01:00", 3.3, "Žilina", false, "2009-03-19", "01:00", 3.3, "Žilina", ""])"}));
    EXPECT_EQ(progress_.steps, 3);  // two file ends and one trip close
    expect_indexes_consistent();
}

TEST_F(MrpExportTest, DistanceBeforeTheFirstTripStartMovesTheOdometerWithoutARow) {
    make_tables(kOtherVehicle, kOtherTrips);
    day_file("200309.GPS", {at(on_day(20, 8, 0).trian(15000), kBratislava), at(on_day(20, 8, 30).trian(5000), kTrnava)});
    day_file("210309.GPS", {at(on_day(21, 8, 0).new_trip(), kTrnava), at(on_day(21, 9, 0).trian(10000), kZilina)});
    const MrpExportResult r = export_mrp(options_, progress_);
    EXPECT_EQ(trip_rows(1), (std::vector<std::string>{
                                R"(["BA123AB", "2009-03-21", "08:00", 2.0, "Trnava", false, "2009-03-21", "09:00", 3.0, "Žilina", ""])"}));
    EXPECT_EQ(r.trips, 1);
}

TEST_F(MrpExportTest, NothingSelectedOrNoTablesChangesNothing) {
    EXPECT_EQ(export_mrp(options_, progress_).outcome, MrpOutcome::NoSelectedTrips);
    day_file("150309.GPS", {at(on_day(15, 8, 0).new_trip(), kBratislava)});
    create_table(vehicles_dbf(), 0x57, kVehicleSpec, kOtherVehicle);
    const std::string before = read_file(vehicles_dbf());
    EXPECT_EQ(export_mrp(options_, progress_).outcome, MrpOutcome::TablesNotFound);
    EXPECT_EQ(read_file(vehicles_dbf()), before);
    EXPECT_TRUE(progress_.statuses.empty());
}

TEST_F(MrpExportTest, RefusedOrFailingExportsLeaveBothTablesAsTheyWere) {
    struct Case {
        const char* what;
        std::function<void(MrpExportTest&)> damage;
    } cases[] = {
        {"a trip index that disagrees with its table",
         [](MrpExportTest& t) {
             std::string dbf = read_file(t.trips_dbf());
             dbf[dbase::get_u16(dbf, 8) + 1] = 'Z';  // SPZ of the only row
             write_file(t.trips_dbf(), dbf);
         }},
        {"a trip tag with a TRIM key",
         [](MrpExportTest& t) {
             write_file(t.trips_mdx(), index_skeleton("JAZDY", 0x57, {{"T", "TRIM(SPZ)", 'C', 10}}));
         }},
        {"a missing day file", [](MrpExportTest& t) { t.options_.day_files.push_back("220309.GPS"); }},
        {"a missing place names file",
         [](MrpExportTest& t) { std::filesystem::remove(t.root_ + "/kniha/NAZVY.KJ"); }},
        {"a label the table's code page cannot hold", [](MrpExportTest& t) { t.options_.vehicle_label = "ČA123"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        make_tables(kOtherVehicle, kOtherTrips);
        day_file("150309.GPS", {at(on_day(15, 8, 0).new_trip(), kBratislava), at(on_day(15, 9, 0).trian(100), kTrnava)});
        c.damage(*this);
        std::vector<std::string> before;
        for (const char* f : {"AUTA.DBF", "AUTA.MDX", "JAZDY.DBF", "JAZDY.MDX"}) before.push_back(read_file(root_ + "/mrp/" + f));
        EXPECT_THROW(export_mrp(options_, progress_), IoError);
        std::vector<std::string> after;
        for (const char* f : {"AUTA.DBF", "AUTA.MDX", "JAZDY.DBF", "JAZDY.MDX"}) after.push_back(read_file(root_ + "/mrp/" + f));
        EXPECT_EQ(after, before);
    }
}

TEST_F(MrpExportTest, CommandLineExportsTheSelectedDaysOfACardImage) {
    make_tables(kOtherVehicle, kOtherTrips);
    day_file("150309.GPS", {at(on_day(15, 8, 0).new_trip(), kBratislava), at(on_day(15, 9, 0).trian(10000), kTrnava)});
    day_file("160309.GPS", {at(on_day(16, 8, 0).new_trip(), kTrnava), at(on_day(16, 9, 0).trian(20000), kZilina)});
    day_file("200309.GPS", {at(on_day(20, 8, 0).new_trip(), kZilina), at(on_day(20, 9, 0).trian(5000), kTrnava)});
    write_file(root_ + "/card/_image.inf", "BA123AB\r\n1 MB\r\n2 MB\r\n12345\r\nFAT\r\n");
    const auto tripdesk = [&](const std::string& from, const std::string& to) {
        return run_command(dbase::testing::quoted(TRIPDESK_BIN_DIR "/tripdesk") + " --home " + dbase::testing::quoted(root_) +
                           " --set " + dbase::testing::quoted("FRM_SETEXP.DatabasesMRP=" + root_ + "/mrp") +
                           " --set " + dbase::testing::quoted("FRM_SETEXP.OutputDirKJ=" + root_ + "/kniha/KJ_GPS") +
                           " --set FRM_SETEXP.TimeOffMRP=0 export mrp " + dbase::testing::quoted(root_ + "/card") + " --from " +
                           from + " --to " + to);
    };
    const CommandResult none = tripdesk("2009-03-17", "2009-03-19");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.output.find(kNoSelectedTrips), std::string::npos) << none.output;

    const CommandResult run = tripdesk("2009-03-15", "2009-03-16");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("2 trips, odometer 3.0 km, vehicle added"), std::string::npos) << run.output;
    EXPECT_EQ(trip_rows(1), (std::vector<std::string>{
                                R"(["BA123AB", "2009-03-15", "08:00", 0.0, "Bratislava", false, "2009-03-15", "09:00", 1.0, "Trnava", ""])",
                                R"(["BA123AB", "2009-03-16", "08:00", 1.0, "Trnava", false, "2009-03-16", "09:00", 3.0, "Žilina", ""])"}));
    expect_indexes_consistent();
}

TEST_F(MrpExportTest, TablesOfTheCzechAndSlovakDriversGetTheirTripsInTheDriversOrder) {
    for (const int driver : {0x1F, 0x87}) {
        SCOPED_TRACE(driver);
        SetUp();
        make_tables(R"([["KE999ZZ", "Iné auto", 50], ["ba123ab", "malé písmená", 7]])",
                    R"([["KE999ZZ", "2009-03-01", "08:00", 50, "Košice", false, "2009-03-01", "09:00", 60, "Prešov", ""],)"
                    R"( ["KE999ZZ", "2009-03-02", "08:00", 60, "Michalovce", false, "2009-03-02", "09:00", 70,)"
                    R"(  "Čierna nad Tisou", ""],)"
                    R"( ["KE999ZZ", "2009-03-03", "08:00", 70, "Lučenec", false, "2009-03-03", "09:00", 80, "Zvolen", ""],)"
                    R"( ["KE999ZZ", "2009-03-04", "08:00", 80, "Zvolen", false, "2009-03-04", "09:00", 90, "Cífer", ""]])",
                    driver, "cp852");
        day_file("150309.GPS", {at(on_day(15, 8, 0).new_trip(), kBratislava), at(on_day(15, 9, 0).trian(10000), kTrnava),
                                at(on_day(15, 10, 0).new_trip(), kTrnava), at(on_day(15, 11, 0).trian(20000), kCadca),
                                at(on_day(15, 12, 0).new_trip(), kCadca), at(on_day(15, 13, 0).trian(30000), kZilina)});
        const MrpExportResult r = export_mrp(options_, progress_);

        EXPECT_EQ(r.outcome, MrpOutcome::Exported);
        EXPECT_TRUE(r.vehicle_added);  // the stored "ba123ab" is another label
        EXPECT_EQ(trip_rows(4), (std::vector<std::string>{
                                    R"(["BA123AB", "2009-03-15", "08:00", 0.0, "Bratislava", false, "2009-03-15", "09:00", 1.0, "Trnava", ""])",
                                    R"(["BA123AB", "2009-03-15", "10:00", 1.0, "Trnava", false, "2009-03-15", "11:00", 3.0, "Čadca", ""])",
                                    R"(["BA123AB", "2009-03-15", "12:00", 3.0, "Čadca", false, "2009-03-15", "13:00", 6.0, "Žilina", ""])"}));
        // Both drivers put Č after C and Ž after Z, where byte order has
        // Ž (0xA6) before Č (0xAC) and both after every ASCII letter.
        EXPECT_EQ(in_tag_order(trips_dbf(), trips_mdx(), "KAM", "KAM"),
                  (std::vector<std::string>{"Cífer", "Čadca", "Čierna nad Tisou", "Prešov", "Trnava", "Zvolen",
                                            "Žilina"}));
        EXPECT_EQ(in_tag_order(vehicles_dbf(), root_ + "/mrp/AUTA.MDX", "SPZ", "SPZ"),
                  (std::vector<std::string>{"ba123ab", "BA123AB", "KE999ZZ"}));
        // Every tag walks in the stated order of the driver with each record once.
        expect_indexes_consistent();
    }
}

TEST(VehicleFilter, QuotesTheLabel) {
    EXPECT_EQ(vehicle_filter("BA123AB"), "SPZ ='BA123AB'");
    EXPECT_EQ(vehicle_filter("O'NEIL"), "SPZ =\"O'NEIL\"");
    EXPECT_THROW(vehicle_filter("A'\"B"), IoError);
}

}  // namespace
}  // namespace tripdesk::mrp
