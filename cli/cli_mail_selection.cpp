#include "cli/cli_mail_selection.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/command.h"
#include "common/c_format.h"
#include "common/io_error.h"
#include "track/day_analysis.h"
#include "track/path_lookup.h"

namespace tripdesk::cli {
namespace {

using namespace std::chrono;

year_month_day parse_date(const std::string& text, const char* option) {
    int y = 0;
    unsigned m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%u-%u%c", &y, &m, &d, &tail) != 3)
        throw UsageError{std::string(option) + " takes YYYY-MM-DD"};
    const year_month_day date{year{y}, month{m}, day{d}};
    if (!date.ok()) throw UsageError{std::string(option) + ": no such date " + text};
    return date;
}

}  // namespace

std::string card_vehicle_label(const std::string& folder) {
    std::ifstream info(folder + "_image.inf");
    std::string line;
    if (std::getline(info, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) return line;
    }
    return "NO_CARID";
}

namespace {

// A label as part of a file name: no folder separators, no control characters.
std::string file_name_safe(std::string text) {
    for (char& c : text)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return text;
}

std::string name_date(const std::string& cell) { return cell.substr(0, 2) + "-" + cell.substr(3, 2) + "-" + cell.substr(6, 2); }

}  // namespace

MailSelection take_mail_selection(std::vector<std::string>& args, const app::Settings& settings) {
    const std::string from_text = take_option(args, "--from");
    const std::string to_text = take_option(args, "--to");
    const bool month_only = take_flag(args, "--month-only");
    std::string label = take_option(args, "--label");
    if (args.empty() || args.front().rfind("--", 0) == 0) throw UsageError{"a CARD folder is needed"};
    if (from_text.empty() || to_text.empty()) throw UsageError{"--from and --to are needed"};
    MailSelection s;
    s.folder = args.front();
    args.erase(args.begin());
    if (s.folder.back() != '/') s.folder += '/';
    if (!std::filesystem::is_directory(s.folder)) throw IoError(" - jednotka: \"" + s.folder + "\"  nieje dostupná !!!");
    s.vehicle_label = label.empty() ? card_vehicle_label(s.folder) : label;

    const year_month_day from = parse_date(from_text, "--from");
    const year_month_day to = parse_date(to_text, "--to");
    // The grid of the calendar's year, or of its month.
    const year_month_day grid_first = month_only ? from.year() / from.month() / 1 : from.year() / January / 1;
    const year_month_day grid_last = month_only ? from.year() / from.month() / last : from.year() / December / 31;
    const sys_days first = std::max(sys_days(from), sys_days(grid_first));
    const sys_days end = std::min(sys_days(to), sys_days(grid_last));
    track::DayFileOptions options{settings.frm_main.Koeficient, settings.frm_main.Force20byte};
    // Rows of the grid before the selection count for the absolute row index.
    int grid_row = 0;
    for (sys_days d = sys_days(grid_first); d <= end; d += days{1}) {
        const year_month_day date(d);
        const int dd = static_cast<int>(unsigned(date.day())), mm = static_cast<int>(unsigned(date.month()));
        const int yy = int(date.year()) - 2000;
        const auto path = track::find_ignoring_case(s.folder, track::day_file_name(dd, mm, yy));
        if (!path) continue;
        if (d < first) {
            ++grid_row;
            continue;
        }
        const track::Tgps_zaznam z = track::AnalyzeDayFile(*path, options);
        s.rows.push_back({grid_row++, c_format("%.2d/%.2d/%.2d", dd, mm, yy), std::filesystem::path(*path).filename().string(),
                          c_format("%.2f km", z.Prejd), c_format("%d km/h", z.MaxRych), z.Pozn});
    }
    if (!s.rows.empty()) {
        const std::string a = name_date(s.rows.front().date), b = name_date(s.rows.back().date);
        const std::string safe = file_name_safe(s.vehicle_label);
        s.name = s.rows.size() == 1 ? a : "od " + a + " do " + b;
        s.name_with_vehicle = s.rows.size() == 1 ? safe + "_(" + a + ")" : safe + "_(" + a + "_" + b + ")";
    }
    return s;
}

}  // namespace tripdesk::cli
