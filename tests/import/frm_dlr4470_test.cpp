// The import window against the simulated logger, offscreen.
#include <filesystem>

#include "devlib/logger_sim_process.h"
#include "track/day_file.h"
#include "import/ui/frm_dlr4470.h"
#include "app/main_window_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace testing_support;

class Dlr4470WindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TempFolder home;
        tripdesk::app::Settings settings;
        QStringList messages;
        QStringList questions;
        int sleeps = 0;
        bool answer = true;
        std::unique_ptr<Tfrm_dlr4470> window;

        Fixture() {
            tripdesk::import::ui::Dlr4470WindowOptions o;
            o.data_folder = home.path() + "/";
            o.settings = &settings.frm_dlr4470;
            o.vehicles = {{"0000000007", "BA123XY", "Škoda"}, {"0001234567", "ZA555BB", "Druhé"}};
            o.ask_yes_no = [this](QWidget*, const QString& text) {
                questions << text;
                return answer;
            };
            o.show_message = [this](QWidget*, const QString& text) { messages << text; };
            o.sleep = [this](int) { ++sleeps; };
            window = std::make_unique<Tfrm_dlr4470>(o);
            window->show();
        }
        std::string image(const std::string& name) const { return home.path() + "/_images/ZA555BB/" + name; }
    };

private slots:
    void shows_its_initial_state() {
        Fixture f;
        QCOMPARE(f.window->vyp_serial->text(), QStringLiteral("ID: ??????????"));
        QCOMPARE(f.window->vyp_port->text(), QStringLiteral("nenájdené"));
        QCOMPARE(f.window->lbl_vyp1->text(), QStringLiteral("Spracovanie záznamov zo zariadenia DLR4470:"));
        QCOMPARE(f.window->cmb_auta->count(), 2);
        QCOMPARE(f.window->cmb_auta->itemText(1), QStringLiteral("[ZA555BB]  Druhé"));
        QCOMPARE(f.window->cmb_auta->currentIndex(), 0);
        QVERIFY(!f.window->btn_spoj->isEnabled());
        QVERIFY(!f.window->btn_zmaz->isEnabled());
        QCOMPARE(f.window->lbl_od->text(), QStringLiteral("07"));
        QVERIFY(f.window->findChild<QPushButton*>(QStringLiteral("btn_hlad")));
    }

    void the_program_creates_it_with_the_vehicle_list_of_the_settings_file() {
        tripdesk::testing::MainWindowHarness h("[CAR_LIST]\n0001234567=za555bb,Druhé\n");
        h.show();
        auto* window = h.main->form<Tfrm_dlr4470>();
        QVERIFY(window);
        window->show();
        QApplication::processEvents();
        QCOMPARE(window->cmb_auta->count(), 1);
        QCOMPARE(window->cmb_auta->itemText(0), QStringLiteral("[ZA555BB]  Druhé"));
    }

    void search_without_logger_blinks() {
        Fixture f;
        TempFolder empty;
        use_empty_port_folder(empty);
        f.window->InitDevice();
        QCOMPARE(f.window->lbl_vyp1->text(), QStringLiteral("Zariadenie DLR4470 nebolo nájdené na USB porte !"));
        QCOMPARE(f.window->lbl_vyp2->text(), f.window->lbl_vyp1->text());
        QCOMPARE(f.sleeps, 10);
        QVERIFY(!f.window->btn_spoj->isEnabled());
    }

    void reading_and_erasing() {
        Fixture f;
        LoggerSim sim({"--serial", "1234567", "--records", "12"});
        f.window->InitDevice();
        QCOMPARE(f.window->vyp_port->text(), QStringLiteral("COM3"));
        QCOMPARE(f.window->vyp_serial->text(), QStringLiteral("ID: 0001234567"));
        QCOMPARE(f.window->cmb_auta->currentIndex(), 1);
        QVERIFY(f.window->btn_spoj->isEnabled());
        QVERIFY(!f.window->btn_zmaz->isEnabled());

        f.window->btn_spojClick();
        QCOMPARE(f.window->lbl_vyp1->text(), QStringLiteral("Spracovanie údajov úspešne dokončené !!!"));
        QVERIFY(f.window->btn_zmaz->isEnabled());
        QVERIFY(f.questions.isEmpty());
        QCOMPARE(tripdesk::track::read_records(f.image("011226.gps"), {}).size(), size_t(12));

        // A second reading asks first; No writes nothing.
        f.answer = false;
        f.window->btn_spojClick();
        QCOMPARE(f.questions.size(), 1);
        QVERIFY(f.questions[0].startsWith(QStringLiteral("Potvrdte prosím správne priradenie záznamov:\r\n\r\nID: 0001234567\r\n[ZA555BB]  Druhé")));
        QCOMPARE(f.window->lbl_vyp1->text(), QStringLiteral("Spracovanie záznamov prerušené užívateľom ..."));
        QVERIFY(f.window->btn_spoj->isEnabled());

        f.window->btn_zmazClick();
        QCOMPARE(f.messages, QStringList{QStringLiteral("Pamäť bola úspešne vymazaná !!!")});
    }

    void failed_dump_keeps_erase_disabled() {
        Fixture f;
        std::filesystem::create_directories(f.image(""));
        write_file(f.image("011226.gps"), "earlier");
        LoggerSim sim({"--serial", "1234567", "--records", "12", "--mute", "dump"});
        f.window->InitDevice();
        f.window->btn_spojClick();
        QCOMPARE(f.window->lbl_vyp1->text(), QStringLiteral("Chyba pri čítaní záznamov zo zariadenia DLR4470: 12"));
        QVERIFY(!f.window->btn_zmaz->isEnabled());
        QVERIFY(f.window->btn_spoj->isEnabled());
        QCOMPARE(QString::fromStdString(read_file(f.image("011226.gps"))), QStringLiteral("earlier"));
    }

    void erase_failure_names_the_code() {
        Fixture f;
        LoggerSim sim({"--drop-on", "erase"});
        f.window->btn_zmazClick();
        QCOMPARE(f.messages, QStringList{QStringLiteral("Chyba počas mazania pamäti: 12")});
    }
};

QTEST_MAIN(Dlr4470WindowTest)
#include "frm_dlr4470_test.moc"
