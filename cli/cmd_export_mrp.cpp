// `tripdesk export mrp CARD --from D --to D [--month-only] [--label L]`:
// the selected day files into the accounting program's logbook tables in
// the folder of DatabasesMRP.
#include <cstdio>

#include "cli/cli_selection_command.h"
#include "export/export_settings.h"

namespace tripdesk::cli {
namespace {

int run_export_mrp(const GlobalOptions& global, std::vector<std::string> args) {
    return run_selection_export(global, std::move(args), OutputOption::none, [](SelectionCommand& c) {
        mrp::MrpExportOptions options = exports::mrp_export_settings(c.s());
        options.drive_folder = c.selection.card_folder;
        for (const app::GridRow& row : c.selection.rows()) options.day_files.push_back(row.file);
        options.vehicle_label = c.selection.vehicle_label;

        const mrp::MrpExportResult result = mrp::export_mrp(options, c.progress);
        switch (result.outcome) {
            case mrp::MrpOutcome::NoSelectedTrips:
                std::fprintf(stderr, "%s\n", mrp::kNoSelectedTrips);
                return kFailed;
            case mrp::MrpOutcome::TablesNotFound:
                std::fprintf(stderr, "%s\n", mrp::kTablesNotFound);
                return kFailed;
            case mrp::MrpOutcome::Exported:
                break;
        }
        std::printf("%d trips, odometer %.1f km%s\n", result.trips, result.odometer,
                    result.vehicle_added ? ", vehicle added" : "");
        return kOk;
    });
}

const ExportKindRegistration registration(
    "mrp", "export mrp CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L]", run_export_mrp);

}  // namespace
}  // namespace tripdesk::cli
