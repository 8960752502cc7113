// `tripdesk export mrp CARD --from D --to D [--month-only] [--label L]`:
// the selected day files into the accounting program's logbook tables in
// the folder of DatabasesMRP.
#include <cstdio>
#include <ctime>

#include "cli/cli_selection_command.h"
#include "export/mrp_export.h"

namespace tripdesk::cli {
namespace {

dbase::CalendarDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int run_export_mrp(const GlobalOptions& global, std::vector<std::string> args) {
    return run_selection_export(global, std::move(args), OutputOption::none, [](SelectionCommand& c) {
        const app::Settings& s = c.s();
        mrp::MrpExportOptions options;
        options.drive_folder = c.selection.card_folder;
        for (const app::GridRow& row : c.selection.rows()) options.day_files.push_back(row.file);
        options.vehicle_label = c.selection.vehicle_label;
        options.databases_folder = s.frm_setexp.DatabasesMRP;
        options.output_dir_kj = s.frm_setexp.OutputDirKJ;
        options.time_offset = s.frm_setexp.TimeOffMRP;
        options.force20byte = s.frm_main.Force20byte;
        options.today = today();

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
