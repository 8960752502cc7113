#pragma once
// The e-mail copy of a written logbook or KML file on the command line.
#include <string>

#include "cli/cli_mail_selection.h"
#include "cli/cli_settings.h"
#include "common/progress.h"
#include "export/email_delivery.h"

namespace tripdesk::cli {

// Sends the copy when its option (EmailKJ, EmailKML) is on and prints the
// final status text; false when sending failed.
bool send_mail_copy(mail::ExportCopy kind, const CommandSettings& cs, const MailSelection& selection,
                    const std::string& written, Progress& progress);

}  // namespace tripdesk::cli
