#include "app/day_file_delete.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/recording_progress.h"
#include "app/temp_folder.h"
#include "common/atomic_file.h"

using namespace tripdesk;
using namespace tripdesk::app;
using tripdesk::testing::TempFolder;
namespace fs = std::filesystem;

TEST(DayFileDelete, DeletesTheNamedDayFilesOnlyAndPassesOverVanishedOnes) {
    TempFolder card;
    for (const char* name : {"010309.GPS", "020309.GPS", "030309.gps", "020309.TXT"})
        write_file_atomically(card.file(name), "x");
    test::RecordingProgress progress;
    // 040309.GPS was listed but is gone by now.
    const auto failed = delete_day_files(card.path(), {"020309.GPS", "040309.GPS", "030309.gps"}, progress);
    EXPECT_TRUE(failed.empty());
    EXPECT_TRUE(fs::exists(card.file("010309.GPS")));
    EXPECT_FALSE(fs::exists(card.file("020309.GPS")));
    EXPECT_FALSE(fs::exists(card.file("030309.gps")));
    EXPECT_TRUE(fs::exists(card.file("020309.TXT")));  // the note stays

    EXPECT_EQ(progress.titles, std::vector<std::string>{"Mazanie binárnych GPS súborov"});
    EXPECT_EQ(progress.maximums, std::vector<int>{3});
    EXPECT_EQ(progress.steps, 3);
    EXPECT_EQ(progress.paused_ms, 600);
    EXPECT_EQ(progress.statuses, (std::vector<std::string>{" - mazanie súboru: \"" + card.path() + "020309.GPS\" ...",
                                                           " - mazanie súboru: \"" + card.path() + "040309.GPS\" ...",
                                                           " - mazanie súboru: \"" + card.path() + "030309.gps\" ..."}));
}

TEST(DayFileDelete, FilesThatCannotBeDeletedAreReported) {
    TempFolder card;
    write_file_atomically(card.file("010309.GPS"), "x");
    fs::create_directories(card.file("020309.GPS/inner"));  // not deletable as a file
    test::RecordingProgress progress;
    const auto failed = delete_day_files(card.path(), {"010309.GPS", "020309.GPS"}, progress);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].path, card.path() + "020309.GPS");
    EXPECT_FALSE(failed[0].message.empty());
    EXPECT_FALSE(fs::exists(card.file("010309.GPS")));
    EXPECT_TRUE(fs::exists(card.file("020309.GPS/inner")));
}
