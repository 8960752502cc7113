// The logic headers (through email_grid_rows.h) come before Qt's: Qt defines `slots` as a macro.
#include "export/ui/email_grid_rows.h"

#include <QTableWidget>

#include <ctime>

#include "app/ui/frm_main.h"

namespace tripdesk::ui {

namespace {

std::string cell(const Tfrm_main& main, int row, int column) {
    const QTableWidgetItem* item = main.str_grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

}  // namespace

std::vector<mail::DayFileRow> selected_day_file_rows(const Tfrm_main& main) {
    std::vector<mail::DayFileRow> rows;
    for (const auto& selected : main.selected_rows()) {
        const int r = selected.row;
        rows.push_back({cell(main, r, 0), selected.file_name, cell(main, r, 3), cell(main, r, 4), cell(main, r, 5)});
    }
    return rows;
}

std::vector<stops::StopListRow> selected_stop_list_rows(const Tfrm_main& main) {
    std::vector<stops::StopListRow> rows;
    for (const auto& selected : main.selected_rows()) rows.push_back({cell(main, selected.row, 0), selected.file_name});
    return rows;
}

mail::MailContext mail_context(const Tfrm_main& main) {
    return {main.vehicle_label().toStdString(), main.VratNazovVyb(false), mail::sending_time_text(std::time(nullptr))};
}

}  // namespace tripdesk::ui
