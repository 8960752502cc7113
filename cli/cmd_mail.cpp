// `tripdesk mail CARD --from D --to D`: the day files of the selection with
// their notes by e-mail, as the menu item "Poslať vybrané jazdy emailom".
#include <cstdio>

#include "cli/cli_selection_command.h"
#include "export/email_settings.h"

namespace tripdesk::cli {
namespace {

int run_mail(const GlobalOptions& global, std::vector<std::string> args) {
    return run_selection_export(global, std::move(args), OutputOption::none, [](SelectionCommand& c) {
        std::vector<mail::DayFileRow> rows;
        for (const app::GridRow& r : c.selection.rows())
            rows.push_back({r.date, r.file, r.distance, r.max_speed, r.warning});
        const mail::MailOutcome outcome = mail::send_day_files(mail::mail_settings(c.s()), c.mail_context(),
                                                               c.selection.card_folder, rows, c.progress);
        std::printf("%s\n", outcome.status.c_str());
        return outcome.ok() ? kOk : kFailed;
    });
}

const CommandRegistration registration("mail", "mail CARD --from YYYY-MM-DD --to YYYY-MM-DD [--month-only] [--label L]",
                                       run_mail);

}  // namespace
}  // namespace tripdesk::cli
