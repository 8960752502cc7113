// `tripdesk export logbook CARD --from D --to D [-o FILE]`: the selected days
// as a logbook text file, the same bytes the program writes.
#include "cli/cli_selection_command.h"
#include "export/export_settings.h"

namespace tripdesk::cli {

namespace {

int run_export_logbook(const GlobalOptions& global, std::vector<std::string> args) {
    return run_selection_export(global, std::move(args), OutputOption::taken, [](SelectionCommand& c) {
        logbook::LogbookExportOptions o = exports::logbook_export_settings(c.s());
        o.drive_folder = c.selection.card_folder;
        for (const app::GridRow& row : c.selection.rows()) o.day_files.push_back(row.file);
        o.vehicle_label = c.selection.vehicle_label;
        o.selection_name = c.selection.name_without_vehicle;
        o.output_path = c.output_file(c.s().frm_setexp.OutputDirKJ, ".TXT");
        return print_and_copy(c, mail::ExportCopy::logbook, logbook::export_logbook(o, c.progress).path);
    });
}

const ExportKindRegistration registration(
    "logbook", "export logbook CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L] [-o FILE]",
    run_export_logbook);

}  // namespace
}  // namespace tripdesk::cli
