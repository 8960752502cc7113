// `tripdesk image save` run as a program.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/image_info.h"
#include "card_fixture.h"
#include "export/run_command.h"

using tripdesk::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

using RunResult = tripdesk::testing::CommandRun;

// `tripdesk --home HOME ARGS...`
RunResult run_tripdesk(const std::string& home, std::vector<std::string> args) {
    TempFolder scratch;
    args.insert(args.begin(), {"--home", home});
    return tripdesk::testing::run_tripdesk(args, scratch.path());
}

}  // namespace

TEST(ImageCommand, SavesTheCardIntoTheDataFolderAndPrintsWhere) {
    TempFolder card, home;
    tripdesk::testing::make_card(card);
    tripdesk::write_file_atomically(card.file("EEPROM.BIN"), std::string(64, '\xff'));
    const RunResult r = run_tripdesk(home.path(), {"image", "save", card.path()});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string image = home.path() + "_images/BA-123AB/";
    EXPECT_EQ(r.out, image + "\n");
    for (const char* name : {"010309.GPS", "050309.gps", "150309.GPS", "020409.GPS", "EEPROM.BIN", "_image.inf"})
        EXPECT_TRUE(fs::is_regular_file(image + name)) << name;
    EXPECT_FALSE(fs::exists(image + "050309.TXT"));
    EXPECT_EQ(tripdesk::app::ReadVirtInfo(image).labels->file_system, "FAT");

    // --label names the image; a label that would leave "_images" cannot.
    const RunResult other = run_tripdesk(home.path(), {"image", "save", card.path(), "--label", "../../x"});
    EXPECT_EQ(other.status, 0) << other.err;
    ASSERT_EQ(other.out.rfind(home.path() + "_images/", 0), 0u) << other.out;
    EXPECT_EQ(other.out.find('/', home.path().size() + 8), other.out.size() - 2) << other.out;
}

TEST(ImageCommand, FailedCopiesAreListedWithStatusOne) {
    TempFolder card, home;
    tripdesk::testing::make_card(card);
    fs::create_directories(home.path() + "_images/BA-123AB/150309.GPS/inner");
    const RunResult r = run_tripdesk(home.path(), {"image", "save", card.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(card.path() + "150309.GPS: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("neuložené súbory: 1"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_regular_file(home.path() + "_images/BA-123AB/010309.GPS"));
}

TEST(ImageCommand, MissingCardAndUsage) {
    TempFolder home;
    const RunResult missing = run_tripdesk(home.path(), {"image", "save", home.path() + "gone"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nieje dostupná"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(home.path() + "_images"));
    EXPECT_EQ(run_tripdesk(home.path(), {"image"}).status, 2);
    EXPECT_EQ(run_tripdesk(home.path(), {"image", "save"}).status, 2);
}
