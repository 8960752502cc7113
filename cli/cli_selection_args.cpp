#include "cli/cli_date.h"
#include "cli/cli_selection.h"
#include "cli/command.h"

namespace tripdesk::cli {

SelectionArgs take_selection_args(std::vector<std::string>& args) {
    const std::string from_text = take_option(args, "--from");
    std::string to_text = take_option(args, "--to");
    SelectionArgs sel;
    sel.month_only = take_flag(args, "--month-only");
    sel.label = take_option(args, "--label");
    if (from_text.empty()) throw UsageError{"--from is needed"};
    if (to_text.empty()) to_text = from_text;
    sel.from = parse_cli_date(from_text, "--from");
    sel.to = parse_cli_date(to_text, "--to");
    if (date_number(sel.to.year, sel.to.month, sel.to.day) < date_number(sel.from.year, sel.from.month, sel.from.day))
        throw UsageError{"--to lies before --from"};
    if (args.empty() || args.front().rfind("--", 0) == 0) throw UsageError{"CARD is needed"};
    sel.card = args.front();
    args.erase(args.begin());
    return sel;
}

CliSelection take_selection(const CommandSettings& settings, std::vector<std::string>& args, Progress& progress) {
    return build_selection(settings, take_selection_args(args), progress);
}

}  // namespace tripdesk::cli
