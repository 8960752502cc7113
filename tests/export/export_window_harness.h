#pragma once
// A main window for the export windows' tests: a fresh data folder, a card
// folder, grid rows filled as a card scan leaves them, and the export
// dialogs replaced by recorders.
#include "app/ui/frm_main.h"
#include "export/scratch_folder.h"
#include "export/ui/export_dialogs.h"

#include <QApplication>
#include <QTableWidget>

#include <memory>
#include <string>
#include <vector>

namespace tripdesk::testing {

class ExportWindowHarness {
public:
    explicit ExportWindowHarness(const std::string& name) : scratch(name), saved_dialogs_(ui::export_dialogs()) {
        card = scratch.folder("card") + "/";
        MainWindowOptions o;
        o.data_folder = scratch.folder("data") + "/";
        o.program_folder = scratch.folder("program") + "/";
        o.user_home = scratch.path().string();
        o.readability_pauses = false;
        o.start_program = [](const QString&, const QString&) { return true; };
        o.choose_folder = [](QWidget*, const QString&, const QString&) { return QString(); };
        o.choose_file = [](QWidget*, const QString&, const QString&, const QString&) { return QString(); };
        o.ask_ok_cancel = [](QWidget*, const QString&) { return true; };
        main = std::make_unique<Tfrm_main>(std::move(o));
        main->create_secondary_windows();
        main->set_current_drive(card);

        auto& d = ui::export_dialogs();
        d.save_file = [this](QWidget*, const QString& filter, const QString& folder, const QString& proposed) {
            save_requests.push_back({filter, folder, proposed});
            return next_save_path;
        };
        d.information = [this](QWidget*, const QString& text) { informations.push_back(text); };
        d.error = [this](QWidget*, const QString& text) { errors.push_back(text); };
    }
    ~ExportWindowHarness() { ui::export_dialogs() = saved_dialogs_; }

    // Grid rows as the card scan fills them: date, file name, note, distance.
    void set_grid(const std::vector<std::pair<std::string, std::string>>& file_and_distance) {
        QTableWidget* grid = main->str_grid;
        grid->clearContents();
        grid->setRowCount(static_cast<int>(std::max<size_t>(file_and_distance.size(), 1)));
        for (int r = 0; r < static_cast<int>(file_and_distance.size()); ++r) {
            const std::string& file = file_and_distance[static_cast<size_t>(r)].first;
            const std::string date = file.substr(0, 2) + "/" + file.substr(2, 2) + "/" + file.substr(4, 2);
            grid->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(date)));
            grid->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(file)));
            grid->setItem(r, 2, new QTableWidgetItem(QString()));
            grid->setItem(r, 3, new QTableWidgetItem(QString::fromStdString(file_and_distance[static_cast<size_t>(r)].second)));
        }
    }
    void select_rows(int top, int bottom) {
        QTableWidget* grid = main->str_grid;
        grid->clearSelection();
        grid->setRangeSelected(QTableWidgetSelectionRange(top, 0, bottom, grid->columnCount() - 1), true);
    }

    struct SaveRequest {
        QString filter, folder, proposed;
    };

    ScratchFolder scratch;
    std::string card;
    std::unique_ptr<Tfrm_main> main;
    std::vector<SaveRequest> save_requests;
    std::vector<QString> informations;
    std::vector<QString> errors;
    QString next_save_path;

private:
    ui::ExportDialogs saved_dialogs_;
};

}  // namespace tripdesk::testing
