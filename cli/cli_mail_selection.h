#pragma once
// The selected day-file rows of the mail and stop-list commands: the grid
// the program would show for the year (or month) of --from, rows from
// --from to --to, with the cells as the grid shows them.
#include <string>
#include <vector>

#include "app/settings.h"

namespace tripdesk::cli {

struct MailGridRow {
    int grid_row = 0;       // absolute data-row index in the grid, 0 = its first day file
    std::string date;       // "15/03/09"
    std::string file;       // the day file's name as it is in the folder
    std::string distance;   // "123.46 km"
    std::string max_speed;  // "87 km/h"
    std::string warning;    // speed warning or empty
};

struct MailSelection {
    std::string folder;          // CARD with a trailing "/"
    std::string vehicle_label;   // --label, else _image.inf's first line, else "NO_CARID"
    std::vector<MailGridRow> rows;
    std::string name;               // the selection name without the vehicle
    std::string name_with_vehicle;  // ... and with it, safe as a file name
};

// The vehicle label of a card folder (with a trailing "/"): the first line of
// its _image.inf, else "NO_CARID".
std::string card_vehicle_label(const std::string& folder);

// Takes CARD, --from, --to, --month-only and --label out of args; throws
// UsageError for a missing or malformed one and IoError when a day file
// cannot be read.
MailSelection take_mail_selection(std::vector<std::string>& args, const app::Settings& settings);

}  // namespace tripdesk::cli
