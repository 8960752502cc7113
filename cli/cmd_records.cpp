// `tripdesk records DAYFILE [--csv FILE | --txt FILE] [--place ROW] [--json]`:
// the record analysis of one day file, as the analysis window shows it.
#include "analysis/place_search.h"
#include "analysis/record_analysis.h"
#include "analysis/record_save.h"
#include "cli/cli_json.h"
#include "cli/cli_settings.h"
#include "cli/command.h"

#include <cstdio>
#include <filesystem>

namespace tripdesk::cli {

namespace {

constexpr const char* kCaptions[6] = {"Otvorený súbor:",      "Podozrivé záznamy:",
                                      "Výpadky GPS signálu:", "Priemerná kvalita signálu:",
                                      "Maximálna (priemerná) rýchlosť:", "Počet rozdelení záznamu:"};
constexpr const char* kLabelNames[6] = {"lbl_nazov", "lbl_podoz", "lbl_vypsg", "lbl_hodsg", "lbl_rychl", "lbl_newjz"};

int parse_row(const std::string& text, size_t rows) {
    size_t used = 0;
    int row = 0;
    try {
        row = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || row < 1) throw UsageError{"--place takes a row number from 1"};
    if (static_cast<size_t>(row) > rows) throw UsageError{"--place " + text + ": the file has " + std::to_string(rows) + " records"};
    return row;
}

void print_json(const analysis::RecordAnalysis& a, const std::array<std::string, 6>& texts,
                const std::string* place) {
    std::string out = "{\"file\":" + json_string(a.file_name) + ",\"found\":" + (a.file_found ? "true" : "false");
    out += ",\"figures\":{";
    for (int i = 0; i < 6; ++i)
        out += std::string(i ? "," : "") + json_string(kLabelNames[i]) + ":" + json_string(texts[i]);
    const auto& h = analysis::column_headings();
    out += "},\"columns\":" + json_string_array({h.begin(), h.end()}) + ",\"rows\":[";
    for (size_t i = 0; i < a.records.size(); ++i) {
        const auto cells = analysis::row_cells(a.records[i], static_cast<int>(i));
        out += std::string(i ? "," : "") + json_string_array({cells.begin(), cells.end()});
    }
    out += "]";
    if (place) out += ",\"place\":" + json_string(*place);
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

int run_records(const GlobalOptions& global, std::vector<std::string> args) {
    const std::string csv = take_option(args, "--csv");
    const std::string txt = take_option(args, "--txt");
    const std::string place_row = take_option(args, "--place");
    const bool json = take_flag(args, "--json");
    if (args.size() != 1) throw UsageError{"records needs one DAYFILE"};
    if (!csv.empty() && !txt.empty()) throw UsageError{"--csv and --txt exclude each other"};
    const CommandSettings cs = load_command_settings(global);
    const auto& main = cs.settings.frm_main;

    const std::string path = args.front();
    const std::string name = std::filesystem::path(path).filename().string();
    const auto a = analysis::analyze_day_file_records(path, name, {main.Koeficient, main.Force20byte});
    const auto texts = analysis::figure_texts(a);
    if (!a.file_found) {
        std::fprintf(stderr, "tripdesk: %s: [none]\n", path.c_str());
        return kFailed;
    }
    if (!place_row.empty() && a.records.empty()) {
        std::fprintf(stderr, "tripdesk: %s\n", analysis::kNoTracklogText);
        return kFailed;
    }
    std::string place;
    if (!place_row.empty()) {
        const int row = parse_row(place_row, a.records.size());
        place = analysis::nearest_place_name(cs.settings.frm_setexp.OutputDirKJ,
                                             a.records[static_cast<size_t>(row - 1)]);
    }
    if (!csv.empty()) std::fprintf(stderr, "%s\n", analysis::save_csv(csv, a, main.DatumDel).c_str());
    if (!txt.empty()) std::fprintf(stderr, "%s\n", analysis::save_txt(txt, a, main.CisloDel).c_str());

    if (json) {
        print_json(a, texts, place_row.empty() ? nullptr : &place);
    } else {
        for (int i = 0; i < 6; ++i) std::printf("%s %s\n", kCaptions[i], texts[i].c_str());
        if (!place_row.empty()) std::printf("%s\n", place.c_str());
    }
    return kOk;
}

const CommandRegistration registration("records",
                                       "records DAYFILE [--csv FILE | --txt FILE] [--place ROW] [--json]",
                                       run_records);

}  // namespace
}  // namespace tripdesk::cli
