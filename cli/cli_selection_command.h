#pragma once
// The frame of every command that works on a selection (export logbook, kml,
// stops, mrp, html and mail):
//
//   int run_export_kml(const GlobalOptions& global, std::vector<std::string> args) {
//       return run_selection_export(global, std::move(args), OutputOption::taken, [](SelectionCommand& c) {
//           ... write c.selection.rows() to c.output or the proposed name ...
//           return print_and_copy(c, mail::ExportCopy::kml, written);
//       });
//   }
//
// A command takes its own options out of args before it calls the frame.
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_selection.h"
#include "cli/cli_settings.h"
#include "cli/cli_status_progress.h"
#include "cli/command.h"
#include "export/email_delivery.h"

namespace tripdesk::cli {

// The text and exit status 1 of a selection without a day file.
inline constexpr const char* kNoSelectedDaysText = "Žiadne vybrané jazdy !!!";

// What a selection command works with once its arguments are taken.
struct SelectionCommand {
    CommandSettings settings;
    CliSelection selection;
    std::string output;       // -o FILE as given; empty without it
    StatusProgress progress;  // status texts on stderr, one per line

    const app::Settings& s() const { return settings.settings; }
    // The file to write: -o FILE as given, else the proposed name in the
    // export's output folder, FOLDER/selection name with the vehicle + extension.
    std::string output_file(const std::string& folder, const std::string& extension) const;
    // The vehicle, the selection name without the vehicle and the sending time
    // (now), for the messages of the e-mail delivery.
    mail::MailContext mail_context() const;
};

// Whether the command writes one file that -o FILE names.
enum class OutputOption { none, taken };

// Takes -o FILE (with OutputOption::taken), loads the settings, takes the
// selection (CARD --from --to [--month-only] [--label L]) and refuses any
// argument left over (usage error). A selection without a day file prints
// kNoSelectedDaysText on stderr and gives status 1; otherwise the card is
// scanned (a progress bar on a terminal) and `body` runs; its status is the
// command's.
int run_selection_export(const GlobalOptions& global, std::vector<std::string> args, OutputOption output,
                         const std::function<int(SelectionCommand&)>& body);

// Prints the written file's path on stdout; when the export's e-mail option
// (EmailKJ, EmailKML) is on, sends the file as the e-mail copy and prints the
// final status text. Status 1 when the copy could not be sent, the file
// staying written.
int print_and_copy(SelectionCommand& command, mail::ExportCopy kind, const std::string& written);

}  // namespace tripdesk::cli
