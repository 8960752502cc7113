#pragma once
// The HTML map export: one page per selected day file, written by the
// converter `mapweaver` that lies in "_gmaps" beside the program. This side
// builds the converter's argument list, runs it once per day file, hands the
// pages to the e-mail step and shows the result.
#include <functional>
#include <string>
#include <vector>

namespace tripdesk {

class Progress;
class ProcessStarter;
class Opener;

// Both ends of the time window hold this text when the whole day is wanted.
inline constexpr const char* kWholeDayWindow = "??:??:??";

struct TimeWindow {
    std::string start = kWholeDayWindow;  // hh:mm:ss
    std::string end = kWholeDayWindow;
};

struct HtmlExportSettings {
    std::string output_dir;  // OutputDirHTML
    int resolution_m = 50;   // ResolutionHTML, metres
    int min_stop_s = 110;    // ZastaveniaHTML, seconds
    int time_off_mrp = 2;    // TimeOffMRP, half hours
    std::string gmaps_key;   // GmapsKey
    bool email = false;      // EmailHTML
    bool force20byte = false;
};

struct HtmlExportJob {
    std::string program_dir;             // folder of the executable; the converter is in its "_gmaps"
    std::string drive_folder;            // current drive, the folder that holds the day files
    std::string vehicle_label;
    std::vector<std::string> day_files;  // file names of the selected rows, top to bottom
    TimeWindow window;
    HtmlExportSettings settings;
};

// What the export needs from its surroundings. A null opener opens nothing
// (the command line); a null send_email skips the e-mail step.
struct HtmlExportServices {
    ProcessStarter& starter;
    Opener* opener = nullptr;
    std::function<void(const std::vector<std::string>& pages)> send_email;
};

enum class HtmlExportOutcome {
    NothingSelected,  // the program shows "Žiadne vybrané jazdy !!!"
    Converted,
};

struct HtmlExportResult {
    HtmlExportOutcome outcome = HtmlExportOutcome::NothingSelected;
    std::vector<std::string> pages;  // one path per converted day file, in order
    // Pages whose converter run failed (exit status not 0, or not started).
    // A file under such a name is an older page, not this run's: the e-mail
    // step leaves it out and the command line reports it.
    std::vector<std::string> failed;
};

inline constexpr const char* kNoHtmlDaysText = "Žiadne vybrané jazdy !!!";

std::string converter_path(const std::string& program_dir);

// OutputDirHTML/<label>_<first six characters of the day file>.html; the
// label loses whatever would make it leave the folder.
std::string html_page_path(const std::string& output_dir, const std::string& vehicle_label,
                           const std::string& day_file);

// The converter's full argument list for one day file, argument 0 being the
// converter itself. Arguments travel as separate strings, so labels or keys
// holding blanks or quotes arrive unchanged.
std::vector<std::string> converter_arguments(const HtmlExportJob& job, const std::string& day_file);

// Runs the whole export. Throws IoError when the output folder cannot be made.
HtmlExportResult GenerujHTML(const HtmlExportJob& job, Progress& progress, HtmlExportServices& services);

}  // namespace tripdesk
