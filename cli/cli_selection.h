#pragma once
// The selection every selection command (export logbook|kml|stops|mrp|html,
// mail) works on, built as the main window would: CARD (a mounted card or a
// card image folder) is scanned for the year of --from (only its month with
// --month-only), and the listed rows dated from --from to --to (inclusive)
// are selected.
//
//   tripdesk export logbook CARD --from 2009-03-01 --to 2009-03-15 [--month-only] [--label L]
//
//   CliSelection sel = build_selection(cs, take_selection_args(args), progress);
//   for (const app::GridRow& row : sel.rows()) read sel.card_folder + row.file ...
//   proposed file name: sel.name_with_vehicle + ".TXT"
//
// Commands normally reach it through run_selection_export (cli_selection_command.h).
#include <span>
#include <string>
#include <vector>

#include "app/card_scan.h"
#include "app/selection_name.h"
#include "cli/cli_settings.h"
#include "common/progress.h"

namespace tripdesk::cli {

struct CliSelection {
    std::string card_folder;    // with a trailing "/"
    std::string vehicle_label;  // --label, else the card's label, else "NO_CARID"
    app::CardScanResult grid;   // every row the program would list
    // The selected rows, indices into grid.rows; count() is 0 when no listed
    // day lies in the range.
    app::RowSelection selection{0, -1};
    std::string name_with_vehicle;     // VratNazovVyb with the vehicle: BA-123AB_(01-03-09_15-03-09)
    std::string name_without_vehicle;  // VratNazovVyb without: od 01-03-09 do 15-03-09

    bool empty() const { return selection.count() <= 0; }
    // The selected grid rows, top to bottom; rows()[i] is grid row selection.top + i.
    std::span<const app::GridRow> rows() const;
};

// A date given on the command line.
struct CliDate {
    int year = 0, month = 0, day = 0;
};
// Parses YYYY-MM-DD (a real calendar date); throws UsageError naming `option`.
CliDate parse_cli_date(const std::string& text, const std::string& option);

// What a command line names as its selection.
struct SelectionArgs {
    std::string card;  // CARD, the first argument left after the options
    CliDate from;      // --from
    CliDate to;        // --to
    bool month_only = false;
    std::string label;  // --label, empty when not given
};

// Takes CARD, --from, --to, --month-only and --label out of args. Throws
// UsageError when CARD, --from or --to is missing or a date is malformed.
// A --to before --from is no error: it selects nothing.
SelectionArgs take_selection_args(std::vector<std::string>& args);

// Scans the card and selects the rows dated from `from` to `to`. Throws
// std::runtime_error with the program's text when the card is not available
// (" - jednotka: "CARD"  nieje dostupná !!!"), IoError when a file cannot be
// read. No listed day in the range gives an empty selection.
CliSelection build_selection(const CommandSettings& settings, const SelectionArgs& args, Progress& progress);

// The vehicle label of a card folder as the card view reads it: the first
// line of its "_image.inf" (any line ending, either text encoding), else
// "NO_CARID".
std::string card_label(const std::string& card_folder);

// The scan request for a card folder and date under the command's settings.
app::ScanRequest scan_request(const CommandSettings& settings, const std::string& card_folder, int year,
                              int month, bool month_only);
// The scan texts of the configured language.
app::ScanTexts scan_texts(const CommandSettings& settings);

// Throws std::runtime_error with the unavailability text unless the folder exists.
void require_card(const std::string& card_folder);

}  // namespace tripdesk::cli
