#include "export/logbook_export.h"

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "export/file_extension.h"
#include "export/logbook_line.h"
#include "export/logbook_walker.h"
#include "track/path_lookup.h"

#include <filesystem>

namespace tripdesk::logbook {

std::string with_txt_extension(const std::string& name) {
    return exports::with_extension(name, ".TXT");
}

LogbookExportResult export_logbook(const LogbookExportOptions& o, Progress& progress) {
    LogbookExportResult result;
    result.path = with_txt_extension(o.output_path);
    result.selection_name = o.selection_name;

    const std::string folder = std::filesystem::path(result.path).parent_path().string();
    result.cleanup = clean_logbook_leftovers(folder.empty() ? "." : folder, o.drive_folder);
    if (result.cleanup != CleanupOutcome::Cleaned) {
        progress.status(cleanup_status_text(result.cleanup, folder));
        progress.pause(400);
    }

    progress.title("Export záznamov do KJ ...");
    progress.maximum(static_cast<int>(o.day_files.size()));

    AtomicFile out(result.path);
    out.write(o.vehicle_label + "\r\n" + kHeaderConstant + "\r\n");

    LogbookWalker walker(LogbookRules{o.resolution_m, o.ignore_sluz, o.ignore_krat, o.day_file});
    std::string lines;
    for (const auto& name : o.day_files) {
        progress.status(c_format(" - spracovanie súboru: \"%s\" ...", track::join_path(o.drive_folder, name).c_str()));
        progress.step();
        progress.pump();
        lines.clear();
        walker.add_day_file(track::read_day_file(track::resolve_ignoring_case(o.drive_folder, name)), name, lines);
        out.write(lines);
    }
    out.commit();
    result.lines = walker.lines_written();

    progress.status(" - exportovanie záznamov do Knihy Jázd (TXT) dokončené ...");
    progress.position(static_cast<int>(o.day_files.size()));
    progress.pause(400);
    return result;
}

}  // namespace tripdesk::logbook
