// The tracker windows inside the program: created with the main window,
// remembered ports read at the first show and written at exit, captions
// switched with the language.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/ini_file.h"
#include "app/main_window_harness.h"
#include "device/ui/frm_readsn.h"
#include "device/ui/frm_swup.h"

class DeviceWindowsInProgramTest : public QObject {
    Q_OBJECT

private slots:
    void remembered_ports_are_read_and_kept_when_nothing_is_chosen() {
        tripdesk::testing::MainWindowHarness h(
            "[FRM_READSN]\nSerialPort=/dev/pts/9990\n[frm_swup]\nserialport=ttyUSB3\n");
        h.show();
        auto* readsn = h.main->form<Tfrm_readsn>();
        auto* swup = h.main->form<Tfrm_swup>();
        QVERIFY(readsn && swup);
        QCOMPARE(readsn->current_port(), std::string("/dev/pts/9990"));
        QCOMPARE(swup->current_port(), std::string("ttyUSB3"));
        h.exit();
        const auto ini = tripdesk::app::IniFile::load(h.ini_path());
        QCOMPARE(ini.get("FRM_READSN", "SerialPort").value_or(""), std::string("/dev/pts/9990"));
        QCOMPARE(ini.get("FRM_SWUP", "SerialPort").value_or(""), std::string("ttyUSB3"));
    }

    void identification_window_follows_the_language() {
        tripdesk::testing::MainWindowHarness h;
        h.show();
        auto* readsn = h.main->form<Tfrm_readsn>();
        QVERIFY(readsn);
        h.main->activate_language(tripdesk::app::kCzech);
        QCOMPARE(readsn->windowTitle(), QString("Identifikace zařízení"));
        QCOMPARE(readsn->btn_readsn->text(), QString("Identifikovat zařízení ..."));
        QCOMPARE(readsn->findChild<QLabel*>("lbl_verzia")->text(), QString("Verze hardware :"));
        h.main->activate_language(tripdesk::app::kEnglish);
        QCOMPARE(readsn->lbl_vyp1->text(), QString("Serial number:"));
        // The firmware window stays Slovak.
        QCOMPARE(h.main->form<Tfrm_swup>()->btn_zatvor->text(), QString("Zatvoriť"));
    }
};

QTEST_MAIN(DeviceWindowsInProgramTest)
#include "device_windows_in_program_test.moc"
