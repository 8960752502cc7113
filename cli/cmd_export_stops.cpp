// `tripdesk export stops CARD --from D --to D [-o FILE]`: the stop list of
// the selection with addresses from reverse geocoding.
#include <cstdio>
#include <filesystem>

#include "cli/cli_mail_selection.h"
#include "cli/cli_settings.h"
#include "cli/cli_status_progress.h"
#include "cli/command.h"
#include "export/email_settings.h"

namespace tripdesk::cli {
namespace {

int run_export_stops(const GlobalOptions& global, std::vector<std::string> args) {
    const CommandSettings cs = load_command_settings(global);
    std::string output = take_option(args, "-o");
    const MailSelection selection = take_mail_selection(args, cs.settings);
    if (!args.empty()) throw UsageError{"unexpected argument " + args.front()};
    if (selection.rows.empty()) {
        std::fprintf(stderr, "Žiadne vybrané jazdy !!!\n");
        return kFailed;
    }
    if (output.empty()) output = cs.settings.frm_setexp.OutputDirHTML + "/" + selection.name_with_vehicle + ".CSV";
    output = std::filesystem::absolute(output).lexically_normal().string();

    std::vector<stops::StopListRow> rows;
    for (const auto& r : selection.rows) rows.push_back({r.date, r.file});
    StatusProgress progress;
    geo::Geocoder geocoder(mail::geo_service_config(cs.settings), progress);
    // A file or day-file error reaches main(), which prints it (exit status 1).
    stops::write_stop_list(output, selection.vehicle_label, selection.folder, rows,
                           mail::stop_list_options(cs.settings), geocoder, progress);
    std::printf("%s\n", output.c_str());
    return kOk;
}

const ExportKindRegistration registration(
    "stops", "export stops CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L] [-o FILE]",
    run_export_stops);

}  // namespace
}  // namespace tripdesk::cli
