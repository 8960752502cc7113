// The main window's surroundings in a normal run.
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

#include "app/settings.h"
#include "app/ui/frm_main.h"

MainWindowOptions default_main_window_options(const std::string& data_folder, const std::string& program_folder) {
    MainWindowOptions o;
    o.data_folder = data_folder;
    o.program_folder = program_folder;
    o.user_home = tripdesk::app::user_home_folder();
    o.start_program = [](const QString& program, const QString& folder) {
        return QProcess::startDetached(program, {}, folder);
    };
    o.choose_folder = [](QWidget* parent, const QString& prompt, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, prompt, start);
    };
    o.choose_file = [](QWidget* parent, const QString& caption, const QString& start_folder, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, start_folder, filter);
    };
    o.ask_ok_cancel = [](QWidget* parent, const QString& text) {
        return QMessageBox::information(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel) ==
               QMessageBox::Ok;
    };
    return o;
}
