// `tripdesk mail CARD --from D --to D`: the day files of the selection with
// their notes by e-mail, as the menu item "Poslať vybrané jazdy emailom".
#include <cstdio>
#include <ctime>

#include "cli/cli_mail_selection.h"
#include "cli/cli_settings.h"
#include "cli/cli_status_progress.h"
#include "cli/command.h"
#include "export/email_settings.h"

namespace tripdesk::cli {
namespace {

int run_mail(const GlobalOptions& global, std::vector<std::string> args) {
    const CommandSettings cs = load_command_settings(global);
    const MailSelection selection = take_mail_selection(args, cs.settings);
    if (!args.empty()) throw UsageError{"unexpected argument " + args.front()};
    if (selection.rows.empty()) {
        std::fprintf(stderr, "Žiadne vybrané jazdy !!!\n");
        return kFailed;
    }
    std::vector<mail::DayFileRow> rows;
    for (const auto& r : selection.rows) rows.push_back({r.date, r.file, r.distance, r.max_speed, r.warning});
    const mail::MailContext context{selection.vehicle_label, selection.name,
                                    mail::sending_time_text(std::time(nullptr))};
    StatusProgress progress;
    const mail::MailOutcome outcome =
        mail::send_day_files(mail::mail_settings(cs.settings), context, selection.folder, rows, progress);
    std::printf("%s\n", outcome.status.c_str());
    return outcome.ok() ? kOk : kFailed;
}

const CommandRegistration registration("mail", "mail CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L]",
                                       run_mail);

}  // namespace
}  // namespace tripdesk::cli
