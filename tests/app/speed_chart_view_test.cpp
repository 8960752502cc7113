// The speed chart drawn into the main window's strip, read back pixel by pixel.
#include <QLabel>
#include <QtTest>

#include <cstdio>

#include "app/ui/speed_chart_view.h"
#include "main_window_harness.h"
#include "track/day_file_writer.h"

using namespace tripdesk::track;
using tripdesk::testing::MainWindowHarness;
using tripdesk::ui::draw_speed_chart;

namespace {

Fix at(int hour, int min, int sec, int speed) {
    return fix(15, 3, 2009).time(hour, min, sec).speed(speed).lon(17.1f).lat(48.1f);
}

std::string save_day(const std::string& path, std::initializer_list<Fix> fixes, uint32_t marker = kMarkerWithKey) {
    DayFileWriter f(marker);
    for (const Fix& x : fixes) f.add(x, 0x78563412);
    f.save(path);
    return path;
}

QColor bar_colour(int y, int height) {
    const int g = 255 * y / height;
    return QColor(255 - g, g, 0);
}

const QColor kWhite(255, 255, 255);
const QColor kGrey(229, 229, 229);
const QColor kBand(31, 94, 139);

}  // namespace

class SpeedChartViewTest : public QObject {
    Q_OBJECT

    MainWindowHarness h;

    QImage strip() const { return h.main->img_tgrf->pixmap().toImage(); }
    QColor pixel(int x, int y) const { return strip().pixelColor(x, y); }
    // The strip 241 x 60: a column every 6 minutes, hour lines every 10 pixels.
    void size_strip(int w = 241, int hgt = 60) { h.main->img_tgrf->setGeometry(kStripLeft, 1, w, hgt); }
    static constexpr int kStripLeft = 237;

private slots:
    void initTestCase() { h.show(); }
    void init() { size_strip(); }

    void bars_run_from_green_at_the_bottom_to_red_at_the_top() {
        // 12:30 is column 125 (no hour line); 50 and 130 average to 90 km/h,
        // whose bar top is row 30. 03:30 (column 35) at 200 km/h fills the
        // strip up to the title band.
        const std::string path = save_day(h.data.file("150309.GPS"),
                                          {at(3, 30, 0, 200), at(12, 30, 0, 50), at(12, 30, 10, 130)});
        draw_speed_chart(*h.main, path);
        const QImage img = strip();
        QCOMPARE(img.size(), QSize(241, 60));
        QCOMPARE(img.pixelColor(125, 59), bar_colour(59, 60));  // (5, 250, 0)
        QCOMPARE(img.pixelColor(125, 45), bar_colour(45, 60));
        QCOMPARE(img.pixelColor(125, 30), bar_colour(30, 60));  // the top row of the bar
        QCOMPARE(img.pixelColor(125, 29), kWhite);
        QCOMPARE(img.pixelColor(124, 59), kWhite);              // a column without records
        QCOMPARE(img.pixelColor(35, 15), bar_colour(15, 60));   // just under the band
        QCOMPARE(img.pixelColor(35, 15), QColor(192, 63, 0));
        QCOMPARE(img.pixelColor(35, 14), kBand);                // the band covers the bar
    }

    void empty_day_is_white_with_the_hour_lines() {
        const std::string path = save_day(h.data.file("160309.GPS"), {});
        draw_speed_chart(*h.main, path);
        const QImage img = strip();
        QCOMPARE(img.size(), QSize(241, 60));
        for (int y = 15; y < 60; ++y) {
            for (int x = 0; x < 241; ++x) {
                const bool hour_line = x % 10 == 0 && x >= 10 && x <= 230;
                QCOMPARE(img.pixelColor(x, y), hour_line ? kGrey : kWhite);
            }
        }
    }

    void hour_lines_follow_the_strip_width() {
        size_strip(800, 50);
        const std::string path = save_day(h.data.file("170309.GPS"), {at(12, 0, 0, 60)});
        draw_speed_chart(*h.main, path);
        const QImage img = strip();
        QCOMPARE(img.size(), QSize(800, 50));
        QCOMPARE(img.pixelColor(33, 49), kGrey);    // trunc(799 / 24)
        QCOMPARE(img.pixelColor(34, 49), kWhite);
        QCOMPARE(img.pixelColor(765, 20), kGrey);   // trunc(23 * 799 / 24)
        QCOMPARE(img.pixelColor(399, 20), kGrey);   // hour 12, drawn over by the bar below its top
        QCOMPARE(img.pixelColor(399, 49), bar_colour(49, 50));
    }

    void title_band_holds_the_title() {
        const std::string a = save_day(h.data.file("180309.GPS"), {at(12, 0, 0, 70)});
        const std::string b = save_day(h.data.file("190309.GPS"), {at(12, 0, 0, 80)});
        draw_speed_chart(*h.main, a);
        const QImage first = strip();
        for (int x : {0, 120, 240}) {
            QCOMPARE(first.pixelColor(x, 0), kBand);
            QCOMPARE(first.pixelColor(x, 1), kBand);
        }
        QCOMPARE(first.pixelColor(240, 14), kBand);
        QCOMPARE(first.pixelColor(240, 15), kWhite);
        // White text inside the band, from x = 2 and y = 2 on.
        int light = 0;
        for (int y = 2; y < 15; ++y)
            for (int x = 0; x < 241; ++x) light += first.pixelColor(x, y).red() > 150;
        QVERIFY(light > 20);
        for (int y = 0; y < 15; ++y) QCOMPARE(first.pixelColor(0, y), kBand);
        // Another maximum changes the band (the title), not the rest.
        draw_speed_chart(*h.main, b);
        const QImage second = strip();
        QVERIFY(first.copy(0, 0, 241, 15) != second.copy(0, 0, 241, 15));
    }

    void missing_file_keeps_the_previous_picture() {
        const std::string path = save_day(h.data.file("200309.GPS"), {at(8, 0, 0, 100)});
        draw_speed_chart(*h.main, path);
        const QImage before = strip();
        QVERIFY(!before.isNull());
        QCOMPARE(std::remove(path.c_str()), 0);
        draw_speed_chart(*h.main, path);
        QCOMPARE(strip(), before);
        // A folder is no day file either; a new strip size does not matter then.
        size_strip(300, 40);
        draw_speed_chart(*h.main, h.data.path());
        QCOMPARE(strip(), before);
    }

    void force20byte_of_the_settings_reaches_the_reader() {
        // Read as 20-byte records, the first record's key word becomes the
        // status word of a second record (120 km/h) whose time word is the
        // real second record's distance word (0: column 0).
        DayFileWriter f(kMarkerWithKey);
        f.add(at(12, 30, 0, 50), encode_status(0, 0, 120, 0, 0, 0, 0));
        f.add(at(12, 30, 0, 50).lat(0.0f), 0);
        const std::string path = h.data.file("210309.GPS");
        f.save(path);
        draw_speed_chart(*h.main, path);
        QCOMPARE(pixel(125, 43), bar_colour(43, 60));  // 50 km/h: top at row 43
        QCOMPARE(pixel(125, 42), kWhite);
        QCOMPARE(pixel(0, 59), kWhite);
        h.main->settings().frm_main.Force20byte = true;
        draw_speed_chart(*h.main, path);
        h.main->settings().frm_main.Force20byte = false;
        QCOMPARE(pixel(0, 40), bar_colour(40, 60));  // (120 + 0) / 2 = 60 km/h: top at row 40
        QCOMPARE(pixel(0, 39), kWhite);
    }
};

QTEST_MAIN(SpeedChartViewTest)
#include "speed_chart_view_test.moc"
