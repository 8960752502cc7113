#pragma once
// The logger import over the device library: find the logger and match it
// to a vehicle, dump its database and convert it into the vehicle's card
// image, erase it. Every step leaves the logger out of dump mode.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/progress.h"
#include "import/dump_conversion.h"
#include "track/vehicle_list.h"

namespace tripdesk::import {

struct FoundLogger {
    int port = 0;            // COM number
    int32_t serial = 0;
    std::string id_text;     // the serial number as ten digits
    int matched = -1;        // index of the last vehicle with that ID, or -1
};

// Index of the last vehicle whose key equals id_text, or -1.
int match_vehicle(const std::string& id_text, const std::vector<track::Vehicle>& vehicles);

// Searches the logger and reads its ID; nothing when no logger answers.
std::optional<FoundLogger> find_logger(const std::vector<track::Vehicle>& vehicles);

// A vehicle's short name made safe as a folder name (no separators, no "..",
// no control characters); "DL-R4470" when nothing is left.
std::string safe_folder_name(const std::string& short_name);

// The vehicle's card-image folder under the data folder: "_images/NAME/".
std::string vehicle_folder(const std::string& data_folder, const std::string& short_name);

// The dump text file beside the settings.
std::string dump_file_path(const std::string& data_folder);

enum class ImportOutcome { NotFound, Declined, DumpFailed, Done };

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::NotFound;
    int dump_code = 0;                    // the library's result of the dump
    std::vector<std::string> day_files;   // names written
};

struct ImportRequest {
    std::string data_folder;  // with a trailing "/"
    track::Vehicle vehicle;
    ConversionOptions options;
};

// Reads the logger into the vehicle's card image. confirm is asked when the
// vehicle's folder exists already (false: nothing is written). The dump file
// of an earlier reading is removed first, and a failed dump converts
// nothing, so the vehicle's day files stay as they were. Throws IoError when
// a file cannot be written.
ImportResult import_from_logger(const ImportRequest& request, const std::function<bool()>& confirm,
                                Progress& progress);

// Erases the logger's memory: the erase export's result (13 on success), or
// nothing when no logger answers.
std::optional<int> erase_logger();

}  // namespace tripdesk::import
