#include "cli/cli_selection_command.h"

#include <cstdio>
#include <ctime>

#include "cli/cli_progress.h"
#include "export/email_settings.h"

namespace tripdesk::cli {

std::string SelectionCommand::output_file(const std::string& folder, const std::string& extension) const {
    return output.empty() ? folder + "/" + selection.name_with_vehicle + extension : output;
}

mail::MailContext SelectionCommand::mail_context() const {
    return {selection.vehicle_label, selection.name_without_vehicle, mail::sending_time_text(std::time(nullptr))};
}

int run_selection_export(const GlobalOptions& global, std::vector<std::string> args, OutputOption output,
                         const std::function<int(SelectionCommand&)>& body) {
    SelectionCommand command;
    if (output == OutputOption::taken) command.output = take_option(args, "-o");
    command.settings = load_command_settings(global);
    const SelectionArgs selection_args = take_selection_args(args);
    if (!args.empty()) throw UsageError{"unexpected argument " + args.front()};
    {
        TerminalProgress scan_progress;
        command.selection = build_selection(command.settings, selection_args, scan_progress);
    }
    if (command.selection.empty()) {
        std::fprintf(stderr, "%s\n", kNoSelectedDaysText);
        return kFailed;
    }
    return body(command);
}

int print_and_copy(SelectionCommand& command, mail::ExportCopy kind, const std::string& written) {
    std::printf("%s\n", written.c_str());
    const auto outcome =
        mail::send_copy_when_enabled(kind, command.s(), command.mail_context(), written, command.progress);
    if (!outcome) return kOk;
    std::printf("%s\n", outcome->status.c_str());
    return outcome->ok() ? kOk : kFailed;
}

}  // namespace tripdesk::cli
