// The trip grid's selection: the selected distance and count line
// (UkazPrejdVybrane), a click (str_gridClick: status texts and the speed
// chart), a double click (the day's note), select all and select none.
#include "app/ui/speed_chart_view.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>

#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace tripdesk::ui {

namespace {

std::string cell(const QTableWidget* grid, int row, int col) {
    const QTableWidgetItem* item = grid->item(row, col);
    return item ? item->text().toStdString() : std::string();
}

}  // namespace

std::vector<app::GridRow> grid_rows(const Tfrm_main& main) {
    const QTableWidget* grid = main.str_grid;
    std::vector<app::GridRow> rows(static_cast<size_t>(grid->rowCount()));
    for (int r = 0; r < grid->rowCount(); ++r) {
        app::GridRow& row = rows[static_cast<size_t>(r)];
        row.date = cell(grid, r, 0);
        row.file = cell(grid, r, 1);
        row.note = cell(grid, r, 2);
        row.distance = cell(grid, r, 3);
        row.max_speed = cell(grid, r, 4);
        row.warning = cell(grid, r, 5);
    }
    return rows;
}

int listed_rows(const Tfrm_main& main) {
    int listed = 0;
    for (int r = 0; r < main.str_grid->rowCount(); ++r) listed += cell(main.str_grid, r, 1).empty() ? 0 : 1;
    return listed;
}

app::RowSelection grid_selection(const Tfrm_main& main) {
    const auto ranges = main.str_grid->selectedRanges();
    if (ranges.isEmpty()) {
        const int current = std::max(0, main.str_grid->currentRow());
        return {current, current};
    }
    app::RowSelection s{ranges.front().topRow(), ranges.front().bottomRow()};
    for (const auto& range : ranges) {
        s.top = std::min(s.top, range.topRow());
        s.bottom = std::max(s.bottom, range.bottomRow());
    }
    return s;
}

void select_rows(Tfrm_main& main, int top, int bottom) {
    QTableWidget* grid = main.str_grid;
    const int last = grid->rowCount() - 1;
    top = std::clamp(top, 0, std::max(0, last));
    bottom = std::clamp(bottom, top, std::max(0, last));
    grid->clearSelection();
    if (last < 0) return;
    grid->selectionModel()->setCurrentIndex(grid->model()->index(top, 0), QItemSelectionModel::NoUpdate);
    grid->setRangeSelected(QTableWidgetSelectionRange(top, 0, bottom, grid->columnCount() - 1), true);
}

void UkazPrejdVybrane(Tfrm_main& main) {
    const auto rows = grid_rows(main);
    const int listed = listed_rows(main);
    const app::RowSelection selection = grid_selection(main);
    main.lbl_prejd1->setText(QString::fromStdString(app::selected_distance_text(rows, selection)));
    main.lbl_pocjaz->setText(QString::fromStdString(
        app::count_line(app::scan_texts(main.strings()), listed, selection.count())));
}

void str_gridClick(Tfrm_main& main) {
    const std::string file = cell(main.str_grid, grid_selection(main).top, 1);
    if (file.empty()) return;
    const std::string path = main.current_drive() + file;
    const QString bar01 = main.string(app::bar01);
    main.set_status(bar01 + QString(" \"%1\" ...").arg(QString::fromStdString(path)));
    UkazPrejdVybrane(main);
    try {
        draw_speed_chart(main, path);
    } catch (const std::exception& e) {
        // An unreadable day file leaves the previous chart and says why.
        QMessageBox::warning(&main, main.windowTitle(), QString::fromStdString(e.what()));
        return;
    }
    main.set_status(bar01 + QString(" \"%1\" ... ").arg(QString::fromStdString(path)) + main.string(app::bar02));
}

namespace {

void str_gridDblClick(Tfrm_main& main) {
    if (cell(main.str_grid, 0, 0).empty()) return;
    // The note window belongs to the day of the selection's top row.
    if (QWidget* note = main.form("Tfrm_pozn")) main.UkazOknoCenter(note);
}

void men_selallClick(Tfrm_main& main) {
    select_rows(main, 0, main.str_grid->rowCount() - 1);
    UkazPrejdVybrane(main);
}

void men_selnonClick(Tfrm_main& main) {
    const int top = grid_selection(main).top;
    select_rows(main, top, top);
    UkazPrejdVybrane(main);
}

}  // namespace

TRIPDESK_REGISTER_MENU(str_gridClick, str_gridClick);
TRIPDESK_REGISTER_MENU(str_gridDblClick, str_gridDblClick);
TRIPDESK_REGISTER_MENU(men_selallClick, men_selallClick);
TRIPDESK_REGISTER_MENU(men_selnonClick, men_selnonClick);

}  // namespace tripdesk::ui
