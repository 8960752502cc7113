// Main menu "Jazdy" -> "Exportovať vybrané do MRP" (F4): the selected day
// files into the accounting program's logbook tables.
// The logic header comes before Qt's: the day-file reader has a variable
// named like Qt's "slots" keyword macro.
#include "export/export_settings.h"

#include <QApplication>
#include <QMessageBox>
#include <QTableWidget>

#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace {

void information(Tfrm_main& main, const char* text) {
    QMessageBox::information(&main, QApplication::applicationName(), QString::fromUtf8(text));
}

// The main window's progress panel, with the trip grid hidden while the
// panel shows.
class GridHidingProgress final : public tripdesk::Progress {
public:
    explicit GridHidingProgress(Tfrm_main& main) : main_(main), panel_(main) {}
    ~GridHidingProgress() override { main_.str_grid->show(); }
    void title(const std::string& text) override {
        main_.str_grid->hide();
        panel_.title(text);
    }
    void maximum(int max) override { panel_.maximum(max); }
    void position(int pos) override { panel_.position(pos); }
    void step() override { panel_.step(); }
    void status(const std::string& text) override { panel_.status(text); }
    void pump() override { panel_.pump(); }
    void pause(int ms) override { panel_.pause(ms); }

private:
    Tfrm_main& main_;
    MainProgress panel_;
};

void men_exmrpClick(Tfrm_main& main) {
    using namespace tripdesk::mrp;
    MrpExportOptions options = tripdesk::exports::mrp_export_settings(main.settings());
    options.drive_folder = main.current_drive();
    for (const Tfrm_main::SelectedRow& row : main.selected_rows()) options.day_files.push_back(row.file_name);
    options.vehicle_label = main.vehicle_label().toStdString();

    MrpOutcome outcome = MrpOutcome::Exported;
    QString error;
    {
        GridHidingProgress progress(main);
        try {
            outcome = export_mrp(options, progress).outcome;
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
    }
    if (outcome == MrpOutcome::NoSelectedTrips) information(main, kNoSelectedTrips);
    if (outcome == MrpOutcome::TablesNotFound) information(main, kTablesNotFound);
    if (!error.isEmpty()) QMessageBox::warning(&main, QApplication::applicationName(), error);
}

}  // namespace

TRIPDESK_REGISTER_MENU(men_exmrp, men_exmrpClick);
