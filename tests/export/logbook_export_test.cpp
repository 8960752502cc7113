// The logbook export run: files, names, the folder clean-up and failures.
#include "common/atomic_file.h"
#include "common/io_error.h"
#include "export/logbook_export.h"
#include "export/recording_progress.h"
#include "export/scratch_folder.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

using namespace tripdesk;
using tripdesk::logbook::CleanupOutcome;
using tripdesk::logbook::LogbookExportOptions;
using tripdesk::testing::RecordingProgress;
using tripdesk::testing::ScratchFolder;
using tripdesk::track::DayFileWriter;
using tripdesk::track::fix;

namespace {

class LogbookExportTest : public ::testing::Test {
protected:
    LogbookExportTest() : scratch_("logbook_export") {
        card_ = scratch_.folder("card");
        out_dir_ = scratch_.folder("KJ_GPS");
        DayFileWriter day(track::kMarkerWithKey);
        day.add(fix(15, 3, 2009).time(8, 0, 0).speed(30).lat(48.5f).lon(17.5f), 0x00332211);
        day.add(fix(15, 3, 2009).time(8, 0, 1).speed(31).trian(3000).lat(48.5f).lon(17.5f), 0x00332211);
        day.save(card_ + "/150309.GPS");
        DayFileWriter(track::kMarkerImported).save(card_ + "/160309.GPS");
    }

    LogbookExportOptions options(const std::string& output) const {
        LogbookExportOptions o;
        o.drive_folder = card_ + "/";
        o.day_files = {"150309.GPS", "160309.GPS"};
        o.vehicle_label = "BA-123AB";
        o.selection_name = "od 15-03-09 do 16-03-09";
        o.output_path = output;
        return o;
    }

    ScratchFolder scratch_;
    std::string card_;
    std::string out_dir_;
};

TEST_F(LogbookExportTest, WritesHeaderAndLinesAndAppendsTheExtension) {
    RecordingProgress progress;
    const auto result = logbook::export_logbook(options(out_dir_ + "/BA-123AB_(15-03-09_16-03-09)"), progress);
    EXPECT_EQ(result.path, out_dir_ + "/BA-123AB_(15-03-09_16-03-09).TXT");
    EXPECT_EQ(result.selection_name, "od 15-03-09 do 16-03-09");
    EXPECT_EQ(result.lines, 2);
    EXPECT_EQ(read_whole_file(result.path),
              "BA-123AB\r\n130\r\n"
              "    0 01 80cf  2 15  8  0  0  109   48.500000   17.500000  30   0.00 04 11223300\r\n"
              "    1 01 00cf  2 15  8  0  1  109   48.500000   17.500000  31   0.30 04 11223300\r\n");
    EXPECT_EQ(progress.titles, std::vector<std::string>{"Export záznamov do KJ ..."});
    EXPECT_EQ(progress.maximum_value, 2);
    EXPECT_EQ(progress.steps, 2);
    EXPECT_EQ(progress.statuses,
              (std::vector<std::string>{" - spracovanie súboru: \"" + card_ + "/150309.GPS\" ...",
                                        " - spracovanie súboru: \"" + card_ + "/160309.GPS\" ...",
                                        " - exportovanie záznamov do Knihy Jázd (TXT) dokončené ..."}));
}

TEST_F(LogbookExportTest, ReadsImportedDayFilesWithALowerCaseExtension) {
    // The logger import writes "170309.gps"; the grid row names "170309.GPS".
    DayFileWriter day(track::kMarkerImported);
    day.add(fix(17, 3, 2009).time(6, 0, 0).speed(20).lat(48.5f).lon(17.5f));
    day.save(card_ + "/170309.gps");
    LogbookExportOptions o = options(out_dir_ + "/imported.TXT");
    o.day_files = {"170309.GPS"};
    NoProgress progress;
    const auto result = logbook::export_logbook(o, progress);
    EXPECT_EQ(result.lines, 1);
    EXPECT_EQ(read_whole_file(result.path),
              "BA-123AB\r\n130\r\n"
              "    0 01 80cf  2 17  6  0  0  109   48.500000   17.500000  20   0.00 04 \r\n");
}

TEST_F(LogbookExportTest, KeepsAnExtensionInAnyCase) {
    NoProgress progress;
    EXPECT_EQ(logbook::export_logbook(options(out_dir_ + "/a.txt"), progress).path, out_dir_ + "/a.txt");
    EXPECT_EQ(logbook::with_txt_extension("b.TXT.bak"), "b.TXT.bak.TXT");
}

TEST_F(LogbookExportTest, CleansTheLogbookLeftoversOnly) {
    for (const char* name : {"A.LOG", "b.lg2", "c.~LO", "d.~tx", "trip.gps", "keep.txt", "old.TXT"})
        scratch_.touch(std::string("KJ_GPS/") + name);
    scratch_.folder("KJ_GPS/folder.LOG");
    NoProgress progress;
    const auto result = logbook::export_logbook(options(out_dir_ + "/new.TXT"), progress);
    EXPECT_EQ(result.cleanup, CleanupOutcome::Cleaned);
    EXPECT_EQ(ScratchFolder::entries(out_dir_),
              (std::vector<std::string>{"folder.LOG", "keep.txt", "new.TXT", "old.TXT"}));
}

TEST_F(LogbookExportTest, NeverCleansAFolderWithDayFilesOrTheCurrentDrive) {
    // An output folder that is another card image: its day files must survive.
    const std::string image = scratch_.folder("image");
    DayFileWriter(track::kMarkerImported).save(image + "/010109.gps");
    scratch_.touch("image/x.LOG");
    RecordingProgress progress;
    auto result = logbook::export_logbook(options(image + "/out.TXT"), progress);
    EXPECT_EQ(result.cleanup, CleanupOutcome::SkippedHoldsDayFiles);
    EXPECT_EQ(ScratchFolder::entries(image), (std::vector<std::string>{"010109.gps", "out.TXT", "x.LOG"}));
    EXPECT_EQ(progress.statuses.front(),
              " - priečinok \"" + image + "\" obsahuje denné GPS súbory, čistenie vynechané ...");

    // The card itself, even through another spelling of its path.
    scratch_.touch("card/y.LOG");
    RecordingProgress on_card;
    LogbookExportOptions o = options(card_ + "/./out.TXT");
    result = logbook::export_logbook(o, on_card);
    EXPECT_EQ(result.cleanup, CleanupOutcome::SkippedCurrentDrive);
    EXPECT_TRUE(std::filesystem::exists(card_ + "/y.LOG"));
    EXPECT_TRUE(std::filesystem::exists(card_ + "/150309.GPS"));
    EXPECT_NE(on_card.statuses.front().find("je aktuálna jednotka, čistenie vynechané ..."), std::string::npos);
}

TEST_F(LogbookExportTest, AFailedReadLeavesTheOldFileAndNoTemporaryFile) {
    const std::string target = out_dir_ + "/kept.TXT";
    write_file_atomically(target, "old content");
    LogbookExportOptions o = options(target);
    o.day_files.push_back("170309.GPS");  // missing
    NoProgress progress;
    EXPECT_THROW(logbook::export_logbook(o, progress), IoError);
    EXPECT_EQ(read_whole_file(target), "old content");
    EXPECT_EQ(ScratchFolder::entries(out_dir_), std::vector<std::string>{"kept.TXT"});
}

TEST_F(LogbookExportTest, AMissingOutputFolderIsAnError) {
    NoProgress progress;
    EXPECT_THROW(logbook::export_logbook(options(out_dir_ + "/no/such/x.TXT"), progress), IoError);
}

}  // namespace
