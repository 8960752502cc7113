// `tripdesk export kml CARD --from D --to D [-o FILE]`: the selected days as
// a KML document, the same bytes the program writes.
#include "cli/cli_mail_copy.h"
#include "cli/cli_mail_selection.h"
#include "cli/cli_settings.h"
#include "cli/cli_status_progress.h"
#include "cli/command.h"
#include "export/kml_export.h"

#include <cstdio>

namespace tripdesk::cli {

namespace {

int run_export_kml(const GlobalOptions& global, std::vector<std::string> args) {
    std::string output = take_option(args, "-o");
    const CommandSettings cs = load_command_settings(global);
    const MailSelection selection = take_mail_selection(args, cs.settings);
    if (!args.empty()) throw UsageError{"unexpected argument " + args.front()};
    if (selection.rows.empty()) {
        std::fprintf(stderr, "tripdesk: Žiadne vybrané jazdy !!!\n");
        return kFailed;
    }
    const auto& s = cs.settings;
    kml::KmlExportOptions o;
    o.drive_folder = selection.folder;
    // The grid counts data rows from 1 for the colour.
    for (const auto& row : selection.rows) o.days.push_back({row.grid_row + 1, row.file, row.distance});
    o.selection_name = selection.name;
    o.output_path = output.empty() ? s.frm_setexp.OutputDirKML + "/" + selection.name_with_vehicle + ".KML" : output;
    o.resolution_m = s.frm_setexp.ResolutionKML;
    o.day_file = {s.frm_main.Koeficient, s.frm_main.Force20byte};
    StatusProgress progress;
    const auto result = kml::export_kml(o, progress);
    std::printf("%s\n", result.path.c_str());
    return send_mail_copy(mail::ExportCopy::kml, cs, selection, result.path, progress) ? kOk : kFailed;
}

const ExportKindRegistration registration(
    "kml", "export kml CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L] [-o FILE]",
    run_export_kml);

}  // namespace
}  // namespace tripdesk::cli
