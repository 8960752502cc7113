// The e-mail copy of a written logbook or KML export (EmailKJ, EmailKML).
// The logic headers come before Qt's: Qt defines `slots` as a macro.
#include "export/email_settings.h"
#include "export/ui/email_grid_rows.h"
#include "export/ui/export_copy_hook.h"

#include "app/ui/frm_main.h"

namespace tripdesk::ui {
namespace {

void send_copy(Tfrm_main& main, const WrittenExport& written, Progress& progress) {
    mail::MailContext context = mail_context(main);
    context.period = written.selection_name;
    mail::send_export_copy(written.kind == ExportKind::logbook ? mail::ExportCopy::logbook : mail::ExportCopy::kml,
                           mail::mail_settings(main.settings()), context, written.path, progress);
}

const bool installed = [] {
    export_copy_hook() = send_copy;
    return true;
}();

}  // namespace
}  // namespace tripdesk::ui
