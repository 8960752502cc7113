#include "export/ui/html_export_window.h"

// The logic headers come before Qt's: the day-file reader uses the name
// "slots", which Qt defines as a macro.
#include "common/io_error.h"
#include "export/email_delivery.h"
#include "export/email_settings.h"
#include "export/html_export_settings.h"
#include "export/html_process_starter.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <ctime>

#include "app/ui/frm_main.h"

namespace tripdesk::ui {

void DesktopOpener::open_page(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void DesktopOpener::open_folder(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void GenerujHTML(Tfrm_main& main, const TimeWindow& window) {
    SpawnProcessStarter starter;
    DesktopOpener opener;
    GenerujHTML(main, window, starter, opener);
}

void GenerujHTML(Tfrm_main& main, const TimeWindow& window, ProcessStarter& starter, Opener& opener) {
    HtmlExportJob job;
    job.program_dir = main.program_folder();
    job.drive_folder = main.current_drive();
    job.vehicle_label = main.vehicle_label().toStdString();
    for (const auto& row : main.selected_rows()) job.day_files.push_back(row.file_name);
    job.window = window;
    job.settings = html_export_settings(main.settings());

    const mail::MailSettings mail_settings = mail::mail_settings(main.settings());
    const mail::MailContext mail_context{job.vehicle_label, main.VratNazovVyb(false),
                                         mail::sending_time_text(std::time(nullptr))};
    HtmlExportResult result;
    try {
        MainProgress progress(main);
        HtmlExportServices services{starter, &opener, [&](const std::vector<std::string>& pages) {
                                        // The outcome shows in status panel 2; the export goes on either way.
                                        mail::send_html_pages(mail_settings, mail_context, pages, progress);
                                    }};
        result = tripdesk::GenerujHTML(job, progress, services);
    } catch (const IoError& e) {
        QMessageBox::warning(&main, main.windowTitle(), QString::fromStdString(e.what()));
        return;
    }
    if (result.outcome == HtmlExportOutcome::NothingSelected) {
        QMessageBox::information(&main, main.windowTitle(), QString::fromUtf8(kNoHtmlDaysText));
    }
}

}  // namespace tripdesk::ui
