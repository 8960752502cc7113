// `tripdesk private`: the list as the window shows it, the JSON form and the
// private-trip logbook file.
#include "common/atomic_file.h"
#include "export/run_command.h"
#include "export/scratch_folder.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

using tripdesk::read_whole_file;
using tripdesk::testing::run_tripdesk;
using tripdesk::testing::ScratchFolder;
using tripdesk::track::encode_time;

namespace {

std::string words(std::initializer_list<uint32_t> ws) {
    std::string b;
    for (uint32_t w : ws)
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
    return b;
}

class PrivateCommandTest : public ::testing::Test {
protected:
    PrivateCommandTest() : scratch_("private_command") {
        card_ = scratch_.folder("card");
        scratch_.touch("card/EEPROM.BIN", words({0, 11, encode_time(7, 3, 15, 8, 0, 0), 125000, 10,
                                                 encode_time(7, 3, 15, 9, 0, 0), 0, 0x00ABCD10,
                                                 encode_time(7, 3, 16, 10, 30, 0), 26000}));
    }
    tripdesk::testing::CommandRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", scratch_.folder("home")});
        return run_tripdesk(args, scratch_.path().string());
    }
    ScratchFolder scratch_;
    std::string card_;
};

TEST_F(PrivateCommandTest, ListsWithTheFiltersFromTheSettings) {
    auto r = run({"private", card_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Záznamy z EEPROM.BIN (40 bytes):\n"
              "15/03/09  08:00:00  000000  súkromná  12.5 km\n"
              "16/03/09  10:30:00  CDAB00  služobná  2.6 km\n"
              "15/03/09 - 16/03/09\n15.1 km\n12.5 km\n");
    r = run({"--set", "FRM_SUKJAZ.SukrOnly=1", "--set", "FRM_SUKJAZ.Nenulove=0", "private", card_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n15/03/09  08:00:00"), std::string::npos);
    EXPECT_EQ(r.out.find("CDAB00"), std::string::npos);
}

TEST_F(PrivateCommandTest, JsonGivesEveryEntryAndTheTotals) {
    const auto r = run({"private", card_, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"size_bytes\":40"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"driver_key\":\"CDAB00\",\"private\":false"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"total_km\":15.1000,\"private_km\":12.5000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"hour\":9"), std::string::npos) << "entries hidden by the filters are listed";
    EXPECT_NE(r.out.find("\"shown\":2}"), std::string::npos) << r.out;
}

TEST_F(PrivateCommandTest, ExportWritesThePrivateTripsWithTheCardsLabel) {
    tripdesk::write_file_atomically(card_ + "/_image.inf", "BA-123AB\r\n\r\n\r\n\r\n\r\n");
    const auto r = run({"private", card_, "--export", scratch_.file("p.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_whole_file(scratch_.file("p.txt")),
              "BA-123AB\r\n130\r\n"
              "    0 01 a0cf  2 15  8  0  0  109    0.000000    0.000000   0  12.50 04\r\n"
              "    1 01 20cf  2 15  9  0  0  109    0.000000    0.000000   0   0.00 04\r\n");
}

TEST_F(PrivateCommandTest, AMissingMemoryFails) {
    const auto r = run({"private", scratch_.folder("empty")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("EEPROM.BIN - súbor nebol nenájdený !!!"), std::string::npos) << r.err;
}

}  // namespace
