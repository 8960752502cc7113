// The logbook, KML and MRP exports start from the same settings in the
// program's menus and on the command line: every setting lands in its field.
#include "export/export_settings.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace tripdesk;

namespace {

dbase::CalendarDate local_today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Every setting the three exports read, each with a value unlike its default
// and unlike the others, so a swapped or forgotten field shows.
app::Settings distinct_settings() {
    app::Settings s;
    s.frm_setexp.ResolutionKJ = 301;
    s.frm_setexp.ResolutionKML = 71;
    s.frm_setexp.IgnoreSluz = false;
    s.frm_setexp.IgnoreKrat = true;
    s.frm_setexp.DatabasesMRP = "/srv/mrp/Data0001";
    s.frm_setexp.OutputDirKJ = "/srv/kniha/KJ_GPS";
    s.frm_setexp.TimeOffMRP = -3;
    s.frm_main.Koeficient = 1.25;
    s.frm_main.Force20byte = true;
    return s;
}

TEST(ExportSettings, EverySettingLandsInItsField) {
    const app::Settings s = distinct_settings();

    const logbook::LogbookExportOptions kj = exports::logbook_export_settings(s);
    EXPECT_EQ(kj.resolution_m, 301);
    EXPECT_FALSE(kj.ignore_sluz);
    EXPECT_TRUE(kj.ignore_krat);
    EXPECT_DOUBLE_EQ(kj.day_file.koeficient, 1.25);
    EXPECT_TRUE(kj.day_file.force20byte);

    const kml::KmlExportOptions kml = exports::kml_export_settings(s);
    EXPECT_EQ(kml.resolution_m, 71);
    EXPECT_DOUBLE_EQ(kml.day_file.koeficient, 1.25);
    EXPECT_TRUE(kml.day_file.force20byte);

    const dbase::CalendarDate before = local_today();
    const mrp::MrpExportOptions mrp = exports::mrp_export_settings(s);
    const dbase::CalendarDate after = local_today();
    EXPECT_EQ(mrp.databases_folder, "/srv/mrp/Data0001");
    EXPECT_EQ(mrp.output_dir_kj, "/srv/kniha/KJ_GPS");
    EXPECT_EQ(mrp.time_offset, -3);
    EXPECT_TRUE(mrp.force20byte);
    const auto same = [](dbase::CalendarDate a, dbase::CalendarDate b) {
        return a.year == b.year && a.month == b.month && a.day == b.day;
    };
    EXPECT_TRUE(same(mrp.today, before) || same(mrp.today, after));  // midnight may pass meanwhile
}

}  // namespace
