#include "export/ui/file_export_menu.h"

#include <QTableWidget>

#include <filesystem>

#include "export/ui/export_dialogs.h"

namespace tripdesk::ui {

void run_file_export_menu(Tfrm_main& m, const FileExportMenu& menu) {
    const auto rows = m.selected_rows();
    if (rows.empty()) {
        export_dialogs().information(&m, QString::fromUtf8("Žiadne vybrané jazdy !!!"));
        return;
    }
    const QString chosen = export_dialogs().save_file(&m, menu.filter, QString::fromStdString(menu.folder),
                                                      QString::fromStdString(m.VratNazovVyb(true) + menu.extension));
    // A cancelled dialog writes nothing and sends nothing.
    if (chosen.isEmpty()) return;

    m.str_grid->hide();
    {
        MainProgress progress(m);
        try {
            const std::string written = menu.write(rows, chosen.toStdString(), progress);
            if (menu.email_copy && export_copy_hook() && std::filesystem::exists(written))
                export_copy_hook()(m, {menu.kind, written, m.VratNazovVyb(false)}, progress);
        } catch (const std::exception& e) {
            export_dialogs().error(&m, error_text(e));
        }
        progress.position(3);
        progress.pause(400);
    }
    m.str_grid->show();
}

}  // namespace tripdesk::ui
