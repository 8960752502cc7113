#include "mapweaver/map_page.h"

#include <gtest/gtest.h>

#include "day_fixture.h"
#include "mapweaver/page_colours.h"

using namespace tripdesk::mapweaver;
using namespace tripdesk::mapweaver::testing;

namespace {

DayPage sample_page(const std::string& label, const std::string& key) {
    DayPage page;
    page.vehicle_label = label;
    page.date_text = "nedeľa 15.03.2009";
    page.points = day_track(drive({{8 * 3600, 20, 50, false, 0.001, 0}, {9 * 3600, 20, 50, true, 0, 0.001}}), {});
    page.stops = find_stops(page.points, 110);
    page.runs = line_runs(page.points, thinned_points(page.points, 0, page.stops));
    page.figures = day_figures(page.points, 110);
    page.map_key = key;
    return page;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

const MapLibrary kLibrary{"/*LEAFLET-SCRIPT*/", "/*LEAFLET-STYLE*/"};

}  // namespace

TEST(MapPage, TheSketchHoldsBothColoursAndTheStop) {
    const std::string html = map_page_html(sample_page("BA-123AB", "???"), &kLibrary);
    EXPECT_EQ(count(html, "<svg id=\"sketch\""), 1u);
    EXPECT_EQ(count(html, "class=\"track business\""), 1u);
    EXPECT_EQ(count(html, "class=\"track private\""), 1u);
    EXPECT_EQ(count(html, "<g class=\"stop\">"), 1u);
    EXPECT_NE(html.find("<title>BA-123AB – nedeľa 15.03.2009"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"num\">1</td><td>08:03:10</td><td>09:00:00</td><td>0:56:50</td>"), std::string::npos);
}

TEST(MapPage, TheKeyChoosesTheMapLibrary) {
    const std::string leaflet = map_page_html(sample_page("A", "???"), &kLibrary);
    EXPECT_NE(leaflet.find("/*LEAFLET-SCRIPT*/"), std::string::npos);
    EXPECT_NE(leaflet.find("/*LEAFLET-STYLE*/"), std::string::npos);
    EXPECT_EQ(leaflet.find("maps.googleapis.com"), std::string::npos);

    const std::string google = map_page_html(sample_page("A", "k&y \"x\""), &kLibrary);
    EXPECT_EQ(google.find("/*LEAFLET-SCRIPT*/"), std::string::npos);
    EXPECT_NE(google.find("https://maps.googleapis.com/maps/api/js?key=k%26y%20%22x%22&amp;callback=initMap"),
              std::string::npos);

    // Without Leaflet's files and without a key, the page keeps its sketch only.
    const std::string bare = map_page_html(sample_page("A", ""), nullptr);
    EXPECT_EQ(bare.find("id=\"map\""), std::string::npos);
    EXPECT_NE(bare.find("<svg id=\"sketch\""), std::string::npos);
}

TEST(MapPage, DataTextsCannotBecomeMarkup) {
    const std::string html = map_page_html(sample_page("<script>alert(1)</script>&", "???"), &kLibrary);
    EXPECT_EQ(html.find("<script>alert"), std::string::npos);
    EXPECT_NE(html.find("<h1>&lt;script&gt;alert(1)&lt;/script&gt;&amp;</h1>"), std::string::npos);
}

TEST(MapPage, ADayWithoutPointsStillGetsAPage) {
    DayPage page;
    page.vehicle_label = "A";
    const std::string html = map_page_html(page, &kLibrary);
    EXPECT_NE(html.find("Žiadne platné záznamy"), std::string::npos);
    EXPECT_NE(html.find("Žiadne zastavenia."), std::string::npos);
    EXPECT_EQ(html.find("id=\"map\""), std::string::npos);
}
