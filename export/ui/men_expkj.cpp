// Menu "Jazdy" -> "Exportovať vybrané do KJ" (F2): the selected days as a
// logbook text file.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "export/export_settings.h"

#include "app/ui/window_registry.h"
#include "export/ui/file_export_menu.h"

namespace tripdesk::ui {

void men_expkjClick(Tfrm_main& m) {
    const auto& s = m.settings();
    run_file_export_menu(
        m, {QString::fromUtf8("Súbory pre Knihu Jázd (*.TXT)|*.TXT"), s.frm_setexp.OutputDirKJ, ".TXT",
            ExportKind::logbook, s.frm_setexp.EmailKJ,
            [&](const std::vector<Tfrm_main::SelectedRow>& rows, const std::string& chosen, Progress& progress) {
                logbook::LogbookExportOptions o = exports::logbook_export_settings(s);
                o.drive_folder = m.current_drive();
                for (const auto& row : rows) o.day_files.push_back(row.file_name);
                o.vehicle_label = m.vehicle_label().toStdString();
                o.selection_name = m.VratNazovVyb(false);
                o.output_path = chosen;
                return logbook::export_logbook(o, progress).path;
            }});
}

TRIPDESK_REGISTER_MENU(men_expkj, men_expkjClick);

}  // namespace tripdesk::ui
