#include "mapweaver/converter_arguments.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tripdesk::mapweaver;
using Args = std::vector<std::string>;

namespace {
Args export_args() {
    return {"/card/150309.GPS", "BA-123AB", "/out/BA-123AB_150309.html", "500", "110", "2", "??:??:??", "??:??:??", "???"};
}
}  // namespace

TEST(ConverterArguments, ReadsTheListTheExportBuilds) {
    ConverterArguments a = parse_converter_arguments(export_args());
    EXPECT_EQ(a.day_file, "/card/150309.GPS");
    EXPECT_EQ(a.vehicle_label, "BA-123AB");
    EXPECT_EQ(a.page_path, "/out/BA-123AB_150309.html");
    EXPECT_EQ(a.resolution_units, 500);
    EXPECT_EQ(a.min_stop_s, 110);
    EXPECT_EQ(a.time_off_half_hours, 2);
    EXPECT_FALSE(a.window_start_s || a.window_end_s);
    EXPECT_FALSE(a.force20byte);
    EXPECT_FALSE(has_map_key(a.map_key));

    Args with = export_args();
    with[5] = "-24";
    with[6] = "12:00:00";
    with[7] = "24:00:00";
    with[8] = " AIzaKey ";
    with.push_back("20BYTE");
    a = parse_converter_arguments(with);
    EXPECT_EQ(a.time_off_half_hours, -24);
    EXPECT_EQ(a.window_start_s, 43200);
    EXPECT_EQ(a.window_end_s, 86400);
    EXPECT_TRUE(has_map_key(a.map_key));
    EXPECT_TRUE(a.force20byte);
}

TEST(ConverterArguments, RejectsWhatItCannotUse) {
    const std::vector<std::pair<size_t, std::string>> bad = {
        {3, "fifty"}, {3, "-1"}, {4, "1.5"}, {5, "49"}, {6, "25:00:00"}, {7, "12:60:00"}, {6, "??:??"}, {0, ""}, {2, ""},
    };
    for (const auto& [index, value] : bad) {
        Args args = export_args();
        args[index] = value;
        EXPECT_THROW(parse_converter_arguments(args), std::invalid_argument) << index << " = " << value;
    }
    Args extra = export_args();
    extra.push_back("24BYTE");
    EXPECT_THROW(parse_converter_arguments(extra), std::invalid_argument);
    EXPECT_THROW(parse_converter_arguments(Args(8, "1")), std::invalid_argument);
}

TEST(ConverterArguments, WindowBounds) {
    const std::vector<std::pair<std::string, std::optional<int>>> good = {
        {"??:??:??", std::nullopt}, {"00:00:00", 0}, {"07:05:09", 7 * 3600 + 5 * 60 + 9},
        {"7:05", 7 * 3600 + 300},   {"24:00:00", 86400},
    };
    for (const auto& [text, seconds] : good) EXPECT_EQ(parse_window_bound(text), seconds) << text;
    for (const char* text : {"", "24:00:01", "12:00:00x", "12::00", "123:00:00", "ab:cd:ef", "12:00:00:00"}) {
        EXPECT_THROW(parse_window_bound(text), std::invalid_argument) << text;
    }
}

TEST(ConverterArguments, OnlyARealKeyCounts) {
    for (const char* key : {"", "   ", "???"}) EXPECT_FALSE(has_map_key(key)) << '"' << key << '"';
    EXPECT_TRUE(has_map_key("AIzaSyExample"));
}
