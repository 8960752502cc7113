#pragma once
// The logbook text export run: the selected day files as one text file for
// trip-logbook programs. Header lines (vehicle label, "130"), then the lines
// of LogbookWalker. The file is written atomically.
#include "common/progress.h"
#include "export/logbook_cleanup.h"
#include "track/day_file.h"

#include <string>
#include <vector>

namespace tripdesk::logbook {

struct LogbookExportOptions {
    std::string drive_folder;            // current drive: the day files lie here
    std::vector<std::string> day_files;  // names of the selected rows (DDMMYY.GPS), top to bottom
    std::string vehicle_label;           // first line of the file
    std::string selection_name;          // the selection without the vehicle, handed back for the e-mail
    std::string output_path;             // chosen name; ".TXT" is appended when missing
    int resolution_m = 250;              // `ResolutionKJ`
    bool ignore_sluz = true;             // `IgnoreSluz`
    bool ignore_krat = false;            // `IgnoreKrat`
    track::DayFileOptions day_file;      // `Koeficient`, `Force20byte`
};

struct LogbookExportResult {
    std::string path;            // the file written
    std::string selection_name;  // from the options, for the e-mail copy
    int lines = 0;               // record lines written
    CleanupOutcome cleanup = CleanupOutcome::Cleaned;
};

// The chosen name with ".TXT" appended unless it already ends so (any case).
std::string with_txt_extension(const std::string& name);

// Cleans the output folder, then writes the file, reporting each day file in
// status panel 2. Throws IoError on any read or write failure; the target is
// then left as it was.
LogbookExportResult export_logbook(const LogbookExportOptions& options, Progress& progress);

}  // namespace tripdesk::logbook
