// The bootloader exchange against the simulated tracker.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/firmware_update.h"
#include "device/simulated_tracker.h"
#include "device/termios_link.h"

namespace tripdesk::device {
namespace {

using testing::SimulatedTracker;

class RecordingProgress : public Progress {
public:
    void maximum(int max) override { maximum_ = max; }
    void position(int pos) override { positions.push_back(pos); }
    int maximum_ = 0;
    std::vector<int> positions;
};

std::string image_bytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + i / 256) & 0xFF);
    return bytes;
}

class FirmwareUpdate : public ::testing::Test {
protected:
    UpdateResult run(SimulatedTracker& sim, size_t image_size, const std::string& image_pack,
                     bool answer_yes = false, const std::string& port = {}) {
        image_.assign(image_bytes(image_size));
        UpdateHooks hooks;
        hooks.show_device_pack = [&](const std::string& pack) { shown_packs_.push_back(pack); };
        hooks.confirm = [&](const std::string& question) {
            questions_.push_back(question);
            return answer_yes;
        };
        hooks.failure_signal = [&] { ++failure_signals_; };
        UpdateOptions options;
        options.reply_timeout_ms = 1000;
        // Both generous for a loaded machine; the simulator answers at once.
        options.echo_wait_ms = 40;
        return run_firmware_update(link_, port.empty() ? sim.port() : port, image_, image_pack, log_, progress_,
                                   thread_sleeper(), hooks, options);
    }

    std::vector<std::string> head(const SimulatedTracker& sim, const std::string& reply) const {
        return {"- connected to device using serial port: " + sim.port(), "- reading serial number ... OK",
                "- " + reply};
    }

    TermiosLink link_;
    FirmwareImage image_;
    LineLog log_;
    RecordingProgress progress_;
    std::vector<std::string> shown_packs_;
    std::vector<std::string> questions_;
    int failure_signals_ = 0;
};

TEST_F(FirmwareUpdate, SuitableImageIsWrittenPageByPage) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG10", "--start-reply", "0x42"});
    const UpdateResult r = run(sim, 1025, "PACK_C");
    EXPECT_EQ(r.outcome, UpdateOutcome::Written);
    EXPECT_TRUE(questions_.empty());
    std::vector<std::string> expected = head(sim, "SN:00000000000001HG10");
    expected.insert(expected.end(), {"- checking FW compatibility ... OK", "- resetting device by DTR ... OK",
                                     "- sending initialisation byte ... OK", "- loader returned: 123 ... OK",
                                     "- initialisation byte received: 66 ... OK",
                                     "- uploading firmware image ... OK", "- upload finishcode: 6 ... OK"});
    EXPECT_EQ(log_.lines(), expected);
    EXPECT_EQ(shown_packs_, (std::vector<std::string>{"[NONE]", "PACK_B"}));
    // Nine pages: the bar moves on every page and ends at 0.
    EXPECT_EQ(progress_.maximum_, 9);
    EXPECT_EQ(progress_.positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    // The tracker holds the image byte for byte, the last page filled with 0xFF.
    EXPECT_EQ(sim.recorded_image(), image_.bytes() + std::string(127, '\xFF'));
    EXPECT_EQ(sim.stat("bad_frames"), 0);
    EXPECT_EQ(sim.stat("init_received"), 1);
    EXPECT_FALSE(link_.is_open());
    EXPECT_EQ(failure_signals_, 0);
}

TEST_F(FirmwareUpdate, UnsuitableImageAsksAndNoStopsBeforeTheLoader) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG10"});
    const UpdateResult r = run(sim, 2000, "PACK_A");
    EXPECT_EQ(r.outcome, UpdateOutcome::AbortedByUser);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0], kUnsuitableFirmwareQuestion);
    EXPECT_NE(questions_[0].find("verzie FW. Poskytnite sériové číslo zariadenia pre identifikáciu HW.\r\n\r\nChcete"),
              std::string::npos);
    std::vector<std::string> expected = head(sim, "SN:00000000000001HG10");
    expected.insert(expected.end(),
                    {"- checking FW compatibility ... Error", "- firmware update aborted by user !!!"});
    EXPECT_EQ(log_.lines(), expected);
    EXPECT_EQ(sim.stat("init_received"), 0);
    EXPECT_FALSE(link_.is_open());
    EXPECT_EQ(failure_signals_, 0);
}

TEST_F(FirmwareUpdate, UnsuitableImageWrittenAfterYes) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG10"});
    const UpdateResult r = run(sim, 1300, "PACK_A", true);
    EXPECT_EQ(r.outcome, UpdateOutcome::Written);
    EXPECT_EQ(questions_.size(), 1u);
    EXPECT_EQ(sim.recorded_image(), image_.bytes() + std::string(11 * 128 - 1300, '\xFF'));
}

TEST_F(FirmwareUpdate, ShortIdentificationMeansUnknownDeviceAndAQuestion) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG1", "--ident-tail", ""});
    const UpdateResult r = run(sim, 1500, "PACK_C");
    EXPECT_EQ(r.outcome, UpdateOutcome::AbortedByUser);
    EXPECT_EQ(r.device_pack, "[NONE]");
    EXPECT_EQ(questions_.size(), 1u);
    EXPECT_EQ(log_.lines()[2], "- SN:00000000000001HG1");
}

TEST_F(FirmwareUpdate, EchoAtTheThirdTryIsEnough) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HE00", "--echo-from", "3"});
    const UpdateResult r = run(sim, 1500, "PACK_A");
    EXPECT_EQ(r.outcome, UpdateOutcome::Written);
    EXPECT_EQ(log_.lines()[5], "- sending initialisation byte ... OK");
    EXPECT_EQ(sim.stat("init_received"), 3);
}

TEST_F(FirmwareUpdate, RefusedPageEndsThePageLoopButTheEndByteIsSent) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HC00", "--refuse-page", "5"});
    const UpdateResult r = run(sim, 20 * 128 - 60, "PACK_A");
    EXPECT_EQ(r.outcome, UpdateOutcome::NotAccepted);
    EXPECT_EQ(r.pages_accepted, 4);
    EXPECT_EQ(r.finish_code, 6);
    EXPECT_EQ(sim.stat("frames_received"), 5);
    EXPECT_EQ(sim.stat("end_received"), 1);
    const std::vector<std::string> tail(log_.lines().end() - 3, log_.lines().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"- uploading firmware image ... Error",
                                              "- page 5 refused by loader: 21 !!!",
                                              "- upload finishcode: 6 ... OK"}));
    EXPECT_EQ(sim.recorded_image(), image_.bytes().substr(0, 4 * 128));
    // Twenty pages: the bar moves on every second page.
    EXPECT_EQ(progress_.positions, (std::vector<int>{0, 2, 4, 0}));
}

TEST_F(FirmwareUpdate, FinishCodeOtherThanAcceptIsAnError) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HC10", "--finish-code", "0x15"});
    const UpdateResult r = run(sim, 1100, "PACK_A");
    EXPECT_EQ(r.outcome, UpdateOutcome::NotAccepted);
    EXPECT_EQ(log_.lines().back(), "- upload finishcode: 21 ... Error");
}

TEST_F(FirmwareUpdate, SilentLoaderStopsBeforeAnyPage) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG00", "--echo-from", "0"});
    const UpdateResult r = run(sim, 1100, "PACK_B");
    EXPECT_EQ(r.outcome, UpdateOutcome::LoaderSilent);
    const std::vector<std::string> tail(log_.lines().end() - 2, log_.lines().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"- sending initialisation byte ... Error",
                                              "- no answer from loader, firmware update stopped !!!"}));
    EXPECT_EQ(sim.stat("init_received"), kInitAttempts);
    EXPECT_EQ(sim.stat("start_received"), 0);
    EXPECT_EQ(sim.stat("frames_received"), 0);
    EXPECT_EQ(failure_signals_, 1);
    EXPECT_FALSE(link_.is_open());
}

TEST_F(FirmwareUpdate, LoaderFallingSilentHitsTheTimeLimit) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG00", "--silent-at-page", "3"});
    const auto start = std::chrono::steady_clock::now();
    const UpdateResult r = run(sim, 1100, "PACK_B");
    EXPECT_EQ(r.outcome, UpdateOutcome::ReplyTimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(log_.lines().back(), "- no reply from device within 1000 ms !!!");
    EXPECT_EQ(r.pages_accepted, 2);
    EXPECT_EQ(sim.stat("frames_received"), 3);
    EXPECT_EQ(sim.stat("end_received"), 0);
    EXPECT_EQ(failure_signals_, 1);
    EXPECT_FALSE(link_.is_open());
}

TEST_F(FirmwareUpdate, SilentStartReplyHitsTheTimeLimit) {
    SimulatedTracker sim({"--ident", "SN:00000000000001HG00", "--silent-start"});
    const UpdateResult r = run(sim, 1100, "PACK_B");
    EXPECT_EQ(r.outcome, UpdateOutcome::ReplyTimedOut);
    EXPECT_EQ(log_.lines().back(), "- no reply from device within 1000 ms !!!");
    EXPECT_EQ(sim.stat("frames_received"), 0);
}

TEST_F(FirmwareUpdate, PortThatCannotBeOpened) {
    SimulatedTracker sim;
    const UpdateResult r = run(sim, 1100, "PACK_B", false, "/nonexistent/ttyX");
    EXPECT_EQ(r.outcome, UpdateOutcome::LinkFailed);
    EXPECT_EQ(log_.lines(), (std::vector<std::string>{"- connected to device using serial port: /nonexistent/ttyX",
                                                      "- cannot open COM port !!!"}));
    EXPECT_EQ(failure_signals_, 1);
    EXPECT_EQ(progress_.positions.back(), 0);
}

}  // namespace
}  // namespace tripdesk::device
