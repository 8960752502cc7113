#include "cli/cli_selection.h"

#include <sys/stat.h>

#include <chrono>
#include <stdexcept>

#include "app/image_info.h"
#include "app/languages.h"
#include "cli/cli_date.h"
#include "cli/command.h"

namespace tripdesk::cli {

CliDate parse_cli_date(const std::string& text, const std::string& option) {
    bool well_formed = text.size() == 10;
    for (size_t i = 0; well_formed && i < text.size(); ++i)
        well_formed = (i == 4 || i == 7) ? text[i] == '-' : (text[i] >= '0' && text[i] <= '9');
    if (!well_formed) throw UsageError{option + " takes a date YYYY-MM-DD, not \"" + text + "\""};
    CliDate d;
    d.year = std::stoi(text.substr(0, 4));
    d.month = std::stoi(text.substr(5, 2));
    d.day = std::stoi(text.substr(8, 2));
    const std::chrono::year_month_day ymd{std::chrono::year(d.year), std::chrono::month(static_cast<unsigned>(d.month)),
                                          std::chrono::day(static_cast<unsigned>(d.day))};
    if (!ymd.ok()) throw UsageError{option + ": " + text + " is not a calendar date"};
    return d;
}

void require_card(const std::string& card_folder) {
    struct stat st {};
    if (card_folder.empty() || ::stat(card_folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw std::runtime_error(app::unavailable_drive_text(card_folder));
}

std::string card_label(const std::string& card_folder) {
    const app::VirtInfo info = app::ReadVirtInfo(card_folder);
    return info.labels ? app::vehicle_label(*info.labels) : std::string(app::kNoCarId);
}

app::ScanRequest scan_request(const CommandSettings& settings, const std::string& card_folder, int year,
                              int month, bool month_only) {
    app::ScanRequest req;
    req.folder = card_folder;
    req.year = year;
    req.month = month;
    req.month_only = month_only;
    req.day_files.koeficient = settings.settings.frm_main.Koeficient;
    req.day_files.force20byte = settings.settings.frm_main.Force20byte;
    req.ignore_private = settings.settings.frm_setexp.IgnoreSluz;
    return req;
}

app::ScanTexts scan_texts(const CommandSettings& settings) {
    return app::scan_texts(
        app::lng_ReloadStrings(app::language_number_from_setting(settings.settings.frm_setprg.Language)));
}

std::span<const app::GridRow> CliSelection::rows() const {
    if (empty()) return {};
    return std::span<const app::GridRow>(grid.rows).subspan(static_cast<size_t>(selection.top),
                                                            static_cast<size_t>(selection.count()));
}

CliSelection build_selection(const CommandSettings& settings, const SelectionArgs& args, Progress& progress) {
    CliSelection sel;
    sel.card_folder = with_trailing_slash(args.card);
    require_card(sel.card_folder);
    sel.vehicle_label = args.label.empty() ? card_label(sel.card_folder) : args.label;
    sel.grid = app::scan_card(scan_request(settings, sel.card_folder, args.from.year, args.from.month, args.month_only),
                              scan_texts(settings), progress);

    // The grid is in date order, so the rows of the range are contiguous.
    const int lo = date_number(args.from.year, args.from.month, args.from.day);
    const int hi = date_number(args.to.year, args.to.month, args.to.day);
    int top = -1, bottom = -1;
    for (size_t i = 0; i < sel.grid.rows.size(); ++i) {
        const app::GridRow& r = sel.grid.rows[i];
        const int d = date_number(r.year, r.month, r.day);
        if (d < lo || d > hi) continue;
        if (top < 0) top = static_cast<int>(i);
        bottom = static_cast<int>(i);
    }
    if (top < 0) return sel;
    sel.selection = {top, bottom};
    sel.name_with_vehicle = app::VratNazovVyb(sel.grid.rows, sel.selection, sel.vehicle_label, true);
    sel.name_without_vehicle = app::VratNazovVyb(sel.grid.rows, sel.selection, sel.vehicle_label, false);
    return sel;
}

}  // namespace tripdesk::cli
