#include "cli/cli_date.h"
#include "cli/cli_selection.h"
#include "cli/command.h"

namespace tripdesk::cli {

SelectionArgs take_selection_args(std::vector<std::string>& args) {
    const std::string from_text = take_option(args, "--from");
    const std::string to_text = take_option(args, "--to");
    SelectionArgs sel;
    sel.month_only = take_flag(args, "--month-only");
    sel.label = take_option(args, "--label");
    if (args.empty() || args.front().rfind("--", 0) == 0) throw UsageError{"a CARD folder is needed"};
    if (from_text.empty() || to_text.empty()) throw UsageError{"--from and --to are needed"};
    sel.from = parse_cli_date(from_text, "--from");
    sel.to = parse_cli_date(to_text, "--to");
    sel.card = args.front();
    args.erase(args.begin());
    return sel;
}

}  // namespace tripdesk::cli
