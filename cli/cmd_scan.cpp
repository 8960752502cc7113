// `tripdesk scan CARD [--date YYYY-MM-DD] [--month-only] [--label L] [--json]`:
// the trip grid the main window shows for a card, its totals and count line.
#include <cstdio>
#include <ctime>

#include "app/selection_name.h"
#include "cli/cli_json.h"
#include "cli/cli_progress.h"
#include "cli/cli_selection.h"
#include "cli/cli_settings.h"
#include "cli/command.h"
#include "common/c_format.h"

namespace tripdesk::cli {

namespace {

CliDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void print_text(const app::CardScanResult& grid, const std::string& count) {
    std::string out;
    for (const app::GridRow& r : grid.rows)
        out += r.date + '\t' + r.file + '\t' + r.note + '\t' + r.distance + '\t' + r.max_speed + '\t' + r.warning + '\n';
    out += "Celkom: " + grid.total_text + '\n';
    out += "Súkromné: " + grid.private_text + '\n';
    out += count + '\n';
    std::fputs(out.c_str(), stdout);
}

void print_json(const std::string& label, const app::CardScanResult& grid, const std::string& count) {
    std::string out = "{\"label\":" + json_string(label) + ",\"rows\":[";
    for (size_t i = 0; i < grid.rows.size(); ++i) {
        const app::GridRow& r = grid.rows[i];
        out += std::string(i ? "," : "") + "{\"date\":" + json_string(r.date) + ",\"file\":" + json_string(r.file) +
               ",\"note\":" + json_string(r.note) + ",\"distance\":" + json_string(r.distance) +
               ",\"max_speed\":" + json_string(r.max_speed) + ",\"warning\":" + json_string(r.warning) + "}";
    }
    // The totals as the labels round them ("%.1f km").
    out += "],\"total_km\":" + c_format("%.1f", grid.total_km) + ",\"private_km\":" + c_format("%.1f", grid.private_km) +
           ",\"count_line\":" + json_string(count) + "}\n";
    std::fputs(out.c_str(), stdout);
}

int run_scan(const GlobalOptions& global, std::vector<std::string> args) {
    const std::string date_text = take_option(args, "--date");
    const bool month_only = take_flag(args, "--month-only");
    const std::string label_override = take_option(args, "--label");
    const bool json = take_flag(args, "--json");
    if (args.size() != 1 || args.front().rfind("--", 0) == 0) throw UsageError{"scan needs one CARD"};
    const CliDate date = date_text.empty() ? today() : parse_cli_date(date_text, "--date");
    std::string card = args.front();
    if (card.back() != '/') card.push_back('/');

    const CommandSettings cs = load_command_settings(global);
    try {
        require_card(card);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return kFailed;
    }
    const std::string label = label_override.empty() ? card_label(card) : label_override;
    const app::ScanTexts texts = scan_texts(cs);
    app::CardScanResult grid;
    {
        TerminalProgress progress;
        grid = app::scan_card(scan_request(cs, card, date.year, date.month, month_only), texts, progress);
    }
    // After a scan the grid's top row is selected, as in the window.
    const int listed = static_cast<int>(grid.rows.size());
    const std::string count = app::count_line(texts, listed, listed > 0 ? 1 : 0);
    if (json) {
        print_json(label, grid, count);
    } else {
        print_text(grid, count);
    }
    return kOk;
}

const CommandRegistration registration("scan", "scan CARD [--date YYYY-MM-DD] [--month-only] [--label L] [--json]",
                                       run_scan);

}  // namespace

}  // namespace tripdesk::cli
