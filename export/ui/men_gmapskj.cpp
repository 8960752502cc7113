// "Zoznam zastavení cez GMAPS": the stop list of the selection as CSV, with
// the stops' addresses from reverse geocoding.
// The logic headers come before Qt's: Qt defines `slots` as a macro.
#include "export/email_settings.h"
#include "export/file_extension.h"
#include "export/ui/email_grid_rows.h"

#include <QTableWidget>

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/email_ui_hooks.h"

namespace tripdesk::ui {

namespace {

void men_gmapskjClick(Tfrm_main& main) {
    EmailUiHooks& dialogs = email_ui_hooks();
    const auto rows = selected_stop_list_rows(main);
    if (rows.empty()) {
        dialogs.inform(&main, QString::fromUtf8("Žiadne vybrané jazdy !!!"));
        return;
    }
    const std::string folder = main.settings().frm_setexp.OutputDirHTML;
    const QString proposed = QString::fromStdString(folder + "/" + main.VratNazovVyb(true) + ".CSV");
    const QString chosen = dialogs.save_file(&main, proposed);
    bool written = false;
    {
        MainProgress progress(main);
        if (!chosen.isEmpty()) {
            const std::string path = exports::with_extension(chosen.toStdString(), ".CSV");
            main.str_grid->hide();
            geo::Geocoder geocoder(mail::geo_service_config(main.settings()), progress);
            try {
                stops::write_stop_list(path, main.vehicle_label().toStdString(), main.current_drive(), rows,
                                       mail::stop_list_options(main.settings()), geocoder, progress);
                written = true;
            } catch (const IoError& e) {
                main.hide_progress_panel();
                main.str_grid->show();
                dialogs.warn(&main, QString::fromStdString(e.what()));
                return;
            }
        } else {
            progress.status(" - exportovanie zoznamu zastavení dokončené ...");
            progress.pause(400);
        }
    }
    if (written) dialogs.open_folder(QString::fromStdString(folder));
    main.str_grid->show();
}

}  // namespace
}  // namespace tripdesk::ui

TRIPDESK_REGISTER_MENU(men_gmapskj, [](Tfrm_main& main) { tripdesk::ui::men_gmapskjClick(main); });
