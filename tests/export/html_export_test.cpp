#include "export/html_export.h"
#include "export/html_export_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/io_error.h"
#include "common/progress.h"
#include "export/html_opener.h"
#include "export/html_process_starter.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using Args = std::vector<std::string>;

namespace {

struct RecordingStarter : ProcessStarter {
    std::vector<Args> runs;
    int status = 0;
    int run_and_wait(const Args& argv, Progress&) override {
        runs.push_back(argv);
        return status;
    }
};

struct RecordingOpener : Opener {
    std::vector<std::string> pages, folders;
    void open_page(const std::string& path) override { pages.push_back(path); }
    void open_folder(const std::string& path) override { folders.push_back(path); }
};

struct RecordingProgress : Progress {
    std::vector<std::string> titles, statuses;
    int maximum_value = -1, steps = 0;
    void title(const std::string& t) override { titles.push_back(t); }
    void maximum(int m) override { maximum_value = m; }
    void step() override { ++steps; }
    void status(const std::string& s) override { statuses.push_back(s); }
};

fs::path fresh_dir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("tripdesk_html_" + name + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

HtmlExportJob base_job() {
    HtmlExportJob job;
    job.program_dir = "/opt/tripdesk/";
    job.drive_folder = "/media/card/";
    job.vehicle_label = "BA-123AB";
    job.settings.output_dir = "/home/u/html";
    job.settings.resolution_m = 50;
    job.settings.min_stop_s = 110;
    job.settings.time_off_mrp = 2;
    return job;
}

}  // namespace

TEST(HtmlConverterArguments, SettingsBecomeTheExactArgumentList) {
    struct Case {
        const char* name;
        std::function<void(HtmlExportJob&)> change;
        Args expected;
    };
    const std::vector<Case> cases = {
        {"defaults with an empty key",
         [](HtmlExportJob&) {},
         {"/opt/tripdesk/_gmaps/mapweaver", "/media/card/150309.GPS", "BA-123AB", "/home/u/html/BA-123AB_150309.html",
          "500", "110", "2", "??:??:??", "??:??:??", "???"}},
        {"resolution 100 m is passed as 1000, a window and a real key",
         [](HtmlExportJob& j) {
             j.settings.resolution_m = 100;
             j.settings.min_stop_s = 300;
             j.settings.time_off_mrp = -24;
             j.settings.gmaps_key = " AIza key ";
             j.window = {"12:00:00", "24:00:00"};
         },
         {"/opt/tripdesk/_gmaps/mapweaver", "/media/card/150309.GPS", "BA-123AB", "/home/u/html/BA-123AB_150309.html",
          "1000", "300", "-24", "12:00:00", "24:00:00", " AIza key "}},
        {"a key of blanks only becomes ???, 20BYTE comes last",
         [](HtmlExportJob& j) {
             j.settings.gmaps_key = "   \t";
             j.settings.force20byte = true;
         },
         {"/opt/tripdesk/_gmaps/mapweaver", "/media/card/150309.GPS", "BA-123AB", "/home/u/html/BA-123AB_150309.html",
          "500", "110", "2", "??:??:??", "??:??:??", "???", "20BYTE"}},
        {"blanks and quotes in the label stay one argument; a label with a separator cannot leave the folder",
         [](HtmlExportJob& j) {
             j.vehicle_label = "My \"car\"/../x";
             j.settings.output_dir = "/home/u/html/";
             j.program_dir = "/opt/tripdesk";
             j.drive_folder = "/media/card";
         },
         {"/opt/tripdesk/_gmaps/mapweaver", "/media/card/150309.GPS", "My \"car\"/../x",
          "/home/u/html/My _car__.._x_150309.html", "500", "110", "2", "??:??:??", "??:??:??", "???"}},
    };
    for (const auto& c : cases) {
        HtmlExportJob job = base_job();
        c.change(job);
        EXPECT_EQ(converter_arguments(job, "150309.GPS"), c.expected) << c.name;
    }
}

TEST(HtmlPagePath, UsesTheFirstSixCharactersOfTheDayFile) {
    EXPECT_EQ(html_page_path("/o", "CAR", "150309.gps"), "/o/CAR_150309.html");
    EXPECT_EQ(html_page_path("/o", "..", "150309.GPS"), "/o/__150309.html");
}

TEST(GenerujHTML, OneRowOpensThePageAndSeveralOpenTheFolder) {
    const fs::path out = fresh_dir("open") / "pages";  // does not exist yet: made by the export
    for (const size_t rows : {1u, 3u}) {
        HtmlExportJob job = base_job();
        job.settings.output_dir = out.string();
        job.day_files = {"010309.GPS", "020309.GPS", "030309.GPS"};
        job.day_files.resize(rows);
        RecordingStarter starter;
        starter.status = 7;  // a failing converter does not stop the run
        RecordingOpener opener;
        RecordingProgress progress;
        HtmlExportServices services{starter, &opener, {}};
        const HtmlExportResult result = GenerujHTML(job, progress, services);

        ASSERT_EQ(result.outcome, HtmlExportOutcome::Converted);
        EXPECT_TRUE(fs::is_directory(out));
        ASSERT_EQ(starter.runs.size(), rows);
        ASSERT_EQ(result.pages.size(), rows);
        for (size_t i = 0; i < rows; ++i) {
            EXPECT_EQ(result.pages[i], starter.runs[i][3]);
            EXPECT_EQ(progress.statuses[i], " - spracovanie súboru: \"/media/card/" + job.day_files[i] + "\" ...");
        }
        EXPECT_EQ(progress.titles, Args{"Prevod záznamov do HTML ..."});
        EXPECT_EQ(progress.maximum_value, static_cast<int>(rows));
        if (rows == 1) {
            EXPECT_EQ(opener.pages, Args{out.string() + "/BA-123AB_010309.html"});
            EXPECT_TRUE(opener.folders.empty());
        } else {
            EXPECT_TRUE(opener.pages.empty());
            EXPECT_EQ(opener.folders, Args{out.string()});
        }
    }
}

TEST(GenerujHTML, EmailGetsEveryPageOnlyWhenSwitchedOn) {
    const fs::path out = fresh_dir("mail");
    for (const bool email : {false, true}) {
        HtmlExportJob job = base_job();
        job.settings.output_dir = out.string();
        job.settings.email = email;
        job.day_files = {"010309.GPS", "020309.GPS"};
        RecordingStarter starter;
        NoProgress progress;
        std::vector<Args> mailed;
        HtmlExportServices services{starter, nullptr, [&](const Args& pages) { mailed.push_back(pages); }};
        const HtmlExportResult result = GenerujHTML(job, progress, services);
        if (email) {
            EXPECT_EQ(mailed, std::vector<Args>{result.pages});
        } else {
            EXPECT_TRUE(mailed.empty());
        }
    }
}

TEST(GenerujHTML, NoSelectedDaysRunsNothingButStillMakesTheFolder) {
    const fs::path out = fresh_dir("empty") / "pages";
    HtmlExportJob job = base_job();
    job.settings.output_dir = out.string();
    RecordingStarter starter;
    RecordingOpener opener;
    NoProgress progress;
    HtmlExportServices services{starter, &opener, {}};
    EXPECT_EQ(GenerujHTML(job, progress, services).outcome, HtmlExportOutcome::NothingSelected);
    EXPECT_TRUE(fs::is_directory(out));
    EXPECT_TRUE(starter.runs.empty());
    EXPECT_TRUE(opener.pages.empty() && opener.folders.empty());
}

TEST(GenerujHTML, AnOutputFolderThatCannotBeMadeIsAnError) {
    const fs::path base = fresh_dir("nofolder");
    for (const fs::path& out : {base / "missing" / "pages", base / "file"}) {
        if (out.filename() == "file") std::ofstream(out) << "x";
        HtmlExportJob job = base_job();
        job.settings.output_dir = out.string();
        job.day_files = {"010309.GPS"};
        RecordingStarter starter;
        NoProgress progress;
        HtmlExportServices services{starter, nullptr, {}};
        EXPECT_THROW(GenerujHTML(job, progress, services), IoError) << out;
        EXPECT_TRUE(starter.runs.empty());
    }
}

TEST(HtmlExportSettings, TakesTheHtmlKeysOfTheSettings) {
    app::Settings settings;
    settings.frm_setexp.OutputDirHTML = "/out";
    settings.frm_setexp.ResolutionHTML = 7;
    settings.frm_setexp.ResolutionKML = 99;
    settings.frm_setexp.ZastaveniaHTML = 301;
    settings.frm_setexp.TimeOffMRP = -3;
    settings.frm_setexp.EmailHTML = true;
    settings.frm_setexp.EmailKML = false;
    settings.frm_setprg.GmapsKey = "key";
    settings.frm_main.Force20byte = true;
    const HtmlExportSettings s = html_export_settings(settings);
    EXPECT_EQ(s.output_dir, "/out");
    EXPECT_EQ(s.resolution_m, 7);
    EXPECT_EQ(s.min_stop_s, 301);
    EXPECT_EQ(s.time_off_mrp, -3);
    EXPECT_TRUE(s.email);
    EXPECT_EQ(s.gmaps_key, "key");
    EXPECT_TRUE(s.force20byte);
}
