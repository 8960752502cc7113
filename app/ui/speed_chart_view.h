#pragma once
// Draws the speed chart ("tachograph") of a day file into the main window's
// strip under the trip grid (img_tgrf), at the strip's current size: white
// background, 23 light-grey hour lines, one green-to-red bar per pixel column,
// the title band with the file's path and the day's maximum speed.
#include <QImage>
#include <QString>

#include <string>

#include "track/day_file.h"
#include "track/speed_chart.h"

class QLabel;
class Tfrm_main;

namespace tripdesk::ui {

// Draws the chart of the day file at `day_file_path` into main.img_tgrf with
// the settings' Force20byte. When the path names no existing file (deleted in
// the meantime) nothing happens and the previous picture stays. A file that
// exists but cannot be read throws IoError, also leaving the previous picture.
void draw_speed_chart(Tfrm_main& main, const std::string& day_file_path);

// The same into any label, with explicit day-file options.
void draw_speed_chart(QLabel& strip, const std::string& day_file_path, const track::DayFileOptions& options);

// The chart's picture for computed columns, chart.width x chart.height pixels
// (a null image when either is 0).
QImage render_speed_chart(const track::SpeedChart& chart, const QString& title);

}  // namespace tripdesk::ui
