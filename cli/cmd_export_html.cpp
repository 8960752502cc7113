// `tripdesk export html CARD --from D --to D [--window HH:MM:SS-HH:MM:SS]`:
// the HTML map export of the selected days, one page per day file written
// by the converter beside the program. Prints the pages; opens nothing.
#include <algorithm>
#include <sys/stat.h>

#include <cstdio>

#include "app/data_folder.h"
#include "cli/cli_selection_command.h"
#include "export/email_delivery.h"
#include "export/email_settings.h"
#include "export/html_export.h"
#include "export/html_export_settings.h"
#include "export/html_process_starter.h"

namespace tripdesk::cli {
namespace {

bool is_clock_text(const std::string& t) {
    if (t.size() != 8 || t[2] != ':' || t[5] != ':') return false;
    for (const size_t i : {0, 1, 3, 4, 6, 7}) {
        if (t[i] < '0' || t[i] > '9') return false;
    }
    return true;
}

// "HH:MM:SS-HH:MM:SS" as the time-window dialog passes it; the whole day
// without the option.
TimeWindow parse_window(const std::string& text) {
    if (text.empty()) return {};
    const size_t dash = text.find('-');
    const TimeWindow window{text.substr(0, dash), dash == std::string::npos ? std::string() : text.substr(dash + 1)};
    if (!is_clock_text(window.start) || !is_clock_text(window.end))
        throw UsageError{"--window needs HH:MM:SS-HH:MM:SS, not \"" + text + "\""};
    return window;
}

bool is_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int run_export_html(const GlobalOptions& global, std::vector<std::string> args) {
    const TimeWindow window = parse_window(take_option(args, "--window"));
    return run_selection_export(global, std::move(args), OutputOption::none, [&window](SelectionCommand& c) {
        HtmlExportJob job;
        job.program_dir = app::program_folder();
        job.drive_folder = c.selection.card_folder;
        job.vehicle_label = c.selection.vehicle_label;
        for (const app::GridRow& row : c.selection.rows()) job.day_files.push_back(row.file);
        job.window = window;
        job.settings = html_export_settings(c.s());

        SpawnProcessStarter starter;
        int status = kOk;
        HtmlExportServices services{starter, nullptr, [&](const std::vector<std::string>& pages) {
                                        if (!mail::send_html_pages(mail::mail_settings(c.s()), c.mail_context(), pages,
                                                                   c.progress)
                                                 .ok())
                                            status = kFailed;
                                    }};
        const HtmlExportResult result = GenerujHTML(job, c.progress, services);
        if (result.outcome == HtmlExportOutcome::NothingSelected) {
            std::fprintf(stderr, "%s\n", kNoHtmlDaysText);
            return kFailed;
        }
        for (const std::string& page : result.pages) {
            const bool converted = std::find(result.failed.begin(), result.failed.end(), page) == result.failed.end();
            if (converted && is_file(page)) {
                std::printf("%s\n", page.c_str());
            } else {
                std::fprintf(stderr, "tripdesk: the converter wrote no page %s\n", page.c_str());
                status = kFailed;
            }
        }
        return status;
    });
}

const ExportKindRegistration registration(
    "html",
    "export html CARD --from YYYY-MM-DD --to YYYY-MM-DD [--window HH:MM:SS-HH:MM:SS] [--month-only] [--label PLATE]",
    run_export_html);

}  // namespace
}  // namespace tripdesk::cli
