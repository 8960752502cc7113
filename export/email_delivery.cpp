#include "export/email_delivery.h"
#include "export/long_time_format.h"

#include <sys/stat.h>

#include "common/atomic_file.h"
#include "common/c_format.h"
#include "export/mail_notes.h"

namespace tripdesk::mail {

namespace {

const std::string kFooter =
    "Tento email bol vygenerovaný automaticky programom MARVEK7 Tripdesk\r\n"
    "www.marvek7-tripdesk.sk, podpora@marvek7-tripdesk.sk, tel.: +421 2 4000 4700";
const std::string kGreeting = "S pozdravom ...";
const std::string kMissingAttachment = "Chyba pri vkladaní prílohy!";

bool is_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string base_name(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string subject(const std::string& vehicle, const char* what) {
    return "SPZ [" + vehicle + "] - " + what;
}

std::string head(const MailContext& context) {
    return "ŠPZ vozidla: " + context.vehicle + ", dátum a čas odoslania: " + context.sending_time;
}

std::string closing(const MailSettings& settings) {
    return kGreeting + "\r\n" + settings.signature + "\r\n\r\n" + kFooter;
}

// A fresh message with the sender, the recipients and the subject.
MailMessage new_message(const MailSettings& settings, std::string subject_text) {
    MailMessage message;
    message.sender = settings.sender;
    message.recipients = split_addresses(settings.address);
    message.subject = std::move(subject_text);
    return message;
}

// Sends and turns the result into the status text; an error of the send
// replaces one found while composing.
MailOutcome deliver(const MailSettings& settings, const MailMessage& message, std::string error,
                    const std::string& success, Progress& progress) {
    progress.status(" - prebieha odosielanie emailu na adresu: " + settings.address);
    progress.pump();
    if (std::string send_error = send_message(settings.server, message, progress); !send_error.empty())
        error = std::move(send_error);
    MailOutcome outcome{error, error.empty() ? success : " - chyba pri odosielaní emailu: " + error};
    progress.status(outcome.status);
    return outcome;
}

}  // namespace

MailOutcome send_export_copy(ExportCopy kind, const MailSettings& settings, const MailContext& context,
                             const std::string& file, Progress& progress) {
    const bool logbook = kind == ExportCopy::logbook;
    progress.title(logbook ? "Posielanie KJ výstupu na email ..." : "Posielanie KML výstupu na email");
    progress.maximum(3);
    progress.position(1);
    progress.pause(200);

    MailMessage message =
        new_message(settings, subject(context.vehicle, logbook ? "výstup pre Knihu Jázd" : "výstup pre Google Earth"));
    const std::string name = base_name(file);
    message.body = head(context) + "\r\n\r\n" + "Súbor obsahuje údaje za obdobie: " + context.period + "\r\n" +
                   "Názov súboru v prílohe: " + name + "\r\n\r\n" + closing(settings);
    progress.position(2);
    progress.pause(200);

    std::string error;
    if (is_file(file))
        message.attachments.push_back({file});
    else
        error = kMissingAttachment;
    return deliver(settings, message, std::move(error),
                   " - email so súborom " + name + " bol úspešne odoslaný ...", progress);
}

MailOutcome send_html_pages(const MailSettings& settings, const MailContext& context,
                            const std::vector<std::string>& pages, Progress& progress) {
    progress.title("Posielanie HTML výstupu na email");
    progress.maximum(static_cast<int>(pages.size()) + 2);
    progress.position(1);
    progress.pause(200);

    MailMessage message = new_message(settings, subject(context.vehicle, "výstup Google Maps"));
    for (const auto& page : pages) {
        if (is_file(page)) message.attachments.push_back({page});
        progress.step();
        progress.pause(30);
    }
    message.body = head(context) + "\r\n" + "Súbor obsahuje údaje za obdobie: " + context.period + "\r\n\r\n" +
                   closing(settings);
    return deliver(settings, message, {},
                   c_format(" - email so %d súbormi bol úspešne odoslaný ...", static_cast<int>(pages.size())),
                   progress);
}

MailOutcome send_day_files(const MailSettings& settings, const MailContext& context, const std::string& folder,
                           const std::vector<DayFileRow>& rows, Progress& progress) {
    const int count = static_cast<int>(rows.size());
    progress.title("Posielanie záznamov na email ...");
    progress.maximum(count + 2);

    MailMessage message = new_message(settings, subject(context.vehicle, "záznamy z MARVEK7"));
    std::string body = head(context) + "\r\n\r\n";
    std::string notes;
    int skipped = 0;
    for (const auto& row : rows) {
        const std::string note_path = find_note_file(folder, row.file_name);
        if (!note_path.empty()) {
            const std::string note = joined_note_lines(read_whole_file(note_path));
            if (!note.empty()) notes += "Komentár k dátumu: " + row.date + "\r\n" + note + "\r\n";
        }
        const std::string day_path = folder + row.file_name;
        if (is_file(day_path)) {
            body += row.file_name + " - " + row.date + "    Najazdené km: " + row.distance +
                    " (max. rýchlosť: " + row.max_speed + ") " + row.remark + "\r\n";
            if (!note_path.empty()) message.attachments.push_back({note_path});
            message.attachments.push_back({day_path});
        } else {
            ++skipped;
        }
        progress.status(" - pridávanie prílohy do emailu: \"" + day_path + "\" ...");
        progress.step();
        progress.pause(30);
    }
    if (!notes.empty()) {
        notes.resize(notes.size() - 2);
        body += "\r\n" + notes;
    }
    message.body = body + "\r\n" + closing(settings);
    progress.title("Čakajte prosím na dokončenie !!");
    progress.position(count);

    MailOutcome outcome = deliver(
        settings, message, {},
        c_format(" - email so %d GPS súbormi (%d vynechaných) bol úspešne odoslaný na email ...", count, skipped),
        progress);
    progress.step();
    progress.pause(400);
    return outcome;
}

std::string sending_time_text(std::time_t when) {
    std::tm t{};
    localtime_r(&when, &t);
    return c_format("%d.%d.%04d ", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900) + format_long_time(t);
}

}  // namespace tripdesk::mail
