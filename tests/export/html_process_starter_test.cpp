#include "export/html_process_starter.h"

#include <gtest/gtest.h>

#include "common/progress.h"

using namespace tripdesk;

namespace {
struct CountingProgress : Progress {
    int pumps = 0;
    void pump() override { ++pumps; }
};
}  // namespace

TEST(SpawnProcessStarter, ReturnsTheExitStatusAndPumpsWhileWaiting) {
    SpawnProcessStarter starter;
    CountingProgress progress;
    EXPECT_EQ(starter.run_and_wait({"/bin/sh", "-c", "sleep 0.3; exit 3"}, progress), 3);
    EXPECT_GE(progress.pumps, 2);
    EXPECT_EQ(starter.run_and_wait({"/bin/sh", "-c", "test \"$1\" = 'a \"b\" c'", "sh", "a \"b\" c"}, progress), 0);
}

TEST(SpawnProcessStarter, AProgramThatCannotStartGivesMinusOne) {
    SpawnProcessStarter starter;
    NoProgress progress;
    EXPECT_EQ(starter.run_and_wait({"/nonexistent/mapweaver"}, progress), -1);
    EXPECT_EQ(starter.run_and_wait({}, progress), -1);
}
