// `tripdesk export logbook CARD --from D --to D [-o FILE]`: the selected days
// as a logbook text file, the same bytes the program writes.
#include "cli/cli_mail_copy.h"
#include "cli/cli_mail_selection.h"
#include "cli/cli_settings.h"
#include "cli/cli_status_progress.h"
#include "cli/command.h"
#include "export/logbook_export.h"

#include <cstdio>

namespace tripdesk::cli {

namespace {

int run_export_logbook(const GlobalOptions& global, std::vector<std::string> args) {
    std::string output = take_option(args, "-o");
    const CommandSettings cs = load_command_settings(global);
    const MailSelection selection = take_mail_selection(args, cs.settings);
    if (!args.empty()) throw UsageError{"unexpected argument " + args.front()};
    if (selection.rows.empty()) {
        std::fprintf(stderr, "tripdesk: Žiadne vybrané jazdy !!!\n");
        return kFailed;
    }
    const auto& s = cs.settings;
    logbook::LogbookExportOptions o;
    o.drive_folder = selection.folder;
    for (const auto& row : selection.rows) o.day_files.push_back(row.file);
    o.vehicle_label = selection.vehicle_label;
    o.selection_name = selection.name;
    o.output_path = output.empty() ? s.frm_setexp.OutputDirKJ + "/" + selection.name_with_vehicle + ".TXT" : output;
    o.resolution_m = s.frm_setexp.ResolutionKJ;
    o.ignore_sluz = s.frm_setexp.IgnoreSluz;
    o.ignore_krat = s.frm_setexp.IgnoreKrat;
    o.day_file = {s.frm_main.Koeficient, s.frm_main.Force20byte};
    StatusProgress progress;
    const auto result = logbook::export_logbook(o, progress);
    std::printf("%s\n", result.path.c_str());
    return send_mail_copy(mail::ExportCopy::logbook, cs, selection, result.path, progress) ? kOk : kFailed;
}

const ExportKindRegistration registration(
    "logbook", "export logbook CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L] [-o FILE]",
    run_export_logbook);

}  // namespace
}  // namespace tripdesk::cli
