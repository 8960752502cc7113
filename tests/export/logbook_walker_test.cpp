// The record rules of the logbook export, on day files built word by word.
#include "export/logbook_line.h"
#include "export/logbook_walker.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using tripdesk::logbook::LogbookRules;
using tripdesk::logbook::LogbookWalker;
using tripdesk::track::DayFileWriter;
using tripdesk::track::Fix;
using tripdesk::track::fix;
using tripdesk::track::kMarkerImported;
using tripdesk::track::kMarkerWithKey;

namespace {

struct DayFile {
    std::string name;
    std::vector<Fix> fixes;
    uint32_t marker = kMarkerWithKey;
};

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "line without CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// "code hh:mm:ss distance" of each written line, the parts a rule decides.
std::vector<std::string> summaries(const std::string& text) {
    std::vector<std::string> out;
    int expected_number = 0;
    for (const auto& line : split_lines(text)) {
        std::istringstream in(line);
        std::vector<std::string> t;
        for (std::string token; in >> token;) t.push_back(token);
        EXPECT_GE(t.size(), 14u) << line;
        if (t.size() < 14) continue;
        EXPECT_EQ(std::stoi(t[0]), expected_number++) << "line numbers count up from 0";
        auto two = [](const std::string& s) { return s.size() == 1 ? "0" + s : s; };
        out.push_back(t[2] + " " + two(t[5]) + ":" + two(t[6]) + ":" + two(t[7]) + " " + t[12]);
    }
    return out;
}

std::string walk(const std::vector<DayFile>& files, const LogbookRules& rules) {
    LogbookWalker walker(rules);
    std::string out;
    for (const auto& f : files) {
        DayFileWriter w(f.marker);
        for (const auto& x : f.fixes) w.add(x, 0x78563412);
        walker.add_day_file(w.bytes(), f.name, out);
    }
    return out;
}

Fix at(int h, int m, int s) { return fix(15, 3, 2009).time(h, m, s).speed(40).lat(48.125f).lon(17.25f); }

LogbookRules rules(int resolution = 250, bool ignore_sluz = true, bool ignore_krat = false) {
    LogbookRules r;
    r.resolution_m = resolution;
    r.ignore_sluz = ignore_sluz;
    r.ignore_krat = ignore_krat;
    return r;
}

struct Case {
    const char* what;
    LogbookRules rules;
    std::vector<DayFile> files;
    std::vector<std::string> expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class LogbookRulesTest : public ::testing::TestWithParam<Case> {};

TEST_P(LogbookRulesTest, WritesTheExpectedLines) {
    const Case& c = GetParam();
    EXPECT_EQ(summaries(walk(c.files, c.rules)), c.expected) << c.what;
}

const Case kCases[] = {
    {"a track point once the leg exceeds 1299 units at 130 m; one long step writes at once",
     rules(130),
     {{"150309.GPS", {at(8, 0, 0), at(8, 0, 1).trian(1299), at(8, 0, 2).trian(1), at(8, 0, 3).trian(1300)}}},
     {"80cf 08:00:00 0.00", "00cf 08:00:02 0.13", "00cf 08:00:03 0.26"}},
    {"the first valid record of each file starts a trip, whatever New and IgnoreKrat say; skipped records "
     "still add their distance",
     rules(250, true, true),
     {{"150309.GPS", {at(8, 0, 0), at(8, 0, 1).trian(3000)}},
      {"160309.GPS",
       {fix(16, 3, 2009).time(0, 0, 0).trian(100), fix(16, 3, 2009).time(9, 0, 0).trian(500)}}},
     {"80cf 08:00:00 0.00", "00cf 08:00:01 0.30", "80cf 09:00:00 0.06"}},
    {"a record earlier than the one before writes nothing and becomes the reference",
     rules(),
     {{"150309.GPS", {at(10, 0, 0), at(9, 59, 59).trian(5000), at(10, 0, 0), at(9, 59, 0).trian(1)}}},
     {"80cf 10:00:00 0.00", "00cf 10:00:00 0.50"}},
    {"a first record at 00:00:00 is out of sequence",
     rules(),
     {{"150309.GPS", {at(0, 0, 0), at(0, 0, 1)}}},
     {"80cf 00:00:01 0.00"}},
    {"250 km/h writes nothing, 249 does",
     rules(),
     {{"150309.GPS", {at(8, 0, 0), at(8, 0, 1).speed(250).trian(3000), at(8, 0, 2).speed(249)}}},
     {"80cf 08:00:00 0.00", "00cf 08:00:02 0.30"}},
    {"minute 60 or hour 24 writes nothing",
     rules(),
     {{"150309.GPS", {at(8, 0, 0), at(8, 60, 0).trian(3000), at(9, 0, 1), at(24, 0, 0).trian(3000)}}},
     {"80cf 08:00:00 0.00", "00cf 09:00:01 0.30"}},
    {"a record dated otherwise than its file writes nothing; the date rule accepts a lower-case extension",
     rules(),
     {{"150309.gps", {fix(16, 3, 2009).time(8, 0, 0), fix(15, 3, 2010).time(8, 0, 1), at(8, 0, 2)}}},
     {"80cf 08:00:02 0.00"}},
    {"IgnoreSluz on: only business codes, but a change of the private flag still starts a trip",
     rules(250, true),
     {{"150309.GPS", {at(8, 0, 0).priv(), at(8, 0, 1).priv().trian(3000), at(8, 0, 2).trian(10)}}},
     {"80cf 08:00:00 0.00", "00cf 08:00:01 0.30", "80cf 08:00:02 0.00"}},
    {"IgnoreSluz off: private trips get their own codes",
     rules(250, false),
     {{"150309.GPS", {at(8, 0, 0).priv(), at(8, 0, 1).priv().trian(3000), at(8, 0, 2).trian(10)}}},
     {"a0cf 08:00:00 0.00", "20cf 08:00:01 0.30", "80cf 08:00:02 0.00"}},
    {"IgnoreKrat on: a trip start under 3 km continues the trip; from 3 km on it starts a new one",
     rules(250, true, true),
     {{"150309.GPS",
       {at(8, 0, 0), at(8, 0, 1).new_trip().trian(1000), at(8, 0, 2).new_trip().trian(29000),
        at(8, 0, 3).new_trip().trian(100)}}},
     {"80cf 08:00:00 0.00", "00cf 08:00:02 3.00", "80cf 08:00:03 0.01"}},
    {"IgnoreKrat on: a change of the private flag starts a trip even under 3 km",
     rules(250, true, true),
     {{"150309.GPS", {at(8, 0, 0), at(8, 0, 1).priv().trian(1000)}}},
     {"80cf 08:00:00 0.00", "80cf 08:00:01 0.10"}},
    {"IgnoreKrat off: every trip-start flag starts a trip",
     rules(250, true, false),
     {{"150309.GPS", {at(8, 0, 0), at(8, 0, 1).new_trip().trian(1000)}}},
     {"80cf 08:00:00 0.00", "80cf 08:00:01 0.10"}},
    {"empty files add no lines and the numbering goes on across files",
     rules(),
     {{"150309.GPS", {at(8, 0, 0)}}, {"160309.GPS", {}}, {"170309.GPS", {fix(17, 3, 2009).time(7, 0, 0)}}},
     {"80cf 08:00:00 0.00", "80cf 07:00:00 0.00"}},
};

INSTANTIATE_TEST_SUITE_P(Records, LogbookRulesTest, ::testing::ValuesIn(kCases));

TEST(LogbookLines, CarryTheRecordFieldsInTheFixedLayout) {
    const Fix f = fix(15, 3, 2009).time(8, 0, 5).speed(50).lat(48.125f).lon(17.25f);
    EXPECT_EQ(split_lines(walk({{"150309.GPS", {f}}}, rules())),
              std::vector<std::string>{
                  "    0 01 80cf  2 15  8  0  5  109   48.125000   17.250000  50   0.00 04 12345600"});
    EXPECT_EQ(split_lines(walk({{"150309.GPS", {f}, kMarkerImported}}, rules())),
              std::vector<std::string>{
                  "    0 01 80cf  2 15  8  0  5  109   48.125000   17.250000  50   0.00 04 "});
}

TEST(LogbookLines, Force20byteReadsKeyedFilesWithoutTheKey) {
    LogbookRules r = rules();
    r.day_file.force20byte = true;
    DayFileWriter w(kMarkerWithKey);
    w.add(at(8, 0, 0), 0x78563412);
    LogbookWalker walker(r);
    std::string out;
    walker.add_day_file(w.bytes(), "150309.GPS", out);
    // The key word becomes the status word of a cut record, which is no valid
    // fix; the one line carries no key.
    const auto lines = split_lines(out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 3), "04 ");
}

TEST(LogbookLines, DistancesUseTheCoefficient) {
    LogbookRules r = rules();
    r.day_file.koeficient = 1.5;
    EXPECT_EQ(summaries(walk({{"150309.GPS", {at(8, 0, 0), at(8, 0, 1).trian(2000)}}}, r)),
              (std::vector<std::string>{"80cf 08:00:00 0.00", "00cf 08:00:01 0.30"}));
}

TEST(LogbookLines, KeyTextKeepsThreeBytesAndEndsInZeros) {
    EXPECT_EQ(tripdesk::logbook::logbook_key_text(0x78563412), "12345600");
    EXPECT_EQ(tripdesk::logbook::logbook_key_text(0), "00000000");
    EXPECT_EQ(tripdesk::logbook::logbook_key_text(0xFFABCDEF), "efcdab00");
}

}  // namespace
