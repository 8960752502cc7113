// Súbor -> "Vymazať vybrané súbory" (men_zmaz, Del): deletes the selected day
// files of the current drive. The menu item is enabled only with the setting
// Administrator on.
#include <QMessageBox>
#include <QTableWidget>

#include "app/day_file_delete.h"
#include "app/ui/card_file_reports.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace {

using namespace tripdesk;

void men_zmazClick(Tfrm_main& main) {
    if (!main.settings().frm_main.Administrator) return;
    const QTableWidgetItem* first = main.str_grid->rowCount() > 0 ? main.str_grid->item(0, 1) : nullptr;
    const auto rows = main.selected_rows();
    if (!first || first->text().isEmpty() || rows.empty()) {
        QMessageBox::information(&main, main.windowTitle(), QString::fromUtf8(app::kNothingSelectedText));
        return;
    }
    // The question's carriage returns are line breaks; Qt breaks lines at "\n".
    const QString question = QString::fromUtf8(app::kDeleteQuestion).replace('\r', '\n');
    if (QMessageBox::warning(&main, main.windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) != QMessageBox::Yes)
        return;

    const int remembered = rows.front().row;
    std::vector<std::string> names;
    for (const auto& row : rows) names.push_back(row.file_name);
    std::vector<app::FailedFile> failed;
    {
        MainProgress progress(main);
        failed = app::delete_day_files(main.current_drive(), names, progress);
    }
    main.rescan();
    ui::select_grid_row(main, remembered);
    if (!failed.empty()) {
        ui::show_failed_files(main, QString::fromUtf8("Tieto súbory sa nepodarilo zmazať:"), failed);
    }
}

}  // namespace

TRIPDESK_REGISTER_MENU(men_zmaz, men_zmazClick);
