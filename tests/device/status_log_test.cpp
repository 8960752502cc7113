#include <gtest/gtest.h>

#include "device/failure_signal.h"
#include "device/status_log.h"

namespace tripdesk::device {
namespace {

TEST(LineLog, AppendJoinsWithOneBlankAndRawAppendSplitsLines) {
    LineLog log;
    log.append("OK");  // appending to an empty log makes a line
    log.add_line("- reading serial number ...");
    log.append("OK");
    log.add_line("");
    log.append_raw("$GPRMC,1\r\n$GPRMC,2\npartial");
    log.append_raw(" line\r");
    log.append_raw("\n");  // a CR LF split across two reads is one break
    EXPECT_EQ(log.lines(), (std::vector<std::string>{" OK", "- reading serial number ... OK", "$GPRMC,1",
                                                     "$GPRMC,2", "partial line", ""}));
}

class RecordingSleeper : public Sleeper {
public:
    explicit RecordingSleeper(std::vector<std::string>& events) : events_(events) {}
    void sleep_ms(int ms) override { events_.push_back(std::to_string(ms)); }

private:
    std::vector<std::string>& events_;
};

TEST(FailureSignal, BlinksThreeTimesAndEndsBlank) {
    std::vector<std::string> events;
    RecordingSleeper sleeper(events);
    blink_failure_signal([&](const std::string& text) { events.push_back("[" + text + "]"); }, sleeper);
    std::vector<std::string> once{"[!!!]", "260", "[   ]", "140"};
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace tripdesk::device
