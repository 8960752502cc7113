#pragma once
// What the main window derives from the grid's selection: the selected
// distance, the count line, and the selection's name (VratNazovVyb) that the
// exports use for proposed file names and e-mail bodies.
#include <string>
#include <vector>

#include "app/card_scan.h"

namespace tripdesk::app {

// A contiguous range of grid rows, 0-based indices into the listed rows,
// top <= bottom.
struct RowSelection {
    int top = 0;
    int bottom = 0;
    int count() const { return bottom - top + 1; }
};

// The selected distance (UkazPrejdVybrane): the numbers shown in the distance
// column of the selected rows ("12.34 km" counts as 12.34, so the sum is of
// the rounded cells), stopping at the first empty cell. 0 for an empty grid.
double selected_distance(const std::vector<GridRow>& rows, RowSelection selection);
// The same as lbl_prejd1 shows it: "%.1f km".
std::string selected_distance_text(const std::vector<GridRow>& rows, RowSelection selection);

// The count line: vyp03 " N (" vyp04 " M)"; M is 0 when nothing is listed.
std::string count_line(const ScanTexts& texts, int listed, int selected);

// The date of a grid row in a name: characters 1-2, 4-5 and 7-8 of its
// date cell joined with "-" ("15/03/09" gives "15-03-09").
std::string name_date(const std::string& date_cell);

// The name of the selection. Without the vehicle: the top row's date, or
// "od FIRST do LAST" for several rows. With the vehicle:
// LABEL_(FIRST) or LABEL_(FIRST_LAST), the label made safe for a file name.
std::string VratNazovVyb(const std::vector<GridRow>& rows, RowSelection selection,
                         const std::string& vehicle_label, bool with_vehicle);

}  // namespace tripdesk::app
