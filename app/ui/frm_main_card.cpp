// The main window's card state as other windows see it: the image, the
// vehicle and the selected rows.
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"

QString Tfrm_main::image_name() const {
    if (image_folder_.empty()) return "NONE";
    QString folder = QString::fromStdString(image_folder_);
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\'))) folder.chop(1);
    const int cut = std::max(folder.lastIndexOf('/'), folder.lastIndexOf('\\'));
    return folder.mid(cut + 1);
}

QString Tfrm_main::vehicle_label() const { return vyp_inf[0]->text(); }

void Tfrm_main::open_card_image(const std::string& folder) {
    std::string absolute = QFileInfo(QString::fromStdString(folder)).absoluteFilePath().toStdString();
    if (absolute.empty() || absolute.back() != '/') absolute.push_back('/');
    image_folder_ = absolute;
    dispatch("fill_drive_list");
    // The image entry is the last one; scanning it scans the image folder.
    if (lst_drvzozn->count() > 0) lst_drvzozn->setCurrentRow(lst_drvzozn->count() - 1);
    rescan();
}

void Tfrm_main::rescan() { dispatch("lst_drvzoznClick"); }

std::vector<Tfrm_main::SelectedRow> Tfrm_main::selected_rows() const {
    std::vector<SelectedRow> rows;
    for (const QTableWidgetSelectionRange& range : str_grid->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            const QTableWidgetItem* item = str_grid->item(row, 1);
            if (!item || item->text().isEmpty()) continue;
            rows.push_back(SelectedRow{row, item->text().toStdString()});
        }
    }
    std::sort(rows.begin(), rows.end(), [](const SelectedRow& a, const SelectedRow& b) { return a.row < b.row; });
    return rows;
}

std::string Tfrm_main::VratNazovVyb(bool with_vehicle) const {
    if (selected_rows().empty()) return {};
    return tripdesk::app::VratNazovVyb(tripdesk::ui::grid_rows(*this), tripdesk::ui::grid_selection(*this),
                                       vehicle_label().toStdString(), with_vehicle);
}
