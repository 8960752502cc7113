#pragma once
// The four kinds of message the program sends: a copy of the logbook, KML or
// HTML output, and the raw day files of a selection with their notes. Each
// reports through Progress like the other long operations and ends with the
// text shown in status panel 2.
#include <ctime>
#include <string>
#include <vector>

#include "common/progress.h"
#include "export/mail_message.h"

namespace tripdesk::mail {

// The [EMAIL] settings.
struct MailSettings {
    SmtpServer server;
    std::string address;  // recipients, separated by commas
    std::string sender;
    std::string signature;
};

// What the message covers: vehicle label, period (the selection name
// without the vehicle) and the sending time as the program writes it.
struct MailContext {
    std::string vehicle;
    std::string period;
    std::string sending_time;
};

struct MailOutcome {
    std::string error;   // empty when everything went out as composed
    std::string status;  // the text for status panel 2
    bool ok() const { return error.empty(); }
};

enum class ExportCopy { logbook, kml };

// A copy of one written export file. A missing file is reported as an error
// although the message still goes out without it.
MailOutcome send_export_copy(ExportCopy kind, const MailSettings& settings, const MailContext& context,
                             const std::string& file, Progress& progress);

// The pages of an HTML run; pages that do not exist are passed over.
MailOutcome send_html_pages(const MailSettings& settings, const MailContext& context,
                            const std::vector<std::string>& pages, Progress& progress);

// A selected grid row as the main window shows it.
struct DayFileRow {
    std::string date;       // "15/03/09"
    std::string file_name;  // "150309.GPS"
    std::string distance;   // "123.46 km"
    std::string max_speed;  // "87 km/h"
    std::string remark;     // speed warning or empty
};

// The day files of the selected rows with their note files; `folder` is the
// current drive folder the file names are joined to. Rows whose day file is
// missing are counted as skipped. The period of `context` is not used.
MailOutcome send_day_files(const MailSettings& settings, const MailContext& context, const std::string& folder,
                           const std::vector<DayFileRow>& rows, Progress& progress);

// The sending time as the messages show it: local date and time.
std::string sending_time_text(std::time_t when);

}  // namespace tripdesk::mail
