// `tripdesk export mrp` under faults of the accounting program's folder:
// read-only, missing, and a file-size limit that lets the vehicle table be
// written but not the trip table. The command fails with exit status 1, the
// trip table and its index stay byte for byte as they were, and every table
// on disk stays consistent (the header's record count matches the records,
// every index tag matches its table).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/c_format.h"
#include "export/dbase/byte_order.h"
#include "export/dbase/dbase_fixture.h"
#include "faults/fault_card.h"
#include "faults/fault_run.h"
#include "track/place_catalogue.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace tripdesk::dbase::testing;

namespace {

const char* const kVehicleSpec = "SPZ C(10); NAZOV C(20); TACHPOC N(10,1)";
const char* const kTripSpec =
    "SPZ C(10); DATODCHOD D; CASODCHOD C(5); TACHPOC N(10,1); ODKIAL C(30); POKRACUJE L; "
    "DATPRICHOD D; CASPRICHOD C(5); TACHKON N(10,1); KAM C(30); POZN C(20)";
const std::vector<TagSpec> kVehicleTags = {{"SPZ", "SPZ", 'C', 10}};
const std::vector<TagSpec> kTripTags = {{"SPZDAT", "SPZ+DTOS(DATODCHOD)", 'C', 18}, {"TACHKON", "TACHKON", 'N'}};
const char* const kTables[] = {"AUTA.DBF", "AUTA.MDX", "JAZDY.DBF", "JAZDY.MDX"};

std::string le32(uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

class MrpFaults : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = make_temp_folder();
        for (const char* sub : {"/card", "/mrp", "/kniha/KJ_KLM", "/kniha/KJ_GPS", "/home"})
            fs::create_directories(root_ + sub);
        // One place of the logbook program's catalogue, where the trips run.
        write_file(root_ + "/kniha/KJ_KLM/MISTA.MAP", le32(track::kFirstPlaceId) + le32(0) +
                                                          le32(track::word_from_float(17.1f)) +
                                                          le32(track::word_from_float(48.1f)) + le32(0));
        std::string name(35, ' ');
        name[0] = 10;
        name.replace(1, 10, "Bratislava");
        write_file(root_ + "/kniha/NAZVY.KJ", name);
        faults::make_fault_card(root_ + "/card/");
        // Forty trips of another vehicle make the trip table the largest file.
        std::string trips = "[";
        for (int i = 0; i < 40; ++i)
            trips += c_format("%s[\"KE999ZZ\", \"2009-02-%02d\", \"08:00\", %d, \"Košice\", false, \"2009-02-%02d\", "
                              "\"09:00\", %d, \"Prešov\", \"\"]",
                              i ? ", " : "", i % 28 + 1, i * 10, i % 28 + 1, i * 10 + 10);
        trips += "]";
        create_table(root_ + "/mrp/AUTA.DBF", 0x57, kVehicleSpec, R"([["KE999ZZ", "Iné auto", 50]])");
        write_index(root_ + "/mrp/AUTA.DBF", root_ + "/mrp/AUTA.MDX", kVehicleTags);
        create_table(root_ + "/mrp/JAZDY.DBF", 0x57, kTripSpec, trips);
        write_index(root_ + "/mrp/JAZDY.DBF", root_ + "/mrp/JAZDY.MDX", kTripTags);
    }
    void TearDown() override {
        ::chmod((root_ + "/mrp").c_str(), 0755);
        fs::remove_all(root_);
    }

    faults::ProcessRun run_export(const std::string& folder, const faults::Faults& faults = {}) {
        return faults::run_tripdesk({"--home", root_ + "/home", "--set", "FRM_SETEXP.DatabasesMRP=" + folder, "--set",
                                     "FRM_SETEXP.OutputDirKJ=" + root_ + "/kniha/KJ_GPS", "--set",
                                     "FRM_SETEXP.TimeOffMRP=0", "export", "mrp", root_ + "/card", "--from",
                                     "2009-03-10", "--to", "2009-03-12", "--label", "BA123AB"},
                                    faults);
    }

    std::vector<std::string> tables(const std::string& folder) const {
        std::vector<std::string> bytes;
        for (const char* f : kTables) bytes.push_back(read_file(folder + "/" + f));
        return bytes;
    }

    // The header's record count matches the file, and every tag its table.
    void expect_consistent(const std::string& folder) const {
        for (const char* name : {"AUTA", "JAZDY"}) {
            SCOPED_TRACE(name);
            const std::string dbf = read_file(folder + "/" + name + ".DBF");
            ASSERT_GE(dbf.size(), 12u);
            const size_t count = dbase::get_u32(dbf, 4), header = dbase::get_u16(dbf, 8), record = dbase::get_u16(dbf, 10);
            const size_t data_end = header + count * record;
            EXPECT_TRUE(dbf.size() == data_end || (dbf.size() == data_end + 1 && dbf.back() == '\x1A')) << dbf.size();
            const CommandResult walk = walk_index(folder + "/" + name + ".DBF", folder + "/" + name + ".MDX");
            EXPECT_EQ(walk.status, 0) << walk.output;
        }
    }

    std::string root_;
};

TEST_F(MrpFaults, ReadOnlyFolderFailsAndChangesNoTable) {
    const auto before = tables(root_ + "/mrp");
    ASSERT_EQ(::chmod((root_ + "/mrp").c_str(), 0555), 0);
    const faults::ProcessRun run = run_export(root_ + "/mrp");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
    EXPECT_EQ(tables(root_ + "/mrp"), before);
}

TEST_F(MrpFaults, MissingFolderIsReportedAsTablesNotFound) {
    const faults::ProcessRun run = run_export(root_ + "/gone");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Databázy MRP neboli nájdené !!!"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(root_ + "/gone"));
}

TEST_F(MrpFaults, FileSizeLimitKeepsTheTripTableAndEveryTableConsistent) {
    // A good export in a copy tells the sizes the tables will have.
    fs::copy(root_ + "/mrp", root_ + "/copy");
    ASSERT_EQ(run_export(root_ + "/copy").status, 0);
    const auto grown = tables(root_ + "/copy");
    const size_t vehicles = std::max(grown[0].size(), grown[1].size());
    const size_t trips = std::max(grown[2].size(), grown[3].size());
    ASSERT_LT(vehicles, trips) << "the fixture must make the trip table the largest";

    const auto before = tables(root_ + "/mrp");
    for (const size_t limit : {size_t(100), vehicles}) {
        SCOPED_TRACE(limit);
        faults::Faults faults;
        faults.file_size_limit = static_cast<long long>(limit);
        const faults::ProcessRun run = run_export(root_ + "/mrp", faults);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        const auto after = tables(root_ + "/mrp");
        EXPECT_EQ(after[2], before[2]);
        EXPECT_EQ(after[3], before[3]);
        // The vehicle is stored before the trips are read, so the larger
        // limit leaves it added; the smaller one leaves nothing changed.
        if (limit == 100) EXPECT_EQ(after, before);
        expect_consistent(root_ + "/mrp");
        for (const auto& e : fs::directory_iterator(root_ + "/mrp"))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
    // Run again without the limit: the export completes as in the copy.
    ASSERT_EQ(run_export(root_ + "/mrp").status, 0);
    EXPECT_EQ(read_file(root_ + "/mrp/JAZDY.DBF"), grown[2]);
    expect_consistent(root_ + "/mrp");
}

}  // namespace
