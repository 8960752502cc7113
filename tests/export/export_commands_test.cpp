// `tripdesk export logbook|kml`: the command writes what the export writes
// for the same selection and settings.
#include "common/atomic_file.h"
#include "common/progress.h"
#include "export/kml_export.h"
#include "export/logbook_export.h"
#include "export/run_command.h"
#include "export/scratch_folder.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

using namespace tripdesk;
using tripdesk::testing::run_tripdesk;
using tripdesk::testing::ScratchFolder;
using tripdesk::track::DayFileWriter;
using tripdesk::track::fix;

namespace {

class ExportCommandsTest : public ::testing::Test {
protected:
    ExportCommandsTest() : scratch_("export_commands") {
        card_ = scratch_.folder("card") + "/";
        home_ = scratch_.folder("home");
        for (int day : {2, 10, 11, 12}) {
            DayFileWriter w(track::kMarkerWithKey);
            for (int i = 0; i < 40; ++i)
                w.add(fix(day, 3, 2009).time(8, 0, i).speed(40).trian(900).priv(i > 20).lon(17.0f + i / 1000.0f)
                          .lat(48.0f),
                      0x00332211);
            w.save(card_ + track::day_file_name(day, 3, 9));
        }
        write_file_atomically(card_ + "_image.inf", "BA-123AB\r\n1 Mb\r\n2 Mb\r\n123\r\nFAT\r\n");
    }

    tripdesk::testing::CommandRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home_});
        return run_tripdesk(args, scratch_.path().string());
    }

    ScratchFolder scratch_;
    std::string card_;
    std::string home_;
};

TEST_F(ExportCommandsTest, LogbookWritesTheExportsBytes) {
    const std::string out = scratch_.folder("out") + "/";
    const auto r = run({"--set", "FRM_SETEXP.IgnoreSluz=0", "--set", "FRM_SETEXP.ResolutionKJ=300", "export",
                        "logbook", card_, "--from", "2009-03-10", "--to", "2009-03-11", "-o", out + "cli"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out + "cli.TXT\n");

    logbook::LogbookExportOptions o;
    o.drive_folder = card_;
    o.day_files = {"100309.GPS", "110309.GPS"};
    o.vehicle_label = "BA-123AB";
    o.output_path = out + "direct";
    o.ignore_sluz = false;
    o.resolution_m = 300;
    NoProgress progress;
    logbook::export_logbook(o, progress);
    EXPECT_EQ(read_whole_file(out + "cli.TXT"), read_whole_file(out + "direct.TXT"));
    EXPECT_NE(read_whole_file(out + "cli.TXT").find(" a0cf "), std::string::npos);
    EXPECT_NE(r.err.find(" - exportovanie záznamov do Knihy Jázd (TXT) dokončené ..."), std::string::npos);
}

TEST_F(ExportCommandsTest, LogbookProposesItsNameInTheOutputFolder) {
    const std::string kj = scratch_.folder("kj");
    const auto r = run({"--set", "FRM_SETEXP.OutputDirKJ=" + kj, "export", "logbook", card_, "--from", "2009-03-11",
                        "--to", "2009-03-11"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ScratchFolder::entries(kj), std::vector<std::string>{"BA-123AB_(11-03-09).TXT"});
}

TEST_F(ExportCommandsTest, KmlColoursFollowTheWholeGrid) {
    const std::string out = scratch_.file("days.kml");
    const auto r = run({"export", "kml", card_, "--from", "2009-03-10", "--to", "2009-03-12", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string doc = read_whole_file(out);
    // 02/03 is grid row 1, so the selection holds rows 2, 3 and 4.
    const size_t a = doc.find("<color>ff7f00ff</color>");
    const size_t b = doc.find("<color>ffff5500</color>");
    const size_t c = doc.find("<color>ff00aaff</color>");
    ASSERT_NE(a, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_NE(doc.find("  Trasa: 3.60 km \r\n"), std::string::npos) << "";

    kml::KmlExportOptions o;
    o.drive_folder = card_;
    o.days = {{2, "100309.GPS", "3.60 km"}, {3, "110309.GPS", "3.60 km"}, {4, "120309.GPS", "3.60 km"}};
    o.output_path = scratch_.file("direct.kml");
    NoProgress progress;
    kml::export_kml(o, progress);
    EXPECT_EQ(doc, read_whole_file(scratch_.file("direct.kml")));
}

TEST_F(ExportCommandsTest, NothingSelectedFails) {
    for (const char* kind : {"logbook", "kml"}) {
        const auto r = run({"export", kind, card_, "--from", "2009-04-01", "--to", "2009-04-30", "-o",
                            scratch_.file("none")});
        EXPECT_EQ(r.status, 1) << kind;
        EXPECT_NE(r.err.find("Žiadne vybrané jazdy !!!"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(scratch_.file("none.TXT")));
    EXPECT_EQ(run({"export", "kml", card_, "--from", "2009-04-01"}).status, 2);
}

// Every selection command takes its selection the same way and stops before
// any work when it is empty, reversed, incomplete or names no card.
TEST_F(ExportCommandsTest, EverySelectionCommandRefusesTheSameWay) {
    const std::string out = scratch_.folder("refused");
    const std::vector<std::vector<std::string>> commands = {
        {"export", "logbook"}, {"export", "kml"}, {"export", "stops"}, {"export", "mrp"},
        {"export", "html"},    {"mail"}};
    for (const auto& command : commands) {
        const auto with = [&](std::vector<std::string> tail) {
            std::vector<std::string> args = {"--set", "FRM_SETEXP.OutputDirKJ=" + out, "--set",
                                             "FRM_SETEXP.OutputDirKML=" + out, "--set",
                                             "FRM_SETEXP.OutputDirHTML=" + out, "--set",
                                             "FRM_SETEXP.DatabasesMRP=" + out, "--set", "EMAIL.Host=127.0.0.1",
                                             "--set", "EMAIL.Port=1"};
            args.insert(args.end(), command.begin(), command.end());
            args.insert(args.end(), tail.begin(), tail.end());
            return run(args);
        };
        const std::string name = command.back();
        for (const auto& range : {std::pair<std::string, std::string>{"2009-03-03", "2009-03-09"},
                                  std::pair<std::string, std::string>{"2009-03-12", "2009-03-10"}}) {
            const auto r = with({card_, "--from", range.first, "--to", range.second});
            EXPECT_EQ(r.status, 1) << name;
            EXPECT_EQ(r.err, "Žiadne vybrané jazdy !!!\n") << name;
            EXPECT_EQ(r.out, "") << name;
        }
        const auto missing = with({scratch_.file("nocard"), "--from", "2009-03-10", "--to", "2009-03-10"});
        EXPECT_EQ(missing.status, 1) << name;
        EXPECT_EQ(missing.err, "tripdesk:  - jednotka: \"" + scratch_.file("nocard") + "/\"  nieje dostupná !!!\n")
            << name;
        for (const auto& bad : std::vector<std::vector<std::string>>{
                 {card_, "--from", "2009-03-10"},
                 {card_, "--from", "2009-03-10", "--to", "2009-03-32"},
                 {card_, "extra", "--from", "2009-03-10", "--to", "2009-03-10"},
                 {"--from", "2009-03-10", "--to", "2009-03-10"}}) {
            const auto r = with(bad);
            EXPECT_EQ(r.status, 2) << name << " " << bad.size();
            EXPECT_NE(r.err.find("usage: tripdesk"), std::string::npos) << r.err;
        }
    }
    EXPECT_TRUE(ScratchFolder::entries(out).empty());
}

}  // namespace
