// The firmware window while the simulated tracker fails in the middle of an
// upload: unplugged (its port vanishes) or gone silent. The reply time limit
// ends the exchange with an error line, the window's buttons come back, and
// the next upload to a working tracker goes through.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "device/simulated_tracker.h"
#include "device/termios_link.h"
#include "device/ui/device_window_options.h"
#include "device/ui/event_loop_sleeper.h"
#include "device/ui/frm_swup.h"

using namespace tripdesk::device;
using namespace tripdesk::device::ui;
using tripdesk::device::testing::SimulatedTracker;
namespace fs = std::filesystem;

class TrackerFaultsTest : public QObject {
    Q_OBJECT

    fs::path work_;
    QStringList errors_;

    DeviceWindowOptions options(const std::string& ports) {
        DeviceWindowOptions o;
        fs::create_directories(work_ / "sys" / "class" / "tty");
        o.ports = PortSources{(work_ / "sys").string(), ports};
        o.make_link = [] { return std::make_unique<TermiosLink>(); };
        o.sleeper = &event_loop_sleeper();
        o.update.reply_timeout_ms = 1000;
        o.update.echo_wait_ms = 40;
        o.show_error = [this](QWidget*, const QString& text) { errors_ << text; };
        o.ask_yes_no = [](QWidget*, const QString&) { return false; };
        o.choose_file = [this](QWidget*, const QString&, const QString&) {
            return QString::fromStdString((work_ / "M7_FWHG1C.BIN").string());
        };
        return o;
    }

    static QStringList memo_lines(const Tfrm_swup& w) { return w.mem_status->toPlainText().split('\n'); }

    static void upload_to(Tfrm_swup& w, const std::string& port) {
        const int index = w.cmb_porty->findText(QString::fromStdString(port));
        QVERIFY2(index >= 0, port.c_str());
        w.cmb_porty->setCurrentIndex(index);
        w.btn_uploadClick();
    }

private slots:
    void init() {
        work_ = fs::temp_directory_path() / ("tracker_faults_" + std::to_string(::getpid()));
        fs::create_directories(work_);
        std::string image(1025, '\0');
        for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
        std::ofstream(work_ / "M7_FWHG1C.BIN", std::ios::binary) << image;
        errors_.clear();
    }
    void cleanup() { fs::remove_all(work_); }

    void failing_tracker_ends_with_an_error_and_the_window_works_again_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("unplugged at page 3") << "--vanish-at-page";
        QTest::newRow("silent at page 3") << "--silent-at-page";
    }
    void failing_tracker_ends_with_an_error_and_the_window_works_again() {
        QFETCH(QString, fault);
        SimulatedTracker failing({"--ident", "SN:00000000000001HG10", fault.toStdString(), "3"});
        SimulatedTracker working({"--ident", "SN:00000000000001HG10"});
        Tfrm_swup w(options(failing.port() + ":" + working.port()));
        w.show();
        w.btn_vyberClick();
        QVERIFY(w.btn_upload->isEnabled());

        QElapsedTimer clock;
        clock.start();
        upload_to(w, failing.port());
        // Bounded by the reply time limit, not by the tracker.
        QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
        const QStringList lines = memo_lines(w);
        QVERIFY2(lines.last().contains("Error") || lines.last().contains("!!!"), qPrintable(lines.join(" | ")));
        QVERIFY(!lines.join("\n").contains("finishcode: 6 ... OK"));
        QVERIFY(failing.stat("pages_accepted") == 2);
        QVERIFY(w.btn_upload->isEnabled() && w.btn_term->isEnabled() && w.btn_zatvor->isEnabled());
        QVERIFY(errors_.isEmpty());

        upload_to(w, working.port());
        QCOMPARE(memo_lines(w).last(), QString("- upload finishcode: 6 ... OK"));
        QCOMPARE(working.recorded_image().size(), size_t(9 * 128));
    }
};

QTEST_MAIN(TrackerFaultsTest)
#include "tracker_faults_test.moc"
