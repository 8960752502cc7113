// The identification and firmware windows, offscreen, against the
// simulated tracker.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "device/simulated_tracker.h"
#include "device/termios_link.h"
#include "device/ui/device_window_options.h"
#include "device/ui/event_loop_sleeper.h"
#include "device/ui/frm_readsn.h"
#include "device/ui/frm_swup.h"

using namespace tripdesk::device;
using namespace tripdesk::device::ui;
using tripdesk::device::testing::SimulatedTracker;
namespace fs = std::filesystem;

class DeviceWindowsTest : public QObject {
    Q_OBJECT

    // A sysfs tree with one USB converter (ttyUSB0) and one plain port.
    fs::path sysfs_;
    QStringList errors_;
    QStringList questions_;
    bool answer_yes_ = false;
    QString chosen_file_;

    DeviceWindowOptions options(const std::string& extra_ports, bool with_converter = false) {
        DeviceWindowOptions o;
        fs::remove_all(sysfs_);
        fs::create_directories(sysfs_ / "class" / "tty");
        auto add = [&](const std::string& name, const std::string& device) {
            fs::create_directories(sysfs_ / "devices" / device);
            fs::create_directories(sysfs_ / "class" / "tty" / name);
            fs::create_directory_symlink(sysfs_ / "devices" / device, sysfs_ / "class" / "tty" / name / "device");
        };
        add("ttyS0", "pnp0/00:01");
        if (with_converter) add("ttyUSB0", "pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0");
        o.ports = PortSources{sysfs_.string(), extra_ports};
        o.make_link = [] { return std::make_unique<TermiosLink>(); };
        o.sleeper = &event_loop_sleeper();
        o.update.reply_timeout_ms = 1000;
        o.update.echo_wait_ms = 40;
        o.show_error = [this](QWidget*, const QString& text) { errors_ << text; };
        o.ask_yes_no = [this](QWidget*, const QString& text) {
            questions_ << text;
            return answer_yes_;
        };
        o.choose_file = [this](QWidget*, const QString&, const QString&) { return chosen_file_; };
        return o;
    }

    static QStringList memo_lines(const Tfrm_swup& w) { return w.mem_status->toPlainText().split('\n'); }

    std::string write_image(const std::string& name, size_t size) {
        const std::string path = (fs::path(QDir::tempPath().toStdString()) / name).string();
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 13);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private slots:
    void init() {
        sysfs_ = fs::path(QDir::tempPath().toStdString()) / ("device_ui_sysfs_" + std::to_string(::getpid()));
        errors_.clear();
        questions_.clear();
        answer_yes_ = false;
        chosen_file_.clear();
    }
    void cleanup() { fs::remove_all(sysfs_); }

    void readsn_show_lists_ports_and_preselects() {
        Tfrm_readsn w(options("/dev/pts/998:/dev/pts/999", true));
        w.set_current_port("/dev/pts/999");
        w.show();
        QCOMPARE(w.cmb_porty->count(), 4);
        QCOMPARE(w.cmb_porty->itemText(0), QString("/dev/pts/998"));
        // The converter wins over the remembered port.
        QCOMPARE(w.cmb_porty->currentText(), QString("ttyUSB0"));
        QCOMPARE(w.lbl_serial->text(), QString("SN:??????????????????"));
        QCOMPARE(w.lbl_vyp2->text(), w.lbl_vyp1->text());
        QCOMPARE(w.pnl_alert->text(), QString("   "));
        w.hide();

        Tfrm_readsn plain(options("/dev/pts/998:/dev/pts/999"));
        plain.set_current_port("/dev/pts/999");
        plain.show();
        QCOMPARE(plain.cmb_porty->currentText(), QString("/dev/pts/999"));
    }

    void readsn_identifies_and_copies() {
        SimulatedTracker sim({"--ident", "SN:00000000000001HEB0"});
        Tfrm_readsn w(options(sim.port()));
        w.show();
        QApplication::clipboard()->setText("before");
        w.btn_readsnClick();
        QCOMPARE(w.lbl_serial->text(), QString("SN:00000000000001HEB0"));
        QCOMPARE(w.lbl_inf00->text(), QString("verzia 1.30"));
        QCOMPARE(w.lbl_inf01->text(), QString("8.000 MHz"));
        QCOMPARE(w.lbl_inf02->text(), QString("Bluetooth"));
        QCOMPARE(QApplication::clipboard()->text(), QString("SN:00000000000001HEB0"));
        QCOMPARE(w.btn_readsn->text(), QString("Identifikovať zariadenie ..."));
        QVERIFY(w.btn_readsn->isEnabled());
        QCOMPARE(w.port_to_save(), sim.port());

        // Without the copy box the clipboard keeps what it had.
        w.chk_copy->setChecked(false);
        QApplication::clipboard()->setText("before");
        w.btn_readsnClick();
        QCOMPARE(QApplication::clipboard()->text(), QString("before"));
    }

    void readsn_failed_second_attempt_keeps_nothing_of_the_first() {
        SimulatedTracker sim({"--ident", "SN:00000000000001HEB0"});
        Tfrm_readsn w(options(sim.port() + ":/nonexistent/ttyX"));
        w.show();
        w.cmb_porty->setCurrentIndex(w.cmb_porty->findText(QString::fromStdString(sim.port())));
        w.btn_readsnClick();
        QCOMPARE(w.lbl_inf00->text(), QString("verzia 1.30"));

        w.cmb_porty->setCurrentIndex(w.cmb_porty->findText("/nonexistent/ttyX"));
        QElapsedTimer timer;
        timer.start();
        w.btn_readsnClick();
        // Blinking takes 3 x 400 ms; no 900 ms wait after a failure.
        QVERIFY(timer.elapsed() >= 1200);
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(w.lbl_serial->text(), QString("SN:??????????????????"));
        QCOMPARE(w.lbl_inf00->text(), QString("[NONE]"));
        QCOMPARE(w.lbl_inf01->text(), QString("[NONE]"));
        QCOMPARE(w.lbl_inf02->text(), QString("[NONE]"));
        QCOMPARE(w.pnl_alert->text(), QString("   "));
        QCOMPARE(QApplication::clipboard()->text(), QString("SN:??????????????????"));
        QCOMPARE(w.current_port(), std::string("/nonexistent/ttyX"));
    }

    void unreadable_port_list_shows_error_and_empty_chooser() {
        DeviceWindowOptions o = options("/dev/pts/998");
        o.ports.sysfs_root = "/nonexistent-sysfs";
        Tfrm_swup w(o);
        w.show();
        QCOMPARE(errors_, QStringList({"Registry error (win error code: 2)"}));
        QCOMPARE(w.cmb_porty->count(), 0);
    }

    void readsn_remembers_current_port_when_nothing_selected() {
        Tfrm_readsn w(options(""));
        w.set_current_port("ttyUSB7");
        w.show();
        w.cmb_porty->setCurrentIndex(-1);
        QCOMPARE(w.port_to_save(), std::string("ttyUSB7"));
    }

    void swup_show_reports_converter() {
        Tfrm_swup w(options("", true));
        w.show();
        QCOMPARE(w.mem_status->toPlainText(), QString("- device detected at serial port: ttyUSB0"));
        QCOMPARE(w.edt_fwfile->text(), QString("[no file selected]"));
        QVERIFY(!w.btn_upload->isEnabled());
        QVERIFY(w.btn_vyber->isEnabled());
    }

    void swup_loads_and_updates() {
        SimulatedTracker sim({"--ident", "SN:00000000000001HG10"});
        Tfrm_swup w(options(sim.port()));
        w.show();
        chosen_file_ = QString::fromStdString(write_image("M7_FWHG1C.BIN", 1025));
        w.btn_vyberClick();
        QCOMPARE(w.edt_fwfile->text(), QString("M7_FWHG1C.BIN"));
        QVERIFY(w.lbl_date->text().startsWith("HG1C ("));
        QCOMPARE(w.lbl_id1->text(), QString("PACK_C"));
        QCOMPARE(w.lbl_id2->text(), QString("[none]"));
        QCOMPARE(memo_lines(w),
                 QStringList({" - buffering binary image ... OK", " - 9 pages succesfully loaded ..."}));
        QVERIFY(w.btn_upload->isEnabled());

        w.cmb_porty->setCurrentIndex(0);  // the first entry connects too
        w.btn_uploadClick();
        QVERIFY(questions_.isEmpty());
        const QStringList lines = memo_lines(w);
        QCOMPARE(lines.first(), QString::fromStdString("- connected to device using serial port: " + sim.port()));
        QCOMPARE(lines.last(), QString("- upload finishcode: 6 ... OK"));
        QCOMPARE(w.lbl_id2->text(), QString("PACK_B"));
        QCOMPARE(w.bar_stat->value(), 0);
        QVERIFY(w.btn_upload->isEnabled() && w.btn_term->isEnabled() && w.btn_zatvor->isEnabled());
        QCOMPARE(sim.recorded_image().size(), size_t(9 * 128));
        fs::remove(chosen_file_.toStdString());
    }

    void swup_unsuitable_image_asks_and_no_aborts() {
        SimulatedTracker sim({"--ident", "SN:00000000000001HG10"});
        Tfrm_swup w(options(sim.port()));
        w.show();
        chosen_file_ = QString::fromStdString(write_image("M7_FWHC0A.BIN", 1500));
        w.btn_vyberClick();
        w.btn_uploadClick();
        QCOMPARE(questions_.size(), 1);
        QVERIFY(questions_[0].startsWith("Firmware nieje určený pre túto verziu hardwaru zariadenia !!!\r\n\r\n"));
        QCOMPARE(memo_lines(w).last(), QString("- firmware update aborted by user !!!"));
        QVERIFY(w.btn_upload->isEnabled());
        fs::remove(chosen_file_.toStdString());
    }

    void swup_refuses_small_file_and_reports_unreadable_file() {
        Tfrm_swup w(options(""));
        w.show();
        chosen_file_ = QString::fromStdString(write_image("M7_FWHG1C.BIN", 2048));
        w.btn_vyberClick();
        QVERIFY(w.btn_upload->isEnabled());
        // A rejected choice leaves nothing to upload.
        chosen_file_ = QString::fromStdString(write_image("M7_FWHG1C.BIN", 1024));
        w.btn_vyberClick();
        QCOMPARE(memo_lines(w), QStringList({" - invalid firmware binary !!!"}));
        QVERIFY(!w.btn_upload->isEnabled());
        fs::remove(chosen_file_.toStdString());

        chosen_file_ = "/nonexistent/M7_FWHG1C.BIN";
        w.btn_vyberClick();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(!w.image().loaded());
        QVERIFY(!w.btn_upload->isEnabled());
    }

    void swup_terminal_shows_received_text_and_closing_stops_it() {
        SimulatedTracker sim({"--stream", "hello\\r\\n", "--stream-ms", "30"});
        Tfrm_swup w(options(sim.port()));
        w.show();
        w.btn_termClick();
        QVERIFY(w.tmr_term->isActive());
        QVERIFY(!w.btn_upload->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w.mem_status->toPlainText().count("hello") >= 3, 3000);
        const QStringList lines = memo_lines(w);
        QCOMPARE(lines[1], QString("- reseting device using DTR ...  OK"));
        QCOMPARE(lines[3], QString("hello"));
        w.close();
        QVERIFY(!w.tmr_term->isActive());
    }

    void swup_terminal_on_missing_port_shows_link_error() {
        Tfrm_swup w(options("/nonexistent/ttyX"));
        w.show();
        w.btn_termClick();
        QCOMPARE(errors_, QStringList({"Unable to open com port (win error code: 2)"}));
        QVERIFY(w.tmr_term->isActive());
        w.btn_termClick();
        QVERIFY(!w.tmr_term->isActive());
    }
};

QTEST_MAIN(DeviceWindowsTest)
#include "device_windows_test.moc"
