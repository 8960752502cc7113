// The converter's page rendered by headless Chromium, offline: the SVG sketch
// draws the track in its colours, and Leaflet builds its map from the page's
// data (its tiles cannot load, which the page then says).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <cstdio>
#include <filesystem>

#include "common/atomic_file.h"
#include "converter_run.h"
#include "day_fixture.h"
#include "mapweaver/page_colours.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using namespace tripdesk::mapweaver;
using namespace tripdesk::mapweaver::testing;

namespace {

// Runs Chromium on the page with a fresh profile and every host name failing
// to resolve, so nothing leaves the machine. Returns its standard output.
std::string chromium(const fs::path& dir, const std::string& mode, const fs::path& page) {
    const fs::path profile = dir / "profile";
    fs::remove_all(profile);
    fs::create_directories(profile);
    const std::string command =
        "/usr/bin/chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync --hide-scrollbars "
        "--host-resolver-rules='MAP * ~NOTFOUND' --window-size=1100,1700 --virtual-time-budget=3000 "
        "--user-data-dir='" + profile.string() + "' " + mode + " 'file://" + page.string() + "' 2>/dev/null";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
        ::pclose(pipe);
    }
    return out;
}

// Pixels of exactly this colour (give or take anti-aliasing's last bits).
int pixels_of(const QImage& image, const char* colour) {
    const QColor want(colour);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) <= 4 && std::abs(c.green() - want.green()) <= 4 &&
                std::abs(c.blue() - want.blue()) <= 4) {
                ++count;
            }
        }
    }
    return count;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class PageRender : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tripdesk_render_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // Business east, a long stop, private north.
        save_day((dir_ / "150309.GPS").string(),
                 drive({{8 * 3600, 40, 50, false, 0.0008, 0.0012}, {9 * 3600, 40, 60, true, 0.0005, 0.001}}));
        page_ = dir_ / "BA-123AB_150309.html";
        const RunResult run = run_converter({(dir_ / "150309.GPS").string(), "BA-123AB", page_.string(), "500", "110",
                                             "0", "??:??:??", "??:??:??", "???"},
                                            dir_.string());
        ASSERT_EQ(run.status, 0) << run.stderr_text;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_, page_;
};

}  // namespace

TEST_F(PageRender, TheSketchDrawsTheTrackInItsColours) {
    const fs::path shot = dir_ / "shot.png";
    chromium(dir_, "--screenshot='" + shot.string() + "'", page_);
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(shot.string()))) << "no screenshot";
    // The legend's swatches hold about 110 pixels of each colour; the interactive
    // map draws its lines translucent, so the rest comes from the sketch's lines.
    EXPECT_GT(pixels_of(image, kBusinessColour), 1000);
    EXPECT_GT(pixels_of(image, kPrivateColour), 1000);
    EXPECT_GT(pixels_of(image, kStopColour), 100);
}

TEST_F(PageRender, LeafletBuildsTheMapFromThePageData) {
    const std::string dom = chromium(dir_, "--dump-dom", page_);
    ASSERT_NE(dom.find("leaflet-container"), std::string::npos) << dom.substr(0, 400);
    // Two lines, two trip starts, one stop and the day's last point.
    EXPECT_EQ(count(dom, "<path class=\"leaflet-interactive\""), 6u);
    EXPECT_NE(dom.find("<p id=\"map-note\">Mapové podklady nie sú dostupné"), std::string::npos);
}

TEST_F(PageRender, AGoogleMapsPageOfflineSaysWhyItHasNoMap) {
    const fs::path page = dir_ / "google.html";
    const RunResult run = run_converter({(dir_ / "150309.GPS").string(), "BA-123AB", page.string(), "500", "110", "0",
                                         "??:??:??", "??:??:??", "AIzaExampleKey"},
                                        dir_.string());
    ASSERT_EQ(run.status, 0) << run.stderr_text;
    const std::string dom = chromium(dir_, "--dump-dom", page);
    EXPECT_EQ(dom.find("leaflet-container"), std::string::npos);
    EXPECT_NE(dom.find("<p id=\"map-note\">Google Maps nie sú dostupné"), std::string::npos);
    EXPECT_NE(dom.find("class=\"track private\""), std::string::npos);
}
