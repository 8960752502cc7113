#pragma once
// The card scan: lists the day files of a card (or card image) for the
// calendar's year or month, summarises each and builds the trip grid's rows
// and totals exactly as the main window shows them.
#include <functional>
#include <string>
#include <vector>

#include "app/languages.h"
#include "common/progress.h"
#include "track/day_analysis.h"
#include "track/day_file.h"

namespace tripdesk::app {

// The language-dependent texts the scan shows (string slots of the main
// window: vyp02, vyp03, vyp04, bar03, bar04).
struct ScanTexts {
    std::string vyp02;  // progress title
    std::string vyp03;  // count line, "Počet záznamov:"
    std::string vyp04;  // count line, "vybraných:"
    std::string bar03;  // status per found file
    std::string bar04;  // status at the start
};

// The scan texts out of the active language's string slots.
ScanTexts scan_texts(const LanguageStrings& strings);

struct ScanRequest {
    std::string folder;  // the current drive: a card's root or a card image folder
    int year = 2000;     // the calendar's date
    int month = 1;
    bool month_only = false;          // chk_aktmes: only the calendar's month
    track::DayFileOptions day_files;  // Koeficient, Force20byte
    bool ignore_private = true;       // IgnoreSluz: the private total shows 0
};

// One grid row; the six texts are the cells as shown.
struct GridRow {
    std::string date;       // "%.2d/%.2d/%.2d": day, month, year - 2000
    std::string file;       // the day file's name as it is in the folder (150309.GPS, 150309.gps)
    std::string note;       // first line of the day's note file, or empty
    std::string distance;   // "%.2f km"
    std::string max_speed;  // "%d km/h"
    std::string warning;    // Pozn: the speed warning or empty
    track::Tgps_zaznam summary;
    int year = 0, month = 0, day = 0;  // the date the row stands for
};

struct CardScanResult {
    std::vector<GridRow> rows;  // in date order; an empty card gives no rows
    double total_km = 0.0;      // sum of Prejd
    double private_km = 0.0;    // sum of PrejdSukr, 0 with ignore_private
    std::string total_text;     // lbl_prejd0, "%.1f km"
    std::string private_text;   // lbl_prejd2, "%.1f km"
};

// Called after each found file with its row and the number found so far.
using RowFound = std::function<void(const GridRow& row, int found)>;

// Scans the folder. Day files ("DDMMYY.GPS") and note files ("DDMMYY.TXT")
// are found without regard to letter case; when two names differ only in
// case the exact upper-case one wins. Progress: the start status
// (bar04 "folder"), the title vyp02, a maximum of 31 or 365 and one step per
// probed day, and for each found file the status bar03 "name" ... and a pump.
// Throws IoError when the folder cannot be listed or a file cannot be read.
CardScanResult scan_card(const ScanRequest& request, const ScanTexts& texts, Progress& progress,
                         const RowFound& on_row = {});

// The count line during the scan: vyp03 " N (" vyp04 " 1)".
std::string scan_count_line(const ScanTexts& texts, int found);

// The status text when the chosen drive cannot be read:
//  - jednotka: "E:\"  nieje dostupná !!!
std::string unavailable_drive_text(const std::string& drive);

}  // namespace tripdesk::app
