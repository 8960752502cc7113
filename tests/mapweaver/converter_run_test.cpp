// The built converter on day files made in the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/atomic_file.h"
#include "converter_run.h"
#include "day_fixture.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace tripdesk::mapweaver::testing;
using Args = std::vector<std::string>;

namespace {

fs::path fresh_dir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("tripdesk_mapweaver_" + name + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

Args export_args(const fs::path& day, const fs::path& page) {
    return {day.string(), "BA-123AB", page.string(), "500", "110", "2", "??:??:??", "??:??:??", "???"};
}

const std::vector<track::Tgps_record> kDay =
    drive({{8 * 3600, 30, 50, false, 0.001, 0}, {9 * 3600, 30, 70, true, 0, 0.001}});

}  // namespace

TEST(Converter, WritesThePageOfADayFile) {
    const fs::path dir = fresh_dir("page");
    save_day((dir / "150309.GPS").string(), kDay);
    const fs::path page = dir / "BA-123AB_150309.html";
    const RunResult run = run_converter(export_args(dir / "150309.GPS", page), dir.string());
    ASSERT_EQ(run.status, 0) << run.stderr_text;
    const std::string html = read_whole_file(page.string());
    EXPECT_NE(html.find("<h1>BA-123AB</h1><p>nedeľa 15.03.2009</p>"), std::string::npos);
    EXPECT_NE(html.find("class=\"track private\""), std::string::npos);
    EXPECT_NE(html.find("<td class=\"num\">1</td><td>09:04:50</td><td>10:00:00</td>"), std::string::npos)
        << "the stop in the time shifted by an hour";
    EXPECT_NE(html.find("Leaflet 1.9.4"), std::string::npos) << "Leaflet is inlined from _gmaps/leaflet";
    for (const auto& entry : fs::directory_iterator(dir)) {
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

TEST(Converter, TwentyByteArgumentReadsKeyMarkedFilesInFiveWords) {
    // A file marked as carrying keys but holding 20-byte records, as some
    // trackers wrote them: only 20BYTE reads it right.
    const fs::path dir = fresh_dir("20byte");
    track::DayFileWriter plain(track::kMarkerImported);
    for (const auto& r : kDay) plain.add(r);
    std::string bytes = plain.bytes();
    write_file_atomically((dir / "150309.GPS").string(), bytes);
    bytes[0] = 0x11;  // marker 0x33333311, little-endian
    fs::create_directory(dir / "marked");
    write_file_atomically((dir / "marked" / "150309.GPS").string(), bytes);

    const auto page_of = [&](const fs::path& day, bool force20) {
        Args args = export_args(day, dir / "page.html");
        if (force20) args.push_back("20BYTE");
        const RunResult run = run_converter(args, dir.string());
        EXPECT_EQ(run.status, 0) << run.stderr_text;
        return read_whole_file((dir / "page.html").string());
    };
    const std::string expected = page_of(dir / "150309.GPS", false);
    EXPECT_EQ(page_of(dir / "marked" / "150309.GPS", true), expected);
    EXPECT_NE(page_of(dir / "marked" / "150309.GPS", false), expected);
}

TEST(Converter, FailuresSayWhyAndLeaveTheOldPage) {
    const fs::path dir = fresh_dir("fail");
    save_day((dir / "150309.GPS").string(), kDay);
    const fs::path page = dir / "page.html";
    write_file_atomically(page.string(), "old page");
    struct Case {
        const char* name;
        Args args;
        int status;
        const char* message;
    };
    Args bad_window = export_args(dir / "150309.GPS", page);
    bad_window[6] = "noon";
    const std::vector<Case> cases = {
        {"missing day file", export_args(dir / "010109.GPS", page), 3, "cannot read the day file"},
        {"day file is a folder", export_args(dir, page), 3, "cannot read the day file"},
        {"bad window", bad_window, 2, "usage: mapweaver"},
        {"too few arguments", Args{"x"}, 2, "expected 9 or 10 arguments"},
        {"page folder missing", export_args(dir / "150309.GPS", dir / "none" / "p.html"), 4, "cannot write the page"},
    };
    for (const auto& c : cases) {
        const RunResult run = run_converter(c.args, dir.string());
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_NE(run.stderr_text.find(c.message), std::string::npos) << c.name << ": " << run.stderr_text;
        EXPECT_EQ(read_whole_file(page.string()), "old page") << c.name;
    }
}
