// Menu "Jazdy" -> "Exportovať vybrané do KML" (F3): the selected days as a
// KML document.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "export/kml_export.h"

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/export_copy_hook.h"
#include "export/ui/export_dialogs.h"

#include <QTableWidget>

#include <filesystem>

namespace tripdesk::ui {

void men_expkmlClick(Tfrm_main& m) {
    const auto rows = m.selected_rows();
    if (rows.empty()) {
        export_dialogs().information(&m, QString::fromUtf8("Žiadne vybrané jazdy !!!"));
        return;
    }
    const auto& s = m.settings();
    const QString chosen = export_dialogs().save_file(
        &m, QString::fromUtf8("Súbory pre Google Earth (*.KML)|*.KML"),
        QString::fromStdString(s.frm_setexp.OutputDirKML), QString::fromStdString(m.VratNazovVyb(true) + ".KML"));
    if (chosen.isEmpty()) return;

    kml::KmlExportOptions o;
    o.drive_folder = m.current_drive();
    for (const auto& row : rows) {
        const QTableWidgetItem* distance = m.str_grid->item(row.row, 3);
        // The grid counts data rows from 1 for the colour.
        o.days.push_back({row.row + 1, row.file_name, distance ? distance->text().toStdString() : std::string()});
    }
    o.selection_name = m.VratNazovVyb(false);
    o.output_path = chosen.toStdString();
    o.resolution_m = s.frm_setexp.ResolutionKML;
    o.day_file = {s.frm_main.Koeficient, s.frm_main.Force20byte};

    m.str_grid->hide();
    {
        MainProgress progress(m);
        try {
            const auto result = kml::export_kml(o, progress);
            if (s.frm_setexp.EmailKML && export_copy_hook() && std::filesystem::exists(result.path))
                export_copy_hook()(m, {ExportKind::kml, result.path, result.selection_name}, progress);
        } catch (const std::exception& e) {
            export_dialogs().error(&m, error_text(e));
        }
        progress.position(3);
        progress.pause(400);
    }
    m.str_grid->show();
}

TRIPDESK_REGISTER_MENU(men_expkml, men_expkmlClick);

}  // namespace tripdesk::ui
