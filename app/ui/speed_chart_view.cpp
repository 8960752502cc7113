#include "app/ui/speed_chart_view.h"

#include <sys/stat.h>

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <vector>

#include "app/ui/frm_main.h"
#include "common/io_error.h"

namespace tripdesk::ui {

namespace {

const QRgb kBackground = qRgb(255, 255, 255);
const QRgb kHourLine = qRgb(229, 229, 229);
const QRgb kTitleBand = qRgb(31, 94, 139);

bool is_existing_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A small sans font for the title: about 9 pixels, the size of a 7-point
// bitmap font at 96 dpi, so the line fits the 15-pixel band. Pixel size, not
// points, so the band looks the same at every screen resolution.
QFont title_font() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(9);
    return font;
}

}  // namespace

QImage render_speed_chart(const track::SpeedChart& chart, const QString& title) {
    const int w = chart.width;
    const int h = chart.height;
    if (w < 1 || h < 1) return {};
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBackground);

    // Hour lines over the full height.
    std::vector<int> line_x;
    for (int i = 1; i <= 23; ++i) line_x.push_back(track::speed_chart_hour_line(i, w));

    // The bar colour depends on the row only: one colour per row, and a bar
    // covers the rows from its top down to the bottom edge.
    const int* tops = chart.tops.data();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (const int x : line_x) line[x] = kHourLine;
        const int g = track::speed_chart_green(y, h);
        const QRgb bar = qRgb(255 - g, g, 0);
        for (int x = 0; x < w; ++x)
            if (tops[x] <= y) line[x] = bar;
    }

    // The title band and the title.
    const int band = std::min(track::kSpeedChartTitleBand, h);
    for (int y = 0; y < band; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line, line + w, kTitleBand);
    }
    QPainter painter(&image);
    painter.setFont(title_font());
    painter.setPen(Qt::white);
    painter.drawText(QRect(2, 2, w - 2, h - 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);
    painter.end();
    return image;
}

void draw_speed_chart(QLabel& strip, const std::string& day_file_path, const track::DayFileOptions& options) {
    if (!is_existing_file(day_file_path)) return;
    std::string bytes;
    try {
        track::read_day_file_into(day_file_path, bytes);
    } catch (const IoError&) {
        if (!is_existing_file(day_file_path)) return;  // deleted between the check and the read
        throw;
    }
    const track::SpeedChart chart = track::compute_speed_chart(bytes, options, strip.width(), strip.height());
    const QString title = QString::fromStdString(track::speed_chart_title(day_file_path, chart.max_speed));
    strip.setPixmap(QPixmap::fromImage(render_speed_chart(chart, title)));
}

void draw_speed_chart(Tfrm_main& main, const std::string& day_file_path) {
    const auto& s = main.settings().frm_main;
    draw_speed_chart(*main.img_tgrf, day_file_path, track::DayFileOptions{s.Koeficient, s.Force20byte});
}

}  // namespace tripdesk::ui
