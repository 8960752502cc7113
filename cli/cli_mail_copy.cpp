#include "cli/cli_mail_copy.h"

#include <cstdio>
#include <ctime>

#include "export/email_settings.h"

namespace tripdesk::cli {

bool send_mail_copy(mail::ExportCopy kind, const CommandSettings& cs, const MailSelection& selection,
                    const std::string& written, Progress& progress) {
    const mail::MailContext context{selection.vehicle_label, selection.name,
                                    mail::sending_time_text(std::time(nullptr))};
    const auto outcome = mail::send_copy_when_enabled(kind, cs.settings, context, written, progress);
    if (!outcome) return true;
    std::printf("%s\n", outcome->status.c_str());
    return outcome->ok();
}

}  // namespace tripdesk::cli
