#pragma once
// Saving the analysed records: a semicolon-separated list (14 columns, the
// date with the configured separator and a four-digit year) or a plain text
// list of six numbers per record with the configured decimal separator.
#include "analysis/record_analysis.h"

#include <string>

namespace tripdesk::analysis {

// The chosen name with ".CSV" appended unless it already ends so (any case);
// both save forms use it.
std::string with_csv_extension(const std::string& name);

// "det_" + vehicle label + "_" + the date part of the day-file name + ".CSV".
std::string proposed_save_name(const std::string& vehicle_label, const std::string& day_file_name);

// File contents, one CR LF line per record.
std::string csv_text(const RecordAnalysis& analysis, const std::string& datum_del);
std::string txt_text(const RecordAnalysis& analysis, const std::string& cislo_del);

// Write atomically under with_csv_extension(path); return the path written.
// Throw IoError.
std::string save_csv(const std::string& path, const RecordAnalysis& analysis, const std::string& datum_del);
std::string save_txt(const std::string& path, const RecordAnalysis& analysis, const std::string& cislo_del);

}  // namespace tripdesk::analysis
