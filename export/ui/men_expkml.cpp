// Menu "Jazdy" -> "Exportovať vybrané do KML" (F3): the selected days as a
// KML document.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "export/export_settings.h"

#include "app/ui/window_registry.h"
#include "export/ui/file_export_menu.h"

#include <QTableWidget>

namespace tripdesk::ui {

void men_expkmlClick(Tfrm_main& m) {
    const auto& s = m.settings();
    run_file_export_menu(
        m, {QString::fromUtf8("Súbory pre Google Earth (*.KML)|*.KML"), s.frm_setexp.OutputDirKML, ".KML",
            ExportKind::kml, s.frm_setexp.EmailKML,
            [&](const std::vector<Tfrm_main::SelectedRow>& rows, const std::string& chosen, Progress& progress) {
                kml::KmlExportOptions o = exports::kml_export_settings(s);
                o.drive_folder = m.current_drive();
                for (const auto& row : rows) {
                    const QTableWidgetItem* distance = m.str_grid->item(row.row, 3);
                    // The grid counts data rows from 1 for the colour.
                    o.days.push_back(
                        {row.row + 1, row.file_name, distance ? distance->text().toStdString() : std::string()});
                }
                o.selection_name = m.VratNazovVyb(false);
                o.output_path = chosen;
                return kml::export_kml(o, progress).path;
            }});
}

TRIPDESK_REGISTER_MENU(men_expkml, men_expkmlClick);

}  // namespace tripdesk::ui
