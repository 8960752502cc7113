// Hostile names from card data and from the user: vehicle labels (first line
// of "_image.inf", or --label) holding "/", "..", control characters or a
// very long text, other "_image.inf" fields, and CAR_LIST short names for
// the logger import's vehicle folder. Nothing may be written outside the
// folder meant for it, and no mail header may be broken or added.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "common/atomic_file.h"
#include "devlib/logger_sim_process.h"
#include "export/scratch_folder.h"
#include "export/servers/local_server.h"
#include "faults/fault_card.h"
#include "faults/fault_run.h"
#include "app/safe_name.h"
#include "import/logger_import.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using tripdesk::testing::ScratchFolder;

namespace {

const std::string kLongLabel(3000, 'L');

struct HostileName {
    const char* what;
    std::string name;
};

const HostileName kLabels[] = {
    {"parent folders", "../../../escaped"},
    {"separators", "a/b\\c"},
    {"dots only", ".."},
    {"control characters", "BA\x1b[31m\x07\x01-1\t2"},
    {"absolute path", "/tmp/escaped"},
    {"very long", kLongLabel},
};

// Every path under a folder.
std::set<std::string> tree(const fs::path& root) {
    std::set<std::string> paths;
    for (const auto& e : fs::recursive_directory_iterator(root)) paths.insert(e.path().string());
    return paths;
}

class LabelFaults : public ::testing::TestWithParam<const char*> {
protected:
    LabelFaults() : scratch_(std::string("label_faults_") + GetParam()) {}
    ScratchFolder scratch_;
};

// Each export names its output after the vehicle; whatever the label, the
// file lands in the output folder.
TEST_P(LabelFaults, OutputStaysInTheOutputFolder) {
    const std::string kind = GetParam();
    const char* key = kind == "logbook" ? "FRM_SETEXP.OutputDirKJ"
                      : kind == "kml"   ? "FRM_SETEXP.OutputDirKML"
                                        : "FRM_SETEXP.OutputDirHTML";
    for (const bool from_image_info : {true, false}) {
        for (const HostileName& label : kLabels) {
            if (from_image_info && label.name.find_first_of("\r\n") != std::string::npos) continue;
            SCOPED_TRACE(std::string(label.what) + (from_image_info ? " in _image.inf" : " in --label"));
            fs::remove_all(scratch_.path());
            fs::create_directories(scratch_.path());
            const std::string card = scratch_.folder("card") + "/";
            faults::make_fault_card(card, from_image_info ? label.name + "\r\n\r\n\r\n\r\nFAT\r\n" : "");
            const std::string out = scratch_.folder("deep/deeper/out");
            const std::string home = scratch_.folder("home");
            std::vector<std::string> args = {"--home", home, "--set", std::string(key) + "=" + out, "--set",
                                             "FRM_MAIN.GeoService=http://127.0.0.1:9/", "--set", "FRM_MAIN.GeoDelay=0",
                                             "export", kind, card, "--from", "2009-03-10", "--to", "2009-03-11"};
            if (!from_image_info) args.insert(args.end(), {"--label", label.name});
            const auto before = tree(scratch_.path());
            const faults::ProcessRun run = faults::run_tripdesk(args);
            EXPECT_EQ(run.signal, 0);
            // Made safe (and cut to a length file systems take), every label
            // gives a name the export can write.
            EXPECT_EQ(run.status, 0) << run.err.substr(0, 300);
            for (const std::string& path : tree(scratch_.path())) {
                if (before.count(path)) continue;
                EXPECT_EQ(fs::path(path).parent_path().string(), out) << path.substr(0, 300);
                EXPECT_TRUE(fs::is_regular_file(path)) << path.substr(0, 300);
            }
            EXPECT_FALSE(fs::exists("/tmp/escaped"));
        }
    }
}

// A long label is cut between characters, never inside one.
TEST(SafeNameLength, LongNamesAreCutBetweenCharacters) {
    std::string name = "a";
    for (int i = 0; i < 100; ++i) name += "Ž";
    const std::string safe = app::safe_name(name);
    EXPECT_EQ(safe.size(), 159u);
    EXPECT_EQ(safe.substr(safe.size() - 2), "Ž");
    EXPECT_EQ(app::safe_name(kLongLabel), std::string(app::kSafeNameBytes, 'L'));
}

INSTANTIATE_TEST_SUITE_P(Exports, LabelFaults, ::testing::Values("logbook", "kml", "stops", "html"));

// The day-file mail of `tripdesk mail` with the hostile label: the message
// arrives with exactly its own headers, each line within the limit mail
// sets (998 characters).
TEST(MailHeaderFaults, HostileLabelsBreakNoHeader) {
    tripdesk::testing::TempDir tmp;
    fs::create_directory(tmp.path() + "out");
    tripdesk::testing::ServerProcess server("smtp_server.py", {"--out", tmp.path() + "out"}, tmp.path());
    ScratchFolder scratch("mail_label_faults");
    const std::string card = scratch.folder("card") + "/";
    faults::make_fault_card(card);
    int sent = 0;
    for (const HostileName& label : kLabels) {
        for (const std::string& name : {label.name, label.name + "\r\nBcc: spy@example.com"}) {
            SCOPED_TRACE(label.what);
            const faults::ProcessRun run = faults::run_tripdesk(
                {"--home", scratch.folder("home"), "--set", "EMAIL.Host=127.0.0.1", "--set",
                 "EMAIL.Port=" + std::to_string(server.port()), "--set", "EMAIL.Username=", "--set",
                 "EMAIL.Address=kniha@firma.sk", "mail", card, "--from", "2009-03-10", "--to", "2009-03-10", "--label",
                 name});
            ASSERT_EQ(run.status, 0) << run.err;
            const std::string folder = tmp.path() + "out/" + std::to_string(sent++) + "/";
            const std::string envelope = tripdesk::testing::read_text(folder + "envelope.txt");
            EXPECT_EQ(envelope.find("spy@"), std::string::npos) << envelope;
            const std::string raw = tripdesk::testing::read_text(folder + "raw.eml");
            const std::string headers = raw.substr(0, raw.find("\r\n\r\n"));
            size_t start = 0;
            while (start < headers.size()) {
                size_t end = headers.find("\r\n", start);
                if (end == std::string::npos) end = headers.size();
                const std::string line = headers.substr(start, end - start);
                EXPECT_LE(line.size(), 998u) << line.substr(0, 80);
                EXPECT_EQ(line.rfind("Bcc", 0), std::string::npos) << line;
                for (const char c : line) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\t') << line;
                start = end + 2;
            }
        }
    }
}

// CAR_LIST short names become the vehicle's folder under "_images".
TEST(ImportFolderFaults, ShortNamesStayInsideTheImageFolder) {
    const std::string home = "/data/home/";
    for (const HostileName& name : kLabels) {
        SCOPED_TRACE(name.what);
        const fs::path folder = fs::path(import::vehicle_folder(home, name.name)).lexically_normal();
        EXPECT_EQ(folder.parent_path().parent_path().string(), home + "_images");
        EXPECT_NE(folder.parent_path().filename().string(), "..");
    }
}

TEST(ImportFolderFaults, ImportWithAHostileShortNameWritesOnlyUnderTheImageFolder) {
    for (const std::string short_name : {std::string("../../x"), std::string(".."), std::string("A\x1b/\\\x01B")}) {
        SCOPED_TRACE(short_name);
        testing_support::TempFolder outer;
        const std::string home = outer.path() + "/home";
        fs::create_directory(home);
        testing_support::LoggerSim sim({"--records", "20"});
        NoProgress progress;
        const auto result = import::import_from_logger({home + "/", {"0001234567", short_name, "x"}, {}},
                                                       [] { return true; }, progress);
        EXPECT_EQ(::chdir("/"), 0);
        EXPECT_EQ(result.outcome, import::ImportOutcome::Done);
        EXPECT_EQ(ScratchFolder::entries(outer.path()), std::vector<std::string>{"home"});
        for (const auto& e : fs::recursive_directory_iterator(home)) {
            const std::string path = e.path().lexically_normal().string();
            EXPECT_TRUE(path.rfind(home + "/_images", 0) == 0 || path == home + "/dlr4470_dump.tmp") << path;
        }
    }
}

// "_image.inf" fields beyond the label (free and total space, serial, file
// system) are only shown: noise, quotes and a line of a megabyte in them
// leave the scan's JSON well-formed and the export unaffected.
TEST(ImageInfoFaults, HostileFieldsAreOnlyShown) {
    ScratchFolder scratch("image_info_faults");
    const std::string card = scratch.folder("card") + "/";
    const std::string label = "BA\"1\\2\x01\x1f";
    std::string noise;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n') noise += static_cast<char>(i);
    faults::make_fault_card(card, label + "\r\n" + noise + "\r\n" + std::string(1 << 20, '9') + "\r\n\"\\\r\n" + noise +
                                      "\r\nextra line\r\n");
    const faults::ProcessRun scan = faults::run_tripdesk({"scan", card, "--date", "2009-03-10", "--json"});
    ASSERT_EQ(scan.status, 0) << scan.err;
    write_file_atomically(scratch.file("scan.json"), scan.out);
    const faults::ProcessRun parse = faults::run_program(
        "/usr/bin/python3", {"-c", "import json,sys; d=json.load(open(sys.argv[1])); print(repr(d['label']), len(d['rows']))",
                             scratch.file("scan.json")});
    EXPECT_EQ(parse.status, 0) << parse.err;
    EXPECT_EQ(parse.out, "'BA\"1\\\\2\\x01\\x1f' 3\n");
    const std::string out = scratch.folder("out");
    const faults::ProcessRun run = faults::run_tripdesk({"--home", scratch.folder("home"), "export", "kml", card, "--from",
                                                         "2009-03-10", "--to", "2009-03-10", "-o", out + "/a.kml"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ScratchFolder::entries(out), std::vector<std::string>{"a.kml"});
}

}  // namespace
