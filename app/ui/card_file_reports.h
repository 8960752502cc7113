#pragma once
// Helpers the card-file commands of the main window share (image save,
// deleting day files, the note window): putting the selection back on a row
// after a scan, and telling the user which files an operation could not handle.
#include <QString>

#include <vector>

#include "app/card_image.h"

class Tfrm_main;

namespace tripdesk::ui {

// Selects the grid row (the last row when fewer remain) and runs the grid
// click, so the selected distance, the count line and the chart follow.
void select_grid_row(Tfrm_main& main, int row);

// A warning box: the heading, then one line "path: reason" per file (the
// first twenty, then how many more).
void show_failed_files(Tfrm_main& main, const QString& heading, const std::vector<tripdesk::app::FailedFile>& failed);

}  // namespace tripdesk::ui
