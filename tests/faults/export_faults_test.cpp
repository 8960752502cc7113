// Exports through the `tripdesk` command under faults of the output folder:
// read-only, missing, or a file-size limit reached in the middle of the
// write. Each must fail with exit status 1 and the system's message, and
// leave the previous output files exactly as they were, with no temporary
// file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "common/atomic_file.h"
#include "common/progress.h"
#include "export/html_export.h"
#include "export/html_process_starter.h"
#include "export/scratch_folder.h"
#include "faults/fault_card.h"
#include "faults/fault_run.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace tripdesk::faults;
using tripdesk::testing::ScratchFolder;

namespace {

struct ExportKind {
    const char* kind;
    const char* folder_key;  // the setting that names the output folder
    // What the command says for a folder it cannot write into, one it
    // cannot find, and a full file.
    const char* read_only_text;
    const char* missing_text;
    const char* too_large_text;
};

// The stop list has its own text for every file error (the file may be open
// in a spreadsheet). The HTML export creates a missing output folder itself,
// one level deep, so its missing folder is two levels down.
const ExportKind kKinds[] = {
    {"logbook", "FRM_SETEXP.OutputDirKJ", "Permission denied", "No such file or directory", "File too large"},
    {"kml", "FRM_SETEXP.OutputDirKML", "Permission denied", "No such file or directory", "File too large"},
    {"stops", "FRM_SETEXP.OutputDirHTML", "Chyba prístupu k súboru !!!", "Chyba prístupu k súboru !!!",
     "Chyba prístupu k súboru !!!"},
    {"html", "FRM_SETEXP.OutputDirHTML", "Permission denied", "No such file or directory", "File too large"},
};

const char kPrevious[] = "previous output, must survive\n";

// Every file of a folder with its content.
std::map<std::string, std::string> folder_contents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder)) files[e.path().filename().string()] = read_whole_file(e.path());
    return files;
}

class ExportFaults : public ::testing::TestWithParam<ExportKind> {
protected:
    ExportFaults() : scratch_(std::string("export_faults_") + GetParam().kind) {
        card_ = scratch_.folder("card") + "/";
        make_fault_card(card_);
        home_ = scratch_.folder("home");
    }

    ProcessRun run_export(const std::string& folder, const Faults& faults = {}) {
        // The geocoder asks a closed local port: the address cells say so
        // at once, without the network.
        return run_tripdesk({"--home", home_, "--set", std::string(GetParam().folder_key) + "=" + folder, "--set",
                             "FRM_MAIN.GeoService=http://127.0.0.1:9/geocode", "--set", "FRM_MAIN.GeoDelay=0",
                             "export", GetParam().kind, card_, "--from", "2009-03-10", "--to", "2009-03-12"},
                            faults);
    }

    // A good export first, then every file it wrote is replaced by a marker
    // the faulty runs must not touch.
    std::map<std::string, std::string> previous_outputs(const std::string& folder, size_t* smallest) {
        const ProcessRun good = run_export(folder);
        EXPECT_EQ(good.status, 0) << good.err;
        *smallest = SIZE_MAX;
        for (const auto& [name, content] : folder_contents(folder)) {
            *smallest = std::min(*smallest, content.size());
            write_file_atomically(folder + "/" + name, kPrevious);
        }
        EXPECT_NE(*smallest, SIZE_MAX) << "the export wrote nothing";
        return folder_contents(folder);
    }

    ScratchFolder scratch_;
    std::string card_;
    std::string home_;
};

TEST_P(ExportFaults, ReadOnlyFolderFailsAndKeepsThePreviousFiles) {
    const std::string out = scratch_.folder("out");
    size_t smallest = 0;
    const auto before = previous_outputs(out, &smallest);
    ASSERT_EQ(::chmod(out.c_str(), 0555), 0);
    const ProcessRun run = run_export(out);
    ::chmod(out.c_str(), 0755);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().read_only_text), std::string::npos) << run.err;
    EXPECT_EQ(folder_contents(out), before);
}

TEST_P(ExportFaults, MissingFolderFailsAndCreatesNothing) {
    const std::string out = scratch_.folder("out");
    const ProcessRun run = run_export(out + "/gone/deeper");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().missing_text), std::string::npos) << run.err;
    EXPECT_TRUE(folder_contents(out).empty());
}

TEST_P(ExportFaults, FileSizeLimitMidExportFailsAndKeepsThePreviousFiles) {
    const std::string out = scratch_.folder("out");
    size_t smallest = 0;
    const auto before = previous_outputs(out, &smallest);
    ASSERT_GT(smallest, 2u);
    Faults limited;
    limited.file_size_limit = static_cast<long long>(smallest / 2);
    const ProcessRun run = run_export(out, limited);
    EXPECT_EQ(run.signal, 0) << "SIGXFSZ is ignored: the write fails, the program reports it";
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().too_large_text), std::string::npos) << run.err;
    EXPECT_EQ(folder_contents(out), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExportFaults, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<ExportKind>& info) { return std::string(info.param.kind); });

// A converter run that fails leaves an older page of the same name on disk:
// that page is not this run's, so the e-mail copy leaves it out.
TEST(HtmlConverterFaults, FailedConversionKeepsItsOlderPageOutOfTheMail) {
    struct FailingSecond : ProcessStarter {
        int runs = 0;
        int run_and_wait(const std::vector<std::string>&, Progress&) override { return ++runs == 2 ? 1 : 0; }
    } starter;
    ScratchFolder scratch("html_converter_faults");
    HtmlExportJob job;
    job.drive_folder = scratch.folder("card") + "/";
    job.vehicle_label = "BA-123AB";
    job.day_files = {"100309.GPS", "110309.GPS", "120309.GPS"};
    job.settings.output_dir = scratch.folder("pages");
    job.settings.email = true;
    std::vector<std::string> mailed;
    HtmlExportServices services{starter, nullptr, [&](const std::vector<std::string>& pages) { mailed = pages; }};
    NoProgress progress;
    const HtmlExportResult result = GenerujHTML(job, progress, services);
    ASSERT_EQ(result.pages.size(), 3u);
    EXPECT_EQ(result.failed, std::vector<std::string>{result.pages[1]});
    EXPECT_EQ(mailed, (std::vector<std::string>{result.pages[0], result.pages[2]}));
}

}  // namespace
