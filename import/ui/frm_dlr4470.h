#pragma once
// The import window of the DLR4470 logger: finds the logger, matches it to a
// vehicle, reads its records into the vehicle's card image and erases it.
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "track/vehicle_list.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tripdesk::import::ui {

// What the window takes from its surroundings; tests inject their own boxes
// and waits.
struct Dlr4470WindowOptions {
    std::string data_folder;  // with a trailing "/"
    app::Settings::FrmDlr4470* settings = nullptr;
    std::vector<track::Vehicle> vehicles;
    std::function<bool(QWidget*, const QString&)> ask_yes_no;
    std::function<void(QWidget*, const QString&)> show_message;
    std::function<void(int ms)> sleep;  // keeps the window painted while it waits
};

// Message boxes and an event-loop wait.
Dlr4470WindowOptions default_dlr4470_window_options(std::string data_folder, app::Settings::FrmDlr4470* settings,
                                                    std::vector<track::Vehicle> vehicles);

}  // namespace tripdesk::import::ui

class Tfrm_dlr4470 : public QWidget {
    Q_OBJECT

public:
    explicit Tfrm_dlr4470(tripdesk::import::ui::Dlr4470WindowOptions options, QWidget* parent = nullptr);

    // The vehicle list offered in cmb_auta; the program sets it once the
    // settings file has been read.
    void set_vehicles(std::vector<tripdesk::track::Vehicle> vehicles) { options_.vehicles = std::move(vehicles); }

    void InitDevice();
    void btn_spojClick();
    void btn_zmazClick();

    QLabel* lbl_vyp1 = nullptr;
    QLabel* lbl_vyp2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* vyp_port = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* vyp_serial = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmb_auta = nullptr;
    QCheckBox* chk_prac = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lbl_od = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lbl_do = nullptr;
    QCheckBox* chk_znac = nullptr;
    QLabel* pnl_alert = nullptr;
    QProgressBar* bar_graf = nullptr;
    QPushButton* btn_hlad = nullptr;
    QPushButton* btn_spoj = nullptr;
    QPushButton* btn_zmaz = nullptr;
    QPushButton* btn_zatvor = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void btn_hladClick() { InitDevice(); }
    void btn_zatvorClick() { close(); }
    // The status line in the colour of a running (red) or ended (dark blue) step.
    void status(const QString& text, bool running);
    void show_not_found();
    void blink_alert();

    tripdesk::import::ui::Dlr4470WindowOptions options_;
};
