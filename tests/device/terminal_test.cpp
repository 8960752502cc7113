#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/simulated_tracker.h"
#include "device/terminal.h"
#include "device/termios_link.h"

namespace tripdesk::device {
namespace {

TEST(TrackerTerminal, RestartsTheTrackerAndShowsWhatItSends) {
    testing::SimulatedTracker sim({"--stream", "$GPRMC,A\\r\\n", "--stream-ms", "30"});
    TermiosLink link;
    LineLog log;
    log.add_line("left from before");
    TrackerTerminal term(link, log, thread_sleeper());
    term.start(sim.port());
    ASSERT_GE(log.lines().size(), 3u);
    EXPECT_EQ(log.lines()[0], "- connected to device using serial port: " + sim.port());
    EXPECT_EQ(log.lines()[1], "- reseting device using DTR ...  OK");
    EXPECT_EQ(log.lines()[2], "");
    int received = 0;
    for (int i = 0; i < 25 && received < 40; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kTerminalPollMs));
        received += term.poll();
    }
    ASSERT_GE(received, 10);
    // The DTR pulse purged what came before it; after it whole lines follow.
    ASSERT_GE(log.lines().size(), 5u);
    for (size_t i = 3; i + 1 < log.lines().size(); ++i) EXPECT_EQ(log.lines()[i], "$GPRMC,A") << i;
    term.stop();
    EXPECT_FALSE(link.is_open());
    EXPECT_EQ(term.poll(), 0);
}

TEST(TrackerTerminal, PortThatCannotBeOpenedCountsAsRunningAndReceivesNothing) {
    TermiosLink link;
    LineLog log;
    TrackerTerminal term(link, log, thread_sleeper());
    try {
        term.start("/nonexistent/ttyX");
        FAIL() << "no error";
    } catch (const SerialError& e) {
        EXPECT_STREQ(e.what(), "Unable to open com port (win error code: 2)");
    }
    EXPECT_TRUE(term.running());
    EXPECT_EQ(term.poll(), 0);
    term.stop();
    EXPECT_FALSE(term.running());
}

}  // namespace
}  // namespace tripdesk::device
