// `tripdesk export stops CARD --from D --to D [-o FILE]`: the stop list of
// the selection with addresses from reverse geocoding.
#include <cstdio>
#include <filesystem>

#include "cli/cli_selection_command.h"
#include "export/email_settings.h"

namespace tripdesk::cli {
namespace {

int run_export_stops(const GlobalOptions& global, std::vector<std::string> args) {
    return run_selection_export(global, std::move(args), OutputOption::taken, [](SelectionCommand& c) {
        const std::string output =
            std::filesystem::absolute(c.output_file(c.s().frm_setexp.OutputDirHTML, ".CSV")).lexically_normal().string();

        std::vector<stops::StopListRow> rows;
        for (const app::GridRow& r : c.selection.rows()) rows.push_back({r.date, r.file});
        geo::Geocoder geocoder(mail::geo_service_config(c.s()), c.progress);
        // A file or day-file error reaches main(), which prints it (exit status 1).
        stops::write_stop_list(output, c.selection.vehicle_label, c.selection.card_folder, rows,
                               mail::stop_list_options(c.s()), geocoder, c.progress);
        std::printf("%s\n", output.c_str());
        return kOk;
    });
}

const ExportKindRegistration registration(
    "stops", "export stops CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L] [-o FILE]",
    run_export_stops);

}  // namespace
}  // namespace tripdesk::cli
