// `tripdesk export kml CARD --from D --to D [-o FILE]`: the selected days as
// a KML document, the same bytes the program writes.
#include "cli/cli_selection_command.h"
#include "export/export_settings.h"

namespace tripdesk::cli {

namespace {

int run_export_kml(const GlobalOptions& global, std::vector<std::string> args) {
    return run_selection_export(global, std::move(args), OutputOption::taken, [](SelectionCommand& c) {
        kml::KmlExportOptions o = exports::kml_export_settings(c.s());
        o.drive_folder = c.selection.card_folder;
        // The grid counts data rows from 1 for the colour.
        int grid_row = c.selection.selection.top + 1;
        for (const app::GridRow& row : c.selection.rows()) o.days.push_back({grid_row++, row.file, row.distance});
        o.selection_name = c.selection.name_without_vehicle;
        o.output_path = c.output_file(c.s().frm_setexp.OutputDirKML, ".KML");
        return print_and_copy(c, mail::ExportCopy::kml, kml::export_kml(o, c.progress).path);
    });
}

const ExportKindRegistration registration(
    "kml", "export kml CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L] [-o FILE]",
    run_export_kml);

}  // namespace
}  // namespace tripdesk::cli
