#include "export/html_export.h"

#include <algorithm>

#include <cerrno>
#include <sys/stat.h>

#include "app/safe_name.h"
#include "common/io_error.h"
#include "common/progress.h"
#include "export/html_opener.h"
#include "export/html_process_starter.h"

namespace tripdesk {

namespace {

std::string without_trailing_separators(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return (last == '/' || last == '\\') ? folder + name : folder + "/" + name;
}

bool only_blanks(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

void make_output_folder(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    if (::mkdir(folder.c_str(), 0755) != 0) throw_errno(folder);
}

}  // namespace

std::string converter_path(const std::string& program_dir) {
    return joined(program_dir, "_gmaps/mapweaver");
}

std::string html_page_path(const std::string& output_dir, const std::string& vehicle_label,
                           const std::string& day_file) {
    return without_trailing_separators(output_dir) + "/" + app::safe_name(vehicle_label) + "_" +
           day_file.substr(0, 6) + ".html";
}

std::vector<std::string> converter_arguments(const HtmlExportJob& job, const std::string& day_file) {
    const HtmlExportSettings& s = job.settings;
    std::vector<std::string> args{
        converter_path(job.program_dir),
        joined(job.drive_folder, day_file),
        job.vehicle_label,
        html_page_path(s.output_dir, job.vehicle_label, day_file),
        std::to_string(s.resolution_m * 10),
        std::to_string(s.min_stop_s),
        std::to_string(s.time_off_mrp),
        job.window.start,
        job.window.end,
        only_blanks(s.gmaps_key) ? std::string("???") : s.gmaps_key,
    };
    if (s.force20byte) args.emplace_back("20BYTE");
    return args;
}

HtmlExportResult GenerujHTML(const HtmlExportJob& job, Progress& progress, HtmlExportServices& services) {
    make_output_folder(job.settings.output_dir);
    HtmlExportResult result;
    if (job.day_files.empty()) return result;

    progress.title("Prevod záznamov do HTML ...");
    progress.maximum(static_cast<int>(job.day_files.size()));
    progress.position(0);
    for (const auto& day_file : job.day_files) {
        progress.status(" - spracovanie súboru: \"" + joined(job.drive_folder, day_file) + "\" ...");
        progress.step();
        progress.pump();
        const std::vector<std::string> args = converter_arguments(job, day_file);
        // A failed run does not stop the export and shows no error: its page
        // is missing, which the e-mail step passes over, or it is an older
        // page of the same name, which the e-mail step must not send as this
        // run's.
        if (services.starter.run_and_wait(args, progress) != 0) result.failed.push_back(args[3]);
        result.pages.push_back(args[3]);
    }
    result.outcome = HtmlExportOutcome::Converted;

    if (job.settings.email && services.send_email) {
        std::vector<std::string> converted;
        for (const std::string& page : result.pages)
            if (std::find(result.failed.begin(), result.failed.end(), page) == result.failed.end())
                converted.push_back(page);
        services.send_email(converted);
    }

    progress.step();
    progress.pause(400);
    if (services.opener) {
        if (job.day_files.size() > 1) {
            services.opener->open_folder(without_trailing_separators(job.settings.output_dir));
        } else {
            services.opener->open_page(result.pages.front());
        }
    }
    return result;
}

}  // namespace tripdesk
