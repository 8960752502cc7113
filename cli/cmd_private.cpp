// `tripdesk private CARD [--export FILE] [--json] [--label L]`: the
// private-trip memory of a card, as the private-trip window lists it.
#include "cli/cli_json.h"
#include "cli/cli_selection.h"
#include "cli/cli_settings.h"
#include "cli/command.h"
#include "common/c_format.h"
#include "private/eeprom.h"
#include "private/private_logbook.h"
#include "private/private_overview.h"
#include "track/path_lookup.h"

#include <cstdio>
#include <filesystem>

namespace tripdesk::cli {

namespace {

using namespace tripdesk::private_trips;

std::string entry_json(const Teep_zazn& e) {
    const auto cells = entry_cells(e);
    return c_format("{\"day\":%d,\"month\":%d,\"year\":%d,\"hour\":%d,\"minute\":%d,\"second\":%d,", e.day, e.month,
                    e.year, e.hour, e.minute, e.second) +
           "\"driver_key\":" + json_string(e.driver_key) + ",\"private\":" + (e.is_private ? "true" : "false") +
           c_format(",\"distance_km\":%.4f", static_cast<double>(e.distance)) +
           ",\"cells\":" + json_string_array({cells.begin(), cells.end()}) + "}";
}

void print_json(const EepromImage& image, const Filters& filters) {
    const Totals totals = totals_of(image.entries);
    const OverviewLabels labels = overview_labels(image.entries);
    std::string out = c_format("{\"size_bytes\":%zu,\"entries\":[", image.size_bytes);
    for (size_t i = 0; i < image.entries.size(); ++i) out += (i ? "," : "") + entry_json(image.entries[i]);
    out += c_format("],\"total_km\":%.4f,\"private_km\":%.4f", totals.all_km, totals.private_km);
    out += ",\"period\":" + json_string(labels.period) + ",\"total\":" + json_string(labels.total) +
           ",\"private_total\":" + json_string(labels.private_total);
    out += c_format(",\"shown\":%zu}\n", visible_entries(image.entries, filters).size());
    std::fputs(out.c_str(), stdout);
}

void print_list(const EepromImage& image, const Filters& filters) {
    std::printf("%s\n", loaded_label(image.size_bytes).c_str());
    const auto shown = visible_entries(image.entries, filters);
    for (const auto& e : shown) {
        const auto c = entry_cells(e);
        std::printf("%s  %s  %s  %s  %s\n", c[0].c_str(), c[1].c_str(), c[2].c_str(), c[3].c_str(), c[4].c_str());
    }
    const OverviewLabels labels = overview_labels(image.entries);
    std::printf("%s\n%s\n%s\n", labels.period.c_str(), labels.total.c_str(), labels.private_total.c_str());
}

int run_private(const GlobalOptions& global, std::vector<std::string> args) {
    const std::string export_path = take_option(args, "--export");
    const std::string label_override = take_option(args, "--label");
    const bool json = take_flag(args, "--json");
    if (args.size() != 1) throw UsageError{"private needs one CARD"};
    const CommandSettings cs = load_command_settings(global);
    std::string card = args.front();
    if (!card.empty() && card.back() != '/') card += '/';

    const auto path = track::find_ignoring_case(card, kEepromFileName);
    std::error_code ec;
    if (!path || !std::filesystem::is_regular_file(*path, ec)) {
        std::fprintf(stderr, "tripdesk: %s\n", missing_label(card).c_str());
        return kFailed;
    }
    const EepromImage image = read_eeprom(*path);
    const Filters filters{cs.settings.frm_sukjaz.SukrOnly, cs.settings.frm_sukjaz.Nenulove};
    if (json)
        print_json(image, filters);
    else
        print_list(image, filters);
    if (!export_path.empty()) {
        const std::string label = label_override.empty() ? card_label(card) : label_override;
        export_private_trips(export_path, label, image.entries);
    }
    return kOk;
}

const CommandRegistration registration("private", "private CARD [--export FILE] [--json] [--label L]", run_private);

}  // namespace
}  // namespace tripdesk::cli
