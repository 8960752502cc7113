#pragma once
// Record-by-record analysis of one day file: every decoded record with its
// grid cells, the records that look wrong, and the file's figures.
#include "track/day_file.h"

#include <array>
#include <string>
#include <vector>

namespace tripdesk::analysis {

inline constexpr int kColumnCount = 15;
using RowCells = std::array<std::string, kColumnCount>;

// Column headings of the grid.
const RowCells& column_headings();

// Widths of the 15 columns for a grid of this width in pixels.
std::array<int, kColumnCount> column_widths(int grid_width);

struct Figures {
    int records = 0;
    int suspicious = 0;   // not valid by the decoder, or time going back
    int outages = 0;      // fewer than 4 satellites
    double signal_quality = 0.0;  // average satellites / 12, in %
    int average_sats = 0;
    int max_speed = 0;
    int average_speed = 0;
    int splits = 0;       // records that start a new trip
};

struct RecordAnalysis {
    std::string file_name;   // the day file's name, as the grid row gives it
    bool file_found = false;
    std::vector<track::Tgps_record> records;
    std::vector<bool> suspicious;  // per record
    Figures figures;
};

// Analyses the day file at `path` (`file_name` is its grid name). A missing
// path (or a folder) gives file_found false and nothing else. Throws IoError
// on a read failure.
RecordAnalysis analyze_day_file_records(const std::string& path, const std::string& file_name,
                                        const track::DayFileOptions& options);

// Analyses a day file held in memory.
RecordAnalysis analyze_records(std::string_view file_bytes, const std::string& file_name,
                               const track::DayFileOptions& options);

// The grid cells of record `index` (0-based) of an analysis.
RowCells row_cells(const track::Tgps_record& record, int index);

// The six figure labels: lbl_nazov, lbl_podoz, lbl_vypsg, lbl_hodsg, lbl_rychl, lbl_newjz.
std::array<std::string, 6> figure_texts(const RecordAnalysis& analysis);

}  // namespace tripdesk::analysis
