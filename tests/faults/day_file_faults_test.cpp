// Day files that change between the card scan and the export: one removed,
// one shortened. A removed file stops the export with its name and the
// system's message, and the previous output stays; a shortened file is read
// as far as it goes, as if the tracker had written only that much.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "app/card_scan.h"
#include "app/languages.h"
#include "common/atomic_file.h"
#include "common/io_error.h"
#include "export/kml_export.h"
#include "export/logbook_export.h"
#include "export/scratch_folder.h"
#include "export/stop_list.h"
#include "faults/fault_card.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using tripdesk::testing::ScratchFolder;

namespace {

struct FixedAddress : geo::AddressLookup {
    std::string address(const std::string&, int, double, double) override { return "Hlavná 1, Bratislava"; }
};

using Export = std::function<void(const std::string& card, const std::vector<app::GridRow>& rows,
                                  const std::string& out)>;

struct ExportCase {
    const char* name;
    const char* extension;  // the export appends it when missing
    Export run;
};

const ExportCase kExports[] = {
    {"logbook", ".TXT",
     [](const std::string& card, const std::vector<app::GridRow>& rows, const std::string& out) {
         logbook::LogbookExportOptions o;
         o.drive_folder = card;
         for (const auto& r : rows) o.day_files.push_back(r.file);
         o.vehicle_label = "BA-123AB";
         o.output_path = out;
         o.ignore_sluz = false;
         NoProgress progress;
         logbook::export_logbook(o, progress);
     }},
    {"kml", ".KML",
     [](const std::string& card, const std::vector<app::GridRow>& rows, const std::string& out) {
         kml::KmlExportOptions o;
         o.drive_folder = card;
         int grid_row = 1;
         for (const auto& r : rows) o.days.push_back({grid_row++, r.file, r.distance});
         o.output_path = out;
         NoProgress progress;
         kml::export_kml(o, progress);
     }},
    {"stops", ".CSV",
     [](const std::string& card, const std::vector<app::GridRow>& rows, const std::string& out) {
         std::vector<stops::StopListRow> stop_rows;
         for (const auto& r : rows) stop_rows.push_back({r.date, r.file});
         stops::StopListOptions o;
         o.geo_delay_ms = 0;
         FixedAddress lookup;
         NoProgress progress;
         stops::write_stop_list(out, "BA-123AB", card, stop_rows, o, lookup, progress);
     }},
};

class DayFileFaults : public ::testing::TestWithParam<ExportCase> {
protected:
    DayFileFaults() : scratch_(std::string("day_file_faults_") + GetParam().name) {
        card_ = scratch_.folder("card") + "/";
        faults::make_fault_card(card_);
        out_ = scratch_.folder("out");
    }

    // The grid of the card as the main window scans it.
    std::vector<app::GridRow> scan(const std::string& folder) {
        app::ScanRequest request;
        request.folder = folder;
        request.year = 2009;
        request.month = 3;
        NoProgress progress;
        auto rows = app::scan_card(request, app::scan_texts(app::lng_ReloadStrings(app::kSlovak)), progress).rows;
        EXPECT_EQ(rows.size(), std::size(faults::kCardDays));
        return rows;
    }

    ScratchFolder scratch_;
    std::string card_;
    std::string out_;
};

TEST_P(DayFileFaults, RemovedDayFileStopsTheExportAndKeepsThePreviousOutput) {
    const auto rows = scan(card_);
    const std::string out = out_ + "/export" + GetParam().extension;
    write_file_atomically(out, "previous output\n");
    ASSERT_EQ(::unlink((card_ + "110309.GPS").c_str()), 0);
    try {
        GetParam().run(card_, rows, out);
        FAIL() << "the export went on without its day file";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("110309.GPS"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
    }
    EXPECT_EQ(read_whole_file(out), "previous output\n");
    EXPECT_EQ(ScratchFolder::entries(out_), std::vector<std::string>{"export" + std::string(GetParam().extension)});
}

TEST_P(DayFileFaults, ShortenedDayFileIsReadAsFarAsItGoes) {
    const auto rows = scan(card_);
    // The same card with the middle day holding its first 100 fixes only.
    const std::string short_card = scratch_.folder("short") + "/";
    faults::make_fault_card(short_card);
    faults::write_fault_day(short_card + "110309.GPS", 11, 100);
    const std::string cut = out_ + "/cut" + GetParam().extension;
    GetParam().run(short_card, rows, cut);
    const std::string expected = read_whole_file(cut);

    // Cut at a record boundary: exactly what the shorter file gives.
    fs::resize_file(card_ + "110309.GPS", track::kHeaderBytes + 100 * 24);
    GetParam().run(card_, rows, cut);
    EXPECT_EQ(read_whole_file(cut), expected);

    // Cut inside a record, inside the header, to nothing: no crash, no error.
    for (const uintmax_t size : {track::kHeaderBytes + 100 * 24 + 10, uintmax_t{10}, uintmax_t{0}}) {
        SCOPED_TRACE(size);
        fs::resize_file(card_ + "110309.GPS", size);
        EXPECT_NO_THROW(GetParam().run(card_, rows, cut));
        EXPECT_TRUE(fs::exists(cut));
    }
}

INSTANTIATE_TEST_SUITE_P(Exports, DayFileFaults, ::testing::ValuesIn(kExports),
                         [](const ::testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

}  // namespace
