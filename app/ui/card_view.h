#pragma once
// The card on screen: the drive list, the scan into the trip grid, the
// totals, the selection and the calendar. The handlers are registered by
// name with the main window (drive_list.cpp, card_scan_view.cpp,
// trip_grid.cpp, card_calendar.cpp); these are the pieces they share.
#include "app/card_scan.h"
#include "app/selection_name.h"
#include "app/volumes.h"

#include <QDate>

#include <vector>

class QListWidget;
class Tfrm_main;

namespace tripdesk::ui {

// The drives of the main window: its injected source or the running system's.
app::VolumeSource& volume_source(Tfrm_main& main);

// Fills a list (the drive list or the clock's hidden copy) with the drive
// entries and selects the image entry; forgets an image folder that no
// longer exists. Each entry carries its folder (Qt::UserRole).
void fill_drive_list(Tfrm_main& main, QListWidget* list);

// Scans the selected drive-list entry into the grid (lst_drvzoznClick).
void lst_drvzoznClick(Tfrm_main& main);

// The grid's rows as the scan filled them (cells only), the trailing empty
// row of an empty grid included.
std::vector<app::GridRow> grid_rows(const Tfrm_main& main);
// The number of rows that list a day file.
int listed_rows(const Tfrm_main& main);
// The contiguous selection of the grid (the current row when nothing is selected).
app::RowSelection grid_selection(const Tfrm_main& main);
// Selects whole rows top..bottom.
void select_rows(Tfrm_main& main, int top, int bottom);

// The selected distance (lbl_prejd1) and the count line (lbl_pocjaz).
void UkazPrejdVybrane(Tfrm_main& main);
// The status texts, the selected distance and the speed chart of the
// selection's top row.
void str_gridClick(Tfrm_main& main);

// Sets up the card view once, at the first fill of a drive list (the
// clock's first tick comes before the settings are read): the calendar's
// date once the settings were read is remembered for the first calendar
// click, and the selected distance follows selection changes made with the
// keyboard.
void start_card_view(Tfrm_main& main);
// Remembers the calendar's date for the next calendar click's year and
// month test (after the calendar was moved by the program).
void remember_calendar_date(Tfrm_main& main);

// Opens a folder given on the command line as the card image and scans it.
// When the calendar's year (its month with "only the current month") holds
// none of the folder's day files, the calendar moves to the newest one
// first, so the card shows its trips.
void open_card_at_its_period(Tfrm_main& main, const std::string& folder);

}  // namespace tripdesk::ui
