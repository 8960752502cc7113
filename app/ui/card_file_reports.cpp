#include "app/ui/card_file_reports.h"

#include <QItemSelectionModel>
#include <QMessageBox>
#include <QTableWidget>

#include "app/ui/frm_main.h"

namespace tripdesk::ui {

namespace {

constexpr size_t kListedFiles = 20;

}  // namespace

void select_grid_row(Tfrm_main& main, int row) {
    QTableWidget* grid = main.str_grid;
    if (grid->rowCount() == 0) return;
    row = std::clamp(row, 0, grid->rowCount() - 1);
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(row, 0, row, grid->columnCount() - 1), true);
    grid->selectionModel()->setCurrentIndex(grid->model()->index(row, 0), QItemSelectionModel::NoUpdate);
    main.dispatch("str_gridClick");
}

void show_failed_files(Tfrm_main& main, const QString& heading, const std::vector<tripdesk::app::FailedFile>& failed) {
    QString text = heading;
    for (size_t i = 0; i < failed.size() && i < kListedFiles; ++i) {
        text += "\n" + QString::fromStdString(failed[i].path) + ": " + QString::fromStdString(failed[i].message);
    }
    if (failed.size() > kListedFiles) text += QString("\n... (+%1)").arg(failed.size() - kListedFiles);
    QMessageBox::warning(&main, main.windowTitle(), text);
}

}  // namespace tripdesk::ui
