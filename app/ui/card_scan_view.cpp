// lst_drvzoznClick: reads the volume data of the chosen drive (or card
// image) and scans its day files for the calendar's year or month into the
// trip grid, with the progress panel over the grid.
#include "app/image_info.h"
#include "common/c_format.h"
#include "common/io_error.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTableWidget>

#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace tripdesk::ui {

namespace {

void show_labels(Tfrm_main& main, const app::VolumeLabels& v) {
    const std::string* texts[5] = {&v.label, &v.free_space, &v.total_space, &v.serial, &v.file_system};
    for (int i = 0; i < 5; ++i) main.vyp_inf[static_cast<size_t>(i)]->setText(QString::fromStdString(*texts[i]));
}

// The empty grid: one data row with empty cells.
void reset_grid(Tfrm_main& main) {
    QTableWidget* grid = main.str_grid;
    grid->clearSelection();
    grid->clearContents();
    grid->setRowCount(1);
}

void set_row(QTableWidget* grid, int row, const app::GridRow& r) {
    const std::string* cells[6] = {&r.date, &r.file, &r.note, &r.distance, &r.max_speed, &r.warning};
    for (int col = 0; col < 6; ++col) grid->setItem(row, col, new QTableWidgetItem(QString::fromStdString(*cells[col])));
}

struct DriveChoice {
    std::string folder;  // the current drive when the volume data were read
    std::string shown;   // the drive named in the unavailability text
    bool ok = false;
};

// Volume data of the image entry. An image without "_image.inf" shows no
// volume data and stands for a card without a label, rather than keeping
// the texts of the drive shown before.
DriveChoice read_image(Tfrm_main& main) {
    DriveChoice c{main.image_folder(), main.image_name().toStdString(), false};
    const app::VirtInfo info = app::ReadVirtInfo(c.folder);
    c.ok = info.exists;
    if (info.labels) {
        show_labels(main, *info.labels);
    } else if (info.exists) {
        show_labels(main, app::VolumeLabels{app::kNoCarId, "", "", "", ""});
    }
    return c;
}

DriveChoice read_drive(Tfrm_main& main, const QListWidgetItem& item) {
    DriveChoice c;
    c.folder = item.data(Qt::UserRole).toString().toStdString();
    std::string mount_point = c.folder;
    if (mount_point.size() > 1 && mount_point.back() == '/') mount_point.pop_back();
    c.shown = mount_point;
    const app::DiskInfo info = app::ReadDiskInfo(volume_source(main), mount_point);
    show_labels(main, info.labels);
    c.ok = info.ok;
    return c;
}

void show_error(Tfrm_main& main, const std::string& text) {
    QMessageBox::warning(&main, main.windowTitle(), QString::fromStdString(text));
}

}  // namespace

void lst_drvzoznClick(Tfrm_main& main) {
    reset_grid(main);
    main.lst_drvzozn->setEnabled(false);
    const int selected = main.lst_drvzozn->currentRow();
    const bool image = selected < 0 || selected == main.lst_drvzozn->count() - 1;

    DriveChoice drive;
    try {
        drive = image ? read_image(main) : read_drive(main, *main.lst_drvzozn->item(selected));
    } catch (const IoError& e) {
        // Only the image's information file is read here.
        main.set_status(QString::fromStdString(app::unavailable_drive_text(main.image_name().toStdString())));
        main.lst_drvzozn->setEnabled(true);
        main.set_current_drive({});
        show_error(main, e.what());
        return;
    }
    if (!drive.ok) {
        main.set_status(QString::fromStdString(app::unavailable_drive_text(drive.shown)));
        main.lst_drvzozn->setEnabled(true);
        main.set_current_drive({});
        return;
    }
    main.set_current_drive(drive.folder);

    main.cal_month->setEnabled(false);
    main.str_grid->hide();
    for (QLabel* label : {main.lbl_prejd0, main.lbl_prejd1, main.lbl_prejd2}) label->setText("0.0 km");

    const auto& s = main.settings();
    app::ScanRequest request;
    request.folder = drive.folder;
    request.year = main.calendar_first().year();
    request.month = main.calendar_first().month();
    request.month_only = main.chk_aktmes->isChecked();
    request.day_files = {s.frm_main.Koeficient, s.frm_main.Force20byte};
    request.ignore_private = s.frm_setexp.IgnoreSluz;
    const app::ScanTexts texts = app::scan_texts(main.strings());

    QTableWidget* grid = main.str_grid;
    double total = 0.0;
    double private_total = 0.0;
    std::string failure;
    try {
        MainProgress progress(main);
        const app::CardScanResult result = app::scan_card(
            request, texts, progress, [&](const app::GridRow& row, int found) {
                // The found day fills the trailing empty row; a new empty row follows.
                set_row(grid, found - 1, row);
                grid->setRowCount(found + 1);
                total += row.summary.Prejd;
                private_total += row.summary.PrejdSukr;
                main.lbl_pocjaz->setText(QString::fromStdString(app::scan_count_line(texts, found)));
            });
        total = result.total_km;
        private_total = result.private_km;
    } catch (const std::exception& e) {
        // The days read before the error stay listed with their totals.
        failure = e.what();
        if (request.ignore_private) private_total = 0.0;
    }
    if (grid->rowCount() > 1) grid->setRowCount(grid->rowCount() - 1);

    main.lbl_prejd0->setText(QString::fromStdString(c_format("%.1f km", total)));
    main.lbl_prejd2->setText(QString::fromStdString(c_format("%.1f km", private_total)));
    select_rows(main, 0, 0);
    UkazPrejdVybrane(main);
    grid->show();
    main.cal_month->setEnabled(true);
    main.lst_drvzozn->setEnabled(true);
    if (!failure.empty()) {
        main.set_status(QString::fromStdString(" - " + failure + " ..."));
        show_error(main, failure);
        return;
    }
    str_gridClick(main);
}

TRIPDESK_REGISTER_MENU(lst_drvzoznClick, lst_drvzoznClick);

}  // namespace tripdesk::ui
