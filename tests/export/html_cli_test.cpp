// `tripdesk export html` on a card folder made in the test: the pages of the
// selected days are written by the real converter and printed, nothing is
// opened, and a selection without days fails with the program's text.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "common/atomic_file.h"
#include "track/day_file_writer.h"

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun tripdesk_cli(const std::string& arguments) {
    const std::string command = std::string(TRIPDESK_BIN_DIR) + "/tripdesk " + arguments + " 2>/dev/null";
    CliRun run;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) run.out.append(buf, n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}

class HtmlCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tripdesk_html_cli_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "card");
        fs::create_directories(dir_ / "home");
        for (int day : {14, 15, 16}) {
            track::DayFileWriter writer(track::kMarkerWithKey);
            for (int i = 0; i < 20; ++i) {
                writer.add(track::fix(day, 3, 2009).time(8, i, 0).speed(40).trian(4000).lat(48.1f + 0.002f * i).lon(17.1f),
                           0);
            }
            writer.save((dir_ / "card" / track::day_file_name(day, 3, 9)).string());
        }
        write_file_atomically((dir_ / "card" / "_image.inf").string(), "BA-123AB\r\n\r\n\r\n\r\n\r\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string base() const {
        return "--home '" + (dir_ / "home").string() + "' --set 'FRM_SETEXP.OutputDirHTML=" + (dir_ / "pages").string() +
               "' export html '" + (dir_ / "card").string() + "' ";
    }
    fs::path dir_;
};

}  // namespace

TEST_F(HtmlCli, PrintsThePagesOfTheSelectedDays) {
    const CliRun run = tripdesk_cli(base() + "--from 2009-03-15 --to 2009-03-16 --window 08:05:00-24:00:00");
    ASSERT_EQ(run.status, 0);
    const std::string pages = (dir_ / "pages").string();
    EXPECT_EQ(run.out, pages + "/BA-123AB_150309.html\n" + pages + "/BA-123AB_160309.html\n");
    const std::string html = read_whole_file(pages + "/BA-123AB_150309.html");
    EXPECT_NE(html.find("časové okno 08:05:00 – 24:00:00"), std::string::npos);
    EXPECT_FALSE(fs::exists(pages + "/BA-123AB_140309.html"));
}

TEST_F(HtmlCli, FailsWithoutDaysOrWithABadWindow) {
    EXPECT_EQ(tripdesk_cli(base() + "--from 2009-04-01 --to 2009-04-30").status, 1);
    EXPECT_EQ(tripdesk_cli(base() + "--from 2009-03-15 --to 2009-03-16 --window 8-9").status, 2);
    // A window the converter refuses leaves the page missing: reported, not success.
    EXPECT_EQ(tripdesk_cli(base() + "--from 2009-03-15 --to 2009-03-15 --window 25:00:00-26:00:00").status, 1);
}

TEST_F(HtmlCli, AnEmailThatCannotGoOutFailsTheRunButKeepsThePages) {
    const CliRun run = tripdesk_cli("--set FRM_SETEXP.EmailHTML=1 --set EMAIL.Host=127.0.0.1 --set EMAIL.Port=1 " +
                                    base() + "--from 2009-03-14 --to 2009-03-14");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, (dir_ / "pages").string() + "/BA-123AB_140309.html\n");
}
