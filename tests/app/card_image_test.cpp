#include "app/card_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "app/image_info.h"
#include "app/recording_progress.h"
#include "app/temp_folder.h"
#include "common/atomic_file.h"
#include "common/io_error.h"

using namespace tripdesk;
using namespace tripdesk::app;
using tripdesk::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

const VolumeLabels kLabels{"BA-123AB", "1,234 KB", "1.95 GB", "-1234567890", "FAT32"};

std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> base_names(const std::vector<std::string>& paths) {
    std::vector<std::string> out;
    for (const auto& p : paths) out.push_back(fs::path(p).filename().string());
    return out;
}

}  // namespace

TEST(CardImage, FolderStaysInsideImagesForAnyLabel) {
    EXPECT_EQ(card_image_folder("/d/", kLabels), "/d/_images/BA-123AB/");
    EXPECT_EQ(card_image_folder("/d", VolumeLabels{}), "/d/_images/NO_CARID/");
    for (const char* label : {"..", ".", "../../etc", "A/B", "a\\..\\b", "x\ny"}) {
        VolumeLabels v;
        v.label = label;
        const std::string folder = card_image_folder("/d/", v);
        SCOPED_TRACE(label);
        ASSERT_EQ(folder.rfind("/d/_images/", 0), 0u);
        const std::string name = folder.substr(11, folder.size() - 12);
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find_first_of("/\\\n"), std::string::npos);
        EXPECT_NE(name, "..");
        EXPECT_NE(name, ".");
    }
}

TEST(CardImage, ListsDayFilesOfTheYearsItTakesInDateOrderThenPrivateMemory) {
    TempFolder card;
    for (const char* name : {"eeprom.bin", "150310.gps", "010309.GPS", "020309.GPS", "311229.GPS", "010131.GPS",
                             "010105.GPS", "010130.GPS", "010309.TXT", "001309.GPS", "320109.GPS", "ABCDEF.GPS",
                             "notes.txt", "010106.GPS"})
        write_file_atomically(card.file(name), "x");
    fs::create_directory(card.file("050309.GPS"));  // a folder is not a day file
    EXPECT_EQ(base_names(card_image_files(card.path())),
              (std::vector<std::string>{"010106.GPS", "010309.GPS", "020309.GPS", "150310.gps", "311229.GPS",
                                        "010130.GPS", "eeprom.bin"}));
}

TEST(CardImage, UpperCaseSpellingWinsWhenBothExist) {
    TempFolder card;
    write_file_atomically(card.file("010309.gps"), "lower");
    write_file_atomically(card.file("010309.GPS"), "upper");
    EXPECT_EQ(base_names(card_image_files(card.path())), std::vector<std::string>{"010309.GPS"});
}

TEST(CardImage, SavesDayFilesPrivateMemoryAndInfoButNoNotes) {
    TempFolder card, data;
    write_file_atomically(card.file("010309.GPS"), "day one");
    write_file_atomically(card.file("020309.GPS"), "day two");
    write_file_atomically(card.file("EEPROM.BIN"), std::string(1024, '\xff'));
    write_file_atomically(card.file("010309.TXT"), "BA-999ZZ\r\n");
    write_file_atomically(card.file("010131.GPS"), "too late");

    test::RecordingProgress progress;
    const CardImageResult result = save_card_image({card.path(), data.path(), kLabels}, progress);

    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.image_folder, data.path() + "_images/BA-123AB/");
    EXPECT_EQ(names_in(result.image_folder),
              (std::vector<std::string>{"010309.GPS", "020309.GPS", "EEPROM.BIN", "_image.inf"}));
    EXPECT_EQ(read_whole_file(result.image_folder + "020309.GPS"), "day two");
    EXPECT_EQ(read_whole_file(result.image_folder + "EEPROM.BIN"), std::string(1024, '\xff'));
    EXPECT_EQ(*ReadVirtInfo(result.image_folder).labels, kLabels);

    EXPECT_EQ(progress.titles, std::vector<std::string>{"Ukladám obraz jednotky ..."});
    EXPECT_EQ(progress.statuses, (std::vector<std::string>{
                                     " - ukladanie súboru: \"" + card.path() + "010309.GPS\" ...",
                                     " - ukladanie súboru: \"" + card.path() + "020309.GPS\" ...",
                                     " - ukladanie súboru: \"" + card.path() + "EEPROM.BIN\" ...",
                                     " - obraz jednotky ulozeny do: \"" + result.image_folder + "\" ...",
                                 }));
    EXPECT_EQ(progress.pumps, 3);
    EXPECT_EQ(progress.paused_ms, 150);
}

TEST(CardImage, SecondSaveReplacesFilesOfAnyCaseAndKeepsOthers) {
    TempFolder card, data;
    write_file_atomically(card.file("010309.GPS"), "new");
    const std::string image = card_image_folder(data.path(), kLabels);
    fs::create_directories(image);
    write_file_atomically(image + "010309.gps", "old");
    write_file_atomically(image + "280209.GPS", "kept");
    test::RecordingProgress progress;
    save_card_image({card.path(), data.path(), kLabels}, progress);
    EXPECT_EQ(names_in(image), (std::vector<std::string>{"010309.gps", "280209.GPS", "_image.inf"}));
    EXPECT_EQ(read_whole_file(image + "010309.gps"), "new");
}

TEST(CardImage, FailedCopyIsReportedAndTheRestIsSaved) {
    TempFolder card, data;
    write_file_atomically(card.file("010309.GPS"), "one");
    write_file_atomically(card.file("020309.GPS"), "two");
    write_file_atomically(card.file("030309.GPS"), "three");
    // A folder of a day file's name in the image cannot be replaced by the copy.
    const std::string image = card_image_folder(data.path(), kLabels);
    fs::create_directories(image + "020309.GPS/inner");
    // An unreadable source fails too (where permissions apply).
    ::chmod(card.file("030309.GPS").c_str(), 0);
    const bool unreadable = ::access(card.file("030309.GPS").c_str(), R_OK) != 0;

    test::RecordingProgress progress;
    const CardImageResult result = save_card_image({card.path(), data.path(), kLabels}, progress);

    EXPECT_FALSE(result.complete());
    ASSERT_EQ(result.failed.size(), unreadable ? 2u : 1u);
    EXPECT_EQ(result.failed[0].path, card.path() + "020309.GPS");
    EXPECT_FALSE(result.failed[0].message.empty());
    if (unreadable) {
        EXPECT_EQ(result.failed[1].path, card.path() + "030309.GPS");
    }
    EXPECT_EQ(read_whole_file(image + "010309.GPS"), "one");
    EXPECT_TRUE(fs::is_directory(image + "020309.GPS/inner"));
    EXPECT_TRUE(fs::is_regular_file(image + "_image.inf"));
    // The last text says the image is not complete, not that it was saved.
    EXPECT_EQ(progress.statuses.back(), image_incomplete_text(image, result.failed.size()));
    EXPECT_EQ(progress.statuses.back().find("ulozeny"), std::string::npos);
    for (const auto& name : names_in(image)) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

TEST(CardImage, CreatesTheImagesFolderButFailsLoudlyWhereItCannot) {
    TempFolder card, data;
    write_file_atomically(card.file("010309.GPS"), "one");
    test::RecordingProgress progress;
    // No "_images" yet: it is made.
    EXPECT_TRUE(save_card_image({card.path(), data.path(), kLabels}, progress).complete());

    // A file in the way of "_images": an error, not a silent nothing.
    TempFolder blocked;
    write_file_atomically(blocked.file("_images"), "not a folder");
    EXPECT_THROW(save_card_image({card.path(), blocked.path(), kLabels}, progress), IoError);

    // A card folder that is not there: an error, and no image folder left behind.
    TempFolder other;
    EXPECT_THROW(save_card_image({card.file("gone/"), other.path(), kLabels}, progress), IoError);
    EXPECT_FALSE(fs::exists(other.file("_images")));
}
