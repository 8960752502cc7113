// The KML export: the document lines, thinning, colours and dates.
#include "common/atomic_file.h"
#include "common/c_format.h"
#include "export/kml_export.h"
#include "export/recording_progress.h"
#include "export/scratch_folder.h"
#include "track/day_file_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tripdesk;
using tripdesk::kml::KmlDay;
using tripdesk::kml::KmlExportOptions;
using tripdesk::testing::RecordingProgress;
using tripdesk::testing::ScratchFolder;
using tripdesk::track::DayFileWriter;
using tripdesk::track::fix;

namespace {

std::string placemark(const std::string& when, const std::string& distance, const std::string& name,
                      const std::string& colour, const std::string& points) {
    return "<Placemark>\r\n<TimeStamp>\r\n  <when>" + when + "</when>\r\n</TimeStamp>\r\n<description>\r\n  Trasa: " +
           distance + " \r\n</description>\r\n<name>" + name +
           "</name>\r\n<visibility>1</visibility>\r\n<open>0</open>\r\n<Style>\r\n  <LineStyle>\r\n    <color>" +
           colour +
           "</color>\r\n    <width>4.0</width>\r\n  </LineStyle>\r\n</Style>\r\n<LineString>\r\n  "
           "<extrude>1</extrude>\r\n  <tessellate>1</tessellate>\r\n  <coordinates>\r\n" +
           points + "  </coordinates>\r\n</LineString>\r\n</Placemark>\r\n";
}

class KmlExportTest : public ::testing::Test {
protected:
    KmlExportTest() : scratch_("kml_export") { card_ = scratch_.folder("card"); }

    std::string run(const std::vector<KmlDay>& days, int resolution = 50) {
        KmlExportOptions o;
        o.drive_folder = card_;
        o.days = days;
        o.output_path = scratch_.file("out");
        o.resolution_m = resolution;
        RecordingProgress progress;
        const auto result = kml::export_kml(o, progress);
        EXPECT_EQ(result.path, scratch_.file("out.KML"));
        EXPECT_EQ(progress.titles, std::vector<std::string>{"Export záznamov do KML ..."});
        EXPECT_EQ(progress.statuses.back(), " - exportovanie záznamov do Google Earth (KML) dokončené ...");
        return read_whole_file(result.path);
    }

    ScratchFolder scratch_;
    std::string card_;
};

TEST_F(KmlExportTest, WritesTheDocumentWithThinnedPointsAndNoValidityTests) {
    DayFileWriter day(track::kMarkerWithKey);
    // Threshold at 50 m: more than 499 units. The first record is written only
    // because its own step already exceeds it; speed 251 and hour 24 are drawn.
    day.add(fix(12, 8, 2010).time(8, 0, 0).trian(500).lon(17.125f).lat(48.25f), 0x11);
    day.add(fix(12, 8, 2010).time(8, 0, 1).trian(499).lon(17.5f).lat(48.5f), 0x11);
    day.add(fix(12, 8, 2010).time(24, 0, 2).speed(251).trian(1).lon(-7.75f).lat(-48.0625f), 0x11);
    day.save(card_ + "/120810.GPS");
    const std::string expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                 "<kml xmlns=\"http://earth.google.com/kml/2.0\">\r\n"
                                 "<Document>\r\n"
                                 "<TimeSpan><begin>2010-08-12</begin></TimeSpan>\r\n" +
                                 placemark("2010-08-12", "0.10 km", "120810.GPS", "ff00aaff",
                                           "  17.125000,48.250000,0\r\n  -7.750000,-48.062500,0\r\n") +
                                 "<TimeSpan><end>2010-08-12</end></TimeSpan>\r\n</Document>\r\n</kml>\r\n";
    EXPECT_EQ(run({{1, "120810.GPS", "0.10 km"}}), expected);
}

TEST_F(KmlExportTest, ShortStepsGiveAnEmptyCoordinatesListAndDistanceRestartsPerDay) {
    DayFileWriter a(track::kMarkerImported);
    for (int i = 0; i < 4; ++i) a.add(fix(1, 3, 2009).time(8, 0, i).trian(124).lon(1.0f).lat(2.0f));
    a.save(card_ + "/010309.GPS");
    DayFileWriter b(track::kMarkerImported);
    b.add(fix(2, 3, 2009).time(8, 0, 0).trian(3).lon(3.0f).lat(4.0f));
    b.save(card_ + "/020309.GPS");
    // 4 x 124 = 496 units stay under 50 m; day two starts again from 0.
    const std::string doc = run({{4, "010309.GPS", "0.05 km"}, {5, "020309.GPS", "0.00 km"}});
    EXPECT_EQ(doc.find(",0\r\n"), std::string::npos);
    EXPECT_NE(doc.find(placemark("2009-03-01", "0.05 km", "010309.GPS", "ff00aaff", "")), std::string::npos);
    EXPECT_NE(doc.find("<TimeSpan><begin>2009-03-01</begin></TimeSpan>"), std::string::npos);
    EXPECT_NE(doc.find("<TimeSpan><end>2009-03-02</end></TimeSpan>"), std::string::npos);
}

TEST_F(KmlExportTest, EmptyAndHeaderOnlyFilesGivePlacemarksWithoutPoints) {
    scratch_.touch("card/030309.GPS", "");
    DayFileWriter(track::kMarkerWithKey).save(card_ + "/040309.GPS");
    const std::string doc = run({{1, "030309.GPS", "0.00 km"}, {2, "040309.GPS", "0.00 km"}});
    EXPECT_NE(doc.find(placemark("2009-03-03", "0.00 km", "030309.GPS", "ff00aaff", "")), std::string::npos);
    EXPECT_NE(doc.find(placemark("2009-03-04", "0.00 km", "040309.GPS", "ff7f00ff", "")), std::string::npos);
}

TEST_F(KmlExportTest, CoordinatesAreWrittenAsPrintfWritesThem) {
    const float values[] = {0.0f,       -0.0f,      1e-7f,         5e-7f,     123.4567895f, -179.9999995f,
                            1e10f,      -3.4e38f,   17.0000005f,   0.1f,      std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), std::nanf("")};
    DayFileWriter day(track::kMarkerImported);
    std::string expected;
    for (const float v : values) {
        day.add(fix(1, 1, 2010).trian(1000).lon(v).lat(-v));
        expected += c_format("  %9.6f,%9.6f,0\r\n", static_cast<double>(v), static_cast<double>(-v));
    }
    day.save(card_ + "/010110.GPS");
    const std::string doc = run({{1, "010110.GPS", "1.30 km"}});
    EXPECT_NE(doc.find("  <coordinates>\r\n" + expected + "  </coordinates>"), std::string::npos) << doc;
}

TEST(KmlRows, ColoursFollowTheAbsoluteRowIndex) {
    EXPECT_STREQ(kml::row_colour(4), "ff00aaff");
    EXPECT_STREQ(kml::row_colour(5), "ff7f00ff");
    EXPECT_STREQ(kml::row_colour(6), "ffff5500");
    EXPECT_STREQ(kml::row_colour(1), "ff00aaff");
}

TEST(KmlRows, DatesComeFromTheFileName) {
    EXPECT_EQ(kml::iso_date_of_day_file("120810.GPS"), "2010-08-12");
    EXPECT_EQ(kml::iso_date_of_day_file("311299.gps"), "2099-12-31");
    EXPECT_EQ(kml::with_kml_extension("a.kml"), "a.kml");
    EXPECT_EQ(kml::with_kml_extension("a.kmz"), "a.kmz.KML");
}

}  // namespace
