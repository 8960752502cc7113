// `tripdesk tracker ...` against the simulated tracker.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#include "device/simulated_tracker.h"

namespace tripdesk::device {
namespace {

struct CommandRun {
    int status;
    std::string out;
};

CommandRun tripdesk(const std::string& args) {
    const std::string cmd = std::string(TRIPDESK_BIN_DIR) + "/tripdesk " + args + " 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    CommandRun r{-1, {}};
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(TrackerCommand, IdentifyPrintsReplyAndFields) {
    testing::SimulatedTracker sim({"--ident", "SN:00000000000001HEB0"});
    const CommandRun r = tripdesk("tracker identify --port " + sim.port());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "SN:00000000000001HEB0\nVerzia hardvéru: verzia 1.30\nFrekvencia CPU: 8.000 MHz\nPoznámky: Bluetooth\n");
}

TEST(TrackerCommand, IdentifyWithoutAnswerFails) {
    testing::SimulatedTracker sim({"--ident", "", "--ident-tail", ""});
    const CommandRun r = tripdesk("tracker identify --port " + sim.port());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("SN:??????????????????\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("no answer from the tracker"), std::string::npos) << r.out;
}

TEST(TrackerCommand, FirmwareAnswersNoUnlessYes) {
    testing::SimulatedTracker sim({"--ident", "SN:00000000000001HG10"});
    const std::string image = ::testing::TempDir() + "/M7_FWHG1A.BIN";
    std::ofstream(image, std::ios::binary) << std::string(1500, 'z');

    const CommandRun no = tripdesk("tracker firmware " + image + " --port " + sim.port());
    EXPECT_EQ(no.status, 1);
    EXPECT_NE(no.out.find(" - 12 pages succesfully loaded ..."), std::string::npos) << no.out;
    EXPECT_NE(no.out.find("- checking FW compatibility ... Error\n"), std::string::npos) << no.out;
    EXPECT_NE(no.out.find("- firmware update aborted by user !!!\n"), std::string::npos) << no.out;

    const CommandRun yes = tripdesk("tracker firmware " + image + " --port " + sim.port() + " --yes");
    EXPECT_EQ(yes.status, 0) << yes.out;
    EXPECT_NE(yes.out.find("- upload finishcode: 6 ... OK\n"), std::string::npos) << yes.out;
    EXPECT_EQ(sim.recorded_image(), std::string(1500, 'z') + std::string(12 * 128 - 1500, '\xFF'));
    std::remove(image.c_str());
}

TEST(TrackerCommand, TerminalPrintsWhatTheTrackerSends) {
    testing::SimulatedTracker sim({"--stream", "hello\\r\\n", "--stream-ms", "50"});
    const CommandRun r = tripdesk("tracker terminal --seconds 1 --port " + sim.port());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("- connected to device using serial port: " + sim.port() +
                              "\n- reseting device using DTR ...  OK\n\n",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("hello\r\nhello\r\n"), std::string::npos) << r.out;
}

TEST(TrackerCommand, UsageErrors) {
    EXPECT_EQ(tripdesk("tracker identify").status, 2);
    EXPECT_EQ(tripdesk("tracker firmware --port /dev/null").status, 2);
    EXPECT_EQ(tripdesk("tracker blink --port /dev/null").status, 2);
}

}  // namespace
}  // namespace tripdesk::device
