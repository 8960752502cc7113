// The identification exchange against the simulated tracker.
#include <gtest/gtest.h>

#include "device/identification.h"
#include "device/simulated_tracker.h"
#include "device/termios_link.h"

namespace tripdesk::device {
namespace {

using testing::SimulatedTracker;

struct ReplyCase {
    const char* name;
    std::vector<std::string> sim_options;
    const char* reply;
    const char* shown;
    const char* hardware;
    bool woke_early;  // the wake-up stopped before 1001 characters
};

class IdentifyTracker : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(IdentifyTracker, ReadsAndDecodesTheReply) {
    const ReplyCase& c = GetParam();
    SimulatedTracker sim(c.sim_options);
    TermiosLink link;
    const IdentificationResult r = identify_tracker(link, sim.port(), thread_sleeper());
    EXPECT_TRUE(r.link_ok) << r.error;
    EXPECT_FALSE(link.is_open());
    EXPECT_EQ(r.reply, c.reply);
    EXPECT_EQ(r.shown, c.shown);
    EXPECT_EQ(r.fields.hardware, c.hardware);
    const int sent = sim.stat("u_received");
    if (c.woke_early) {
        EXPECT_LT(sent, 200);
    } else {
        EXPECT_EQ(sent, 1001);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, IdentifyTracker,
    ::testing::Values(
        ReplyCase{"Full", {"--ident", "SN:00000000000001HEB0"}, "SN:00000000000001HEB0", "SN:00000000000001HEB0",
                  "verzia 1.30", true},
        // The answer goes on well past 22 bytes: only 21 are the reply.
        ReplyCase{"Longer",
                  {"--ident", "SN:00000000000001HGB0", "--ident-tail", "EXTRA-TEXT-AFTER-THE-SERIAL\r\n"},
                  "SN:00000000000001HGB0",
                  "SN:00000000000001HGB0",
                  "verzia 1.50",
                  true},
        // Never 22 bytes pending: all 1001 characters go out, then the
        // short reply is taken as it is.
        ReplyCase{"Short", {"--ident", "SN:0000000000000HD", "--ident-tail", ""}, "SN:0000000000000HD",
                  "SN:0000000000000HD", "[NONE]", false},
        ReplyCase{"NoAnswer", {"--ident", "", "--ident-tail", ""}, "", "SN:??????????????????", "[NONE]", false},
        ReplyCase{"WrongPrefix", {"--ident", "XY:00000000000001HEB0"}, "XY:00000000000001HEB0",
                  "SN:??????????????????", "[NONE]", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IdentifyTrackerTwice, EachIdentificationRestartsTheTracker) {
    SimulatedTracker sim({"--ident", "SN:00000000000001FCB0"});
    TermiosLink link;
    const IdentificationResult first = identify_tracker(link, sim.port(), thread_sleeper());
    const IdentificationResult second = identify_tracker(link, sim.port(), thread_sleeper());
    EXPECT_EQ(first.reply, "SN:00000000000001FCB0");
    EXPECT_EQ(second.reply, "SN:00000000000001FCB0");
    EXPECT_EQ(second.fields.cpu, "6.000 MHz");
    EXPECT_EQ(sim.stat("ident_sent"), 2);
}

TEST(IdentifyTrackerFailure, PortThatCannotBeOpenedGivesPlaceholderAndError) {
    TermiosLink link;
    const IdentificationResult r = identify_tracker(link, "/nonexistent/ttyX", thread_sleeper());
    EXPECT_FALSE(r.link_ok);
    EXPECT_EQ(r.error, "Unable to open com port (win error code: 2)");
    EXPECT_EQ(r.shown, "SN:??????????????????");
    EXPECT_EQ(r.fields.hardware, "[NONE]");
    EXPECT_EQ(r.fields.cpu, "[NONE]");
    EXPECT_EQ(r.fields.note, "[NONE]");
    EXPECT_FALSE(link.is_open());
}

}  // namespace
}  // namespace tripdesk::device
