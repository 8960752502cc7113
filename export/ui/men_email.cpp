// "Poslať vybrané jazdy emailom": the day files of the selection with their
// notes by e-mail.
// The logic headers come before Qt's: Qt defines `slots` as a macro.
#include "export/email_settings.h"
#include "export/ui/email_grid_rows.h"

#include <QTableWidget>

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/email_ui_hooks.h"

namespace tripdesk::ui {
namespace {

void men_emailClick(Tfrm_main& main) {
    const auto rows = selected_day_file_rows(main);
    if (rows.empty()) {
        email_ui_hooks().inform(&main, QString::fromUtf8("Žiadne vybrané jazdy !!!"));
        return;
    }
    main.str_grid->hide();
    {
        MainProgress progress(main);
        mail::send_day_files(mail::mail_settings(main.settings()), mail_context(main), main.current_drive(), rows,
                             progress);
    }
    main.str_grid->show();
}

}  // namespace
}  // namespace tripdesk::ui

TRIPDESK_REGISTER_MENU(men_email, [](Tfrm_main& main) { tripdesk::ui::men_emailClick(main); });
