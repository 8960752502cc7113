#pragma once
// A main window over a fresh data folder, as the program starts it, with the
// system's dialogs and the program starter replaced by recorders.
#include <QApplication>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "app/ui/frm_main.h"
#include "app/volumes.h"
#include "common/atomic_file.h"
#include "temp_folder.h"

namespace tripdesk::testing {

class MainWindowHarness {
public:
    // ini: the settings file's text at start; nullptr for none. volumes: the
    // drives the drive list offers; nullptr for the running system's.
    explicit MainWindowHarness(const char* ini = nullptr,
                               std::shared_ptr<tripdesk::app::VolumeSource> volumes = nullptr) {
        if (ini) write_file_atomically(ini_path(), ini);
        MainWindowOptions o;
        o.data_folder = data.path();
        o.program_folder = program.path();
        o.user_home = "/home/jan";
        o.readability_pauses = false;
        o.volumes = std::move(volumes);
        o.start_program = [this](const QString& program_path, const QString& folder) {
            started.emplace_back(program_path, folder);
            return true;
        };
        o.choose_folder = [this](QWidget*, const QString& prompt, const QString&) {
            prompts.push_back(prompt);
            return next_choice;
        };
        o.choose_file = [this](QWidget*, const QString& caption, const QString&, const QString&) {
            prompts.push_back(caption);
            return next_choice;
        };
        o.ask_ok_cancel = [this](QWidget*, const QString& text) {
            questions.push_back(text);
            return answer_ok;
        };
        main = std::make_unique<Tfrm_main>(std::move(o));
        main->create_secondary_windows();
    }

    void show() {
        main->show();
        QApplication::processEvents();
    }

    // Closes the main window the way the user does (menu Ctrl+Q).
    void exit() {
        main->dispatch("men_konec");
        QApplication::processEvents();
    }

    std::string ini_path() const { return data.file("MARVEK7_tripdesk.ini"); }

    TempFolder data;
    TempFolder program;
    std::unique_ptr<Tfrm_main> main;
    std::vector<std::pair<QString, QString>> started;
    std::vector<QString> prompts;
    std::vector<QString> questions;
    QString next_choice;
    bool answer_ok = true;
};

}  // namespace tripdesk::testing
