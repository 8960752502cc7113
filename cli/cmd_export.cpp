// `tripdesk export KIND CARD --from D --to D ...`: dispatches to the export
// kinds registered by their own files.
#include "cli/command.h"

namespace tripdesk::cli {

std::map<std::string, Command>& export_kinds() {
    static std::map<std::string, Command> kinds;
    return kinds;
}

namespace {

int run_export(const GlobalOptions& global, std::vector<std::string> args) {
    if (args.empty()) throw UsageError{"export needs a kind"};
    const auto it = export_kinds().find(args.front());
    if (it == export_kinds().end()) throw UsageError{"unknown export kind " + args.front()};
    args.erase(args.begin());
    return it->second.run(global, std::move(args));
}

const CommandRegistration registration(
    "export", "export logbook|kml|stops|mrp|html CARD --from YYYY-MM-DD --to YYYY-MM-DD [-o FILE]", run_export);

}  // namespace
}  // namespace tripdesk::cli
