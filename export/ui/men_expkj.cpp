// Menu "Jazdy" -> "Exportovať vybrané do KJ" (F2): the selected days as a
// logbook text file.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "export/logbook_export.h"

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"
#include "export/ui/export_copy_hook.h"
#include "export/ui/export_dialogs.h"

#include <QTableWidget>

#include <filesystem>

namespace tripdesk::ui {

void men_expkjClick(Tfrm_main& m) {
    const auto rows = m.selected_rows();
    if (rows.empty()) {
        export_dialogs().information(&m, QString::fromUtf8("Žiadne vybrané jazdy !!!"));
        return;
    }
    const auto& s = m.settings();
    const QString chosen = export_dialogs().save_file(
        &m, QString::fromUtf8("Súbory pre Knihu Jázd (*.TXT)|*.TXT"), QString::fromStdString(s.frm_setexp.OutputDirKJ),
        QString::fromStdString(m.VratNazovVyb(true) + ".TXT"));
    // A cancelled dialog writes nothing and sends nothing.
    if (chosen.isEmpty()) return;

    logbook::LogbookExportOptions o;
    o.drive_folder = m.current_drive();
    for (const auto& row : rows) o.day_files.push_back(row.file_name);
    o.vehicle_label = m.vehicle_label().toStdString();
    o.selection_name = m.VratNazovVyb(false);
    o.output_path = chosen.toStdString();
    o.resolution_m = s.frm_setexp.ResolutionKJ;
    o.ignore_sluz = s.frm_setexp.IgnoreSluz;
    o.ignore_krat = s.frm_setexp.IgnoreKrat;
    o.day_file = {s.frm_main.Koeficient, s.frm_main.Force20byte};

    m.str_grid->hide();
    {
        MainProgress progress(m);
        try {
            const auto result = logbook::export_logbook(o, progress);
            if (s.frm_setexp.EmailKJ && export_copy_hook() && std::filesystem::exists(result.path))
                export_copy_hook()(m, {ExportKind::logbook, result.path, result.selection_name}, progress);
        } catch (const std::exception& e) {
            export_dialogs().error(&m, error_text(e));
        }
        progress.position(3);
        progress.pause(400);
    }
    m.str_grid->show();
}

TRIPDESK_REGISTER_MENU(men_expkj, men_expkjClick);

}  // namespace tripdesk::ui
