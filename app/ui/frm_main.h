#pragma once
// The main window: menu, left panel (calendar, drive list, volume labels),
// right panel (trip grid, progress panel, totals, count line, speed-chart
// strip), status bar, and the program's shell duties: creating every
// secondary window, reading the settings at the first show, writing them at
// exit, languages, and showing secondary windows centred over it.
//
// Other windows and menu handlers reach everything they need through this
// class:
//   - settings(): the live settings object (edit it from your controls);
//     settings_ini() for the catalogue sections CAR_LIST and CAS_OKNO;
//   - current_drive(), vehicle_label(), selected_rows(), VratNazovVyb();
//   - MainProgress: the progress panel and status panel 2 as a tripdesk::Progress;
//   - form<Tfrm_x>() / form("Tfrm_x"): the other windows; UkazOknoCenter();
//   - rescan(): scan the current drive again (after deleting or a note save).
//
// Signals for the other windows: settings_loaded() after the file was read
// at the first show (fill your controls from settings()), settings_saving()
// just before the file is written at exit (put your controls' values into
// settings(), e.g. the chosen port), language_changed() after a language
// was activated.
//
// Events of the card on screen are dispatched by name to handlers
// registered with TRIPDESK_REGISTER_MENU (app/ui/window_registry.h), so the
// card behaviour lives in its own files: "fill_drive_list" (first show, the
// drive icon, a language change, opening an image), "lst_drvzoznClick",
// "cal_monthClick", "chk_aktmesClick", "str_gridClick", "str_gridDblClick",
// "tmr_hodinyTimer" (after the clock texts are shown, once a second),
// "men_selallClick", "men_selnonClick". Menu items dispatch by their own
// name (men_expkj, ...) and fall back to their window (men_setexp opens
// Tfrm_setexp through UkazOknoCenter).
#include <QDate>
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/languages.h"
#include "app/settings.h"
#include "common/progress.h"

class QAction;
class QCalendarWidget;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QTableWidget;
class QTimer;
class QToolButton;

namespace tripdesk::app {
class VolumeSource;
}

// What the main window takes from its surroundings; tests inject their own.
struct MainWindowOptions {
    // Data folder (settings file, card images), with a trailing "/".
    std::string data_folder;
    // Folder of the installed files (changeslog.txt, _gmaps, _firmware), with a trailing "/".
    std::string program_folder;
    // The settings file; empty: MARVEK7_tripdesk.ini in the data folder.
    std::string settings_path;
    // The user's home folder, for the default output folders.
    std::string user_home;
    // Readability pauses of the progress panel; tests turn them off.
    bool readability_pauses = true;
    // Starts a program in its own folder (RunProgram); returns whether it started.
    std::function<bool(const QString& program, const QString& folder)> start_program;
    // The system's dialogs, replaceable in tests. choose_folder and
    // choose_file return an empty text when the user cancels.
    std::function<QString(QWidget* parent, const QString& prompt, const QString& start)> choose_folder;
    std::function<QString(QWidget* parent, const QString& caption, const QString& start_folder,
                          const QString& filter)>
        choose_file;
    // An information box with OK and Cancel; true for OK.
    std::function<bool(QWidget* parent, const QString& text)> ask_ok_cancel;
    // The drives the drive list offers; nullptr: the running system's volumes.
    std::shared_ptr<tripdesk::app::VolumeSource> volumes;
};

// The options of a normal run: system dialogs, QProcess, real pauses.
MainWindowOptions default_main_window_options(const std::string& data_folder, const std::string& program_folder);

class Tfrm_main : public QMainWindow {
    Q_OBJECT

public:
    explicit Tfrm_main(MainWindowOptions options, QWidget* parent = nullptr);
    ~Tfrm_main() override;

    // Creates every registered secondary window in the program's fixed order
    // (a window whose code is not in the program is skipped), hidden.
    void create_secondary_windows();

    // --- settings -------------------------------------------------------
    tripdesk::app::Settings& settings() { return settings_; }
    const tripdesk::app::Settings& settings() const { return settings_; }
    // The settings file as read at start (catalogue sections).
    const tripdesk::app::IniFile& settings_ini() const { return settings_ini_; }
    const std::string& settings_path() const { return settings_path_; }
    const MainWindowOptions& options() const { return options_; }
    const std::string& data_folder() const { return options_.data_folder; }
    const std::string& program_folder() const { return options_.program_folder; }

    // --- language -------------------------------------------------------
    int active_language() const { return language_; }
    // The string slots of the active language (filled by lng_ReloadStrings).
    const tripdesk::app::LanguageStrings& strings() const { return strings_; }
    QString string(tripdesk::app::StringSlot slot) const;
    // Makes a language number (1-4) active: re-labels the five translated
    // windows, reloads the string slots, lays out the grid columns, refills
    // the drive list, emits language_changed.
    void activate_language(int language_number);
    void lng_ReloadStrings();

    // --- the card -------------------------------------------------------
    // The scanned folder with a trailing "/"; empty before a scan or after a
    // failed one.
    const std::string& current_drive() const { return current_drive_; }
    void set_current_drive(const std::string& folder) { current_drive_ = folder; }
    // The open card image's folder (empty when none) and its name ("NONE").
    const std::string& image_folder() const { return image_folder_; }
    void set_image_folder(const std::string& folder) { image_folder_ = folder; }
    QString image_name() const;
    // The vehicle: the volume label text (vyp_inf00).
    QString vehicle_label() const;
    // Opens a folder as the card image and scans it (the command line's CARD_FOLDER).
    void open_card_image(const std::string& folder);
    // Scans the current drive again.
    void rescan();

    struct SelectedRow {
        int row;                // absolute data-row index, 0 = first day
        std::string file_name;  // grid column 1, such as "150309.GPS"
    };
    // The selected rows from top to bottom that list a day file.
    std::vector<SelectedRow> selected_rows() const;
    // The name of the selection: "od 01-03-09 do 15-03-09" / "15-03-09", or
    // with the vehicle "BA-123AB_(01-03-09_15-03-09)" / "BA-123AB_(15-03-09)".
    // Empty when no row is selected.
    std::string VratNazovVyb(bool with_vehicle) const;

    // --- windows --------------------------------------------------------
    QWidget* form(const QString& class_name) const;
    template <class W>
    W* form() const {
        for (QWidget* w : secondary_windows_) {
            if (auto* typed = dynamic_cast<W*>(w)) return typed;
        }
        return nullptr;
    }
    // Disables the main window and shows the window centred over it, without
    // waiting; the main window is enabled again when the window closes.
    void UkazOknoCenter(QWidget* window);
    // Runs a main-menu item or card event as if the user had chosen it.
    void dispatch(const QString& name);

    // --- status bar and progress panel ----------------------------------
    void set_status(const QString& text);  // status panel 2
    QString status_text(int panel) const;
    // Shows the progress panel with a title, centred over the grid
    // (UkazLoadNadpis); MainProgress does this for you.
    void UkazLoadNadpis(const QString& title);
    void hide_progress_panel();
    void pause_for_readability(int ms);

    // Grid columns and headings for the current width and language.
    void DesignCols();
    // The version text "01.07.84" shown in the title and the about window.
    static QString version_text();

    // Controls, for the card behaviour and tests.
    QCalendarWidget* cal_month = nullptr;
    QCheckBox* chk_aktmes = nullptr;
    QToolButton* img_drvico = nullptr;
    QListWidget* lst_drvzozn = nullptr;
    QListWidget* lst_temp = nullptr;  // hidden: the clock's copy of the drive list
    std::array<QLabel*, 5> vyp_inf{};   // volume values vyp_inf00..04
    QLabel* img_grda = nullptr;
    QLabel* lbl_nadpis = nullptr;
    QTableWidget* str_grid = nullptr;
    QFrame* pnl_loads = nullptr;
    QLabel* lbl_stav0 = nullptr;
    QLabel* lbl_stav1 = nullptr;
    QProgressBar* prg_stav = nullptr;
    QLabel* lbl_prejd0 = nullptr;  // total distance
    QLabel* lbl_prejd1 = nullptr;  // selected distance
    QLabel* lbl_prejd2 = nullptr;  // private distance
    QLabel* lbl_pocjaz = nullptr;
    QFrame* shp_ram04 = nullptr;
    QFrame* shp_ram03 = nullptr;
    QLabel* img_tgrf = nullptr;  // speed-chart strip
    QTimer* tmr_hodiny = nullptr;
    QAction* menu_item(const QString& name) const;
    // The calendar's selected range (CalenSelDate .. CalenEndDate).
    QDate calendar_first() const;
    QDate calendar_last() const;
    void set_calendar_range(const QDate& first, const QDate& last);

signals:
    void settings_loaded();
    void settings_saving();
    void language_changed(int language_number);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_menu();
    void build_left_panel(QWidget* panel);
    void build_right_panel(QWidget* panel);
    void FormShow();
    void first_show();
    void read_settings_into_windows();
    void apply_window_geometry();
    void store_window_geometry();
    void paint_gradient();
    void lay_out_bottom_strip();
    void tmr_hodinyTimer();
    void RunProgram(const std::string& path);
    void on_calendar_clicked(const QDate& date);
    void highlight_calendar_range();
    void destroy_secondary_windows();

    MainWindowOptions options_;
    std::string settings_path_;
    tripdesk::app::Settings settings_;
    tripdesk::app::IniFile settings_ini_;
    int language_ = tripdesk::app::kSlovak;
    tripdesk::app::LanguageStrings strings_;
    std::string current_drive_;
    std::string image_folder_;
    std::vector<QWidget*> secondary_windows_;  // in creation order
    std::map<QString, QAction*> menu_items_;
    std::array<QLabel*, 3> status_panels_{};
    QWidget* right_panel_ = nullptr;
    QWidget* left_panel_ = nullptr;
    QWidget* bottom_strip_ = nullptr;
    QWidget* totals_panel_ = nullptr;
    QDate range_first_;
    QDate range_last_;
    bool shown_once_ = false;
    bool closing_ = false;
};

// The progress panel and status panel 2 of the main window as a Progress
// reporter. The panel shows from title() until the reporter is destroyed.
class MainProgress final : public tripdesk::Progress {
public:
    explicit MainProgress(Tfrm_main& main) : main_(main) {}
    ~MainProgress() override;
    void title(const std::string& text) override;
    void maximum(int max) override;
    void position(int pos) override;
    void step() override;
    void status(const std::string& text) override;
    void pump() override;
    void pause(int ms) override;

private:
    Tfrm_main& main_;
};
