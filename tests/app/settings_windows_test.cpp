// The export settings and program settings windows, and the language
// switch across the five translated windows.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "app/ini_file.h"
#include "app/settings_labels.h"
#include "app/ui/frm_about.h"
#include "export/ui/frm_setexp.h"
#include "export/ui/frm_setprg.h"
#include "export/ui/up_down.h"
#include "main_window_harness.h"

using tripdesk::app::IniFile;
using tripdesk::testing::MainWindowHarness;

class SettingsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void value_labels() {
        using namespace tripdesk::app;
        const std::pair<int, const char*> shifts[] = {
            {0, "UTC+ 00:00"}, {2, "UTC+ 01:00"}, {-3, "UTC- 01:30"}, {-24, "UTC- 12:00"}, {24, "UTC+ 12:00"},
            {1, "UTC+ 00:30"}, {-1, "UTC- 00:30"}};
        for (const auto& [position, text] : shifts) QCOMPARE(time_shift_label(position), std::string(text));
        QCOMPARE(resolution_label(250), std::string("250 m"));
        QCOMPARE(stop_label(10), std::string("10 s"));
    }

    void export_window_shows_the_loaded_settings_and_edits_them_live() {
        MainWindowHarness h("[FRM_SETEXP]\nResolutionKJ=240\nResolutionKML=45\nResolutionHTML=800\n"
                            "ZastaveniaHTML=5\nTimeOffMRP=-3\nOutputDirKML=/data/kml\nIgnoreSluz=0\nEmailKML=1\n");
        h.show();
        auto* w = h.main->form<Tfrm_setexp>();
        QVERIFY(w);
        QCOMPARE(w->scr_pres0->value(), 240);
        QCOMPARE(w->lbl_pres0->text(), QString("240 m"));
        QCOMPARE(w->lbl_pres2->text(), QString("800 m"));
        // Below the range of its scroll bar: the control shows 10 s, and that is the setting now.
        QCOMPARE(w->scr_zast2->value(), 10);
        QCOMPARE(w->lbl_zast2->text(), QString("10 s"));
        QCOMPARE(h.main->settings().frm_setexp.ZastaveniaHTML, 10);
        QCOMPARE(w->edt_dir[1]->text(), QString("/data/kml"));
        QVERIFY(!w->chk_sluz->isChecked());
        QVERIFY(w->chk_mail[1]->isChecked());
        h.main->dispatch("men_setexp");
        QCOMPARE(w->lbl_posun->text(), QString("UTC- 01:30"));
        QCOMPARE(w->lbl_vyp0s->text(), w->lbl_vyp0->text());

        w->scr_zast2->setValue(w->scr_zast2->minimum() - 5);
        QCOMPARE(w->scr_zast2->value(), 10);
        w->scr_pres1->setValue(77);
        QCOMPARE(w->lbl_pres1->text(), QString("77 m"));
        QTest::mouseClick(w->btn_updown->up_button(), Qt::LeftButton);
        QCOMPARE(w->lbl_posun->text(), QString("UTC- 01:00"));
        for (int i = 0; i < 30; ++i) w->btn_updown->down_button()->click();
        QCOMPARE(w->btn_updown->position(), -24);
        QCOMPARE(w->lbl_posun->text(), QString("UTC- 12:00"));
        w->chk_krat->click();
        // A picked folder counts at once, without any confirmation.
        h.next_choice = "/media/usb/kj";
        QTest::mouseClick(w->btn_dir[0], Qt::LeftButton);
        QCOMPARE(h.prompts.back(), w->lbl_vyp0->text());
        QCOMPARE(h.main->settings().frm_setexp.OutputDirKJ, std::string("/media/usb/kj"));
        h.next_choice.clear();  // cancelled
        QTest::mouseClick(w->btn_dir[3], Qt::LeftButton);
        QCOMPARE(h.prompts.back(), QString("Formát HTML a CSV (Google Maps):"));
        QCOMPARE(w->edt_dir[3]->text(), QString("/home/jan/_HTML_files"));
        QTest::mouseClick(w->btn_zatvor, Qt::LeftButton);
        QVERIFY(h.main->isEnabled());
        h.exit();

        const IniFile ini = IniFile::load(h.ini_path());
        QCOMPARE(ini.get("FRM_SETEXP", "ResolutionKML").value(), std::string("77"));
        QCOMPARE(ini.get("FRM_SETEXP", "ZastaveniaHTML").value(), std::string("10"));
        QCOMPARE(ini.get("FRM_SETEXP", "TimeOffMRP").value(), std::string("-24"));
        QCOMPARE(ini.get("FRM_SETEXP", "IgnoreKrat").value(), std::string("1"));
        QCOMPARE(ini.get("FRM_SETEXP", "OutputDirKJ").value(), std::string("/media/usb/kj"));
    }

    void export_window_design_values_before_loading() {
        MainWindowHarness h;  // windows exist, the main window not shown yet
        auto* w = h.main->form<Tfrm_setexp>();
        QCOMPARE(w->scr_pres0->value(), 130);
        QCOMPARE(w->scr_pres1->value(), 60);
        QCOMPARE(w->scr_pres2->value(), 100);
        QCOMPARE(w->scr_zast2->value(), 110);
        QCOMPARE(w->btn_updown->position(), 0);
        QCOMPARE(w->edt_dir[2]->text(), QString("/home/jan/_MRP_bazy"));
        h.show();  // a fresh start loads the defaults over them
        QCOMPARE(w->scr_pres0->value(), 250);
        QCOMPARE(w->scr_pres1->value(), 50);
        QCOMPARE(w->btn_updown->position(), 2);
        QCOMPARE(w->edt_dir[2]->text(), QString("/home/jan/MRP/Podvojné účtovníctvo/Data0001"));
    }

    void reset_asks_and_sets_its_values() {
        MainWindowHarness h("[FRM_SETEXP]\nResolutionKJ=400\nResolutionKML=300\nResolutionHTML=700\n"
                            "ZastaveniaHTML=600\nTimeOffMRP=5\nOutputDirKJ=/a\nOutputDirKML=/b\nOutputDirHTML=/c\n"
                            "DatabasesMRP=/d\nEmailKJ=1\nIgnoreSluz=0\n");
        h.show();
        auto* w = h.main->form<Tfrm_setexp>();
        h.answer_ok = false;
        w->btn_ulozit->click();
        QCOMPARE(h.questions.size(), size_t{1});
        QCOMPARE(h.questions[0], QString("Všetky aktuálne nastavenia budú prepísané ...\n"
                                         "Skutočne si prajete obnoviť pôvodné nastavenia ?"));
        QCOMPARE(w->scr_pres0->value(), 400);  // cancelled: nothing changes

        h.answer_ok = true;
        w->btn_ulozit->click();
        const auto& s = h.main->settings().frm_setexp;
        QCOMPARE(s.ResolutionKJ, 130);
        QCOMPARE(s.ResolutionKML, 20);
        QCOMPARE(w->lbl_pres1->text(), QString("20 m"));
        QCOMPARE(s.OutputDirKJ, std::string("/home/jan/TRANiS/Kniha jízd/KJ_GPS"));
        QCOMPARE(s.OutputDirKML, std::string("/home/jan/_KML_files"));
        QCOMPARE(s.DatabasesMRP, std::string("/home/jan/MRP/Podvojné účtovníctvo/DATA0001"));
        QCOMPARE(s.TimeOffMRP, 0);
        QCOMPARE(w->lbl_posun->text(), QString("UTC+ 00:00"));
        // Left as they were.
        QCOMPARE(s.ResolutionHTML, 700);
        QCOMPARE(s.ZastaveniaHTML, 600);
        QCOMPARE(s.OutputDirHTML, std::string("/c"));
        QVERIFY(s.EmailKJ);
        QVERIFY(!s.IgnoreSluz);
    }

    void program_window_edits_paths_key_and_mail_live() {
        MainWindowHarness h("[FRM_SETPRG]\nGoogleEarthDir=/opt/kj/kj\nKnihaJazdDir=/opt/ge/ge\n"
                            "[EMAIL]\nHost=smtp.firma.sk\nPassword=tajne\n");
        h.show();
        auto* w = h.main->form<Tfrm_setprg>();
        QVERIFY(w);
        QCOMPARE(w->edt_dir1->text(), QString("/opt/kj/kj"));  // the logbook program's row
        QCOMPARE(w->edt_dir2->text(), QString("/opt/ge/ge"));
        QCOMPARE(w->eml_smtp->text(), QString("smtp.firma.sk"));
        QCOMPARE(w->eml_pass->echoMode(), QLineEdit::Password);
        QVERIFY(w->CheckBox1->isChecked() && !w->CheckBox1->isEnabled());
        h.next_choice = "/usr/bin/kniha";
        w->btn_dir1->click();
        QCOMPARE(h.main->settings().logbook_program_path(), std::string("/usr/bin/kniha"));
        QCOMPARE(h.main->settings().google_earth_path(), std::string("/opt/ge/ge"));
        w->eml_pass->setText("nove heslo");
        w->mem_maps->setPlainText("AIzaKEY");
        h.exit();
        const IniFile ini = IniFile::load(h.ini_path());
        QCOMPARE(ini.get("FRM_SETPRG", "GoogleEarthDir").value(), std::string("/usr/bin/kniha"));
        QCOMPARE(ini.get("FRM_SETPRG", "KnihaJazdDir").value(), std::string("/opt/ge/ge"));
        QCOMPARE(ini.get("FRM_SETPRG", "GmapsKey").value(), std::string("AIzaKEY"));
        QCOMPARE(ini.get("EMAIL", "Password").value(), std::string("nove heslo"));
    }

    void language_change_relabels_all_translated_windows() {
        MainWindowHarness h;
        h.show();
        auto* prg = h.main->form<Tfrm_setprg>();
        auto* exp = h.main->form<Tfrm_setexp>();
        auto* about = h.main->form<Tfrm_about>();
        h.main->dispatch("men_setprg");
        QCOMPARE(prg->lbl_vyp00->text(), QString("Select language / vyberte jazyk:"));
        QCOMPARE(prg->lbl_vyp01->text(), prg->lbl_vyp00->text());
        QCOMPARE(prg->btn_zatvor->text(), QString("Zatvoriť okno s nastaveniami programu ..."));

        prg->cmb_langs->setCurrentIndex(2);  // English
        QCOMPARE(h.main->active_language(), tripdesk::app::kEnglish);
        QCOMPARE(h.main->settings().frm_setprg.Language, 2);
        QCOMPARE(h.main->findChild<QMenu*>("men_grp10")->title(), QString("Tracks"));
        QCOMPARE(h.main->str_grid->horizontalHeaderItem(1)->text(), QString("Filename:"));
        QCOMPARE(about->windowTitle(), QString("About"));
        QCOMPARE(about->btn_zatvor->text(), QString("Close"));
        QCOMPARE(exp->windowTitle(), QString("Tracklog export settings:"));
        QCOMPARE(exp->btn_ulozit->text(), QString("Reset to default settings ..."));
        QCOMPARE(exp->lbl_vyp1->text(), QString("Google Earth file format:"));
        QCOMPARE(prg->windowTitle(), QString("Program settings:"));
        QCOMPARE(prg->lbl_vyp00->text(), QString("Select language from list:"));
        QCOMPARE(prg->lbl_vyp01->text(), QString("Select language from list:"));
        QCOMPARE(prg->lbl_vyp01->text(), prg->lbl_vyp00->text());
        if (QWidget* readsn = h.main->form("Tfrm_readsn")) {
            QCOMPARE(readsn->windowTitle(), QString("Read serial number:"));
            QCOMPARE(readsn->findChild<QLabel*>("lbl_vyp1")->text(), QString("Serial number:"));
        }

        prg->cmb_langs->setCurrentIndex(3);  // German: empty cells keep the English texts
        QCOMPARE(about->windowTitle(), QString("About"));
        QCOMPARE(exp->lbl_vyp1->text(), QString("Google Earth file format:"));
        QCOMPARE(prg->windowTitle(), QString("Programme bestellung:"));
        QCOMPARE(h.main->str_grid->horizontalHeaderItem(1)->text(), QString());

        prg->cmb_langs->setCurrentIndex(0);  // back to Slovak
        QCOMPARE(about->windowTitle(), QString("Informácie o programe"));
        QCOMPARE(exp->windowTitle(), QString("Nastavenia pre export záznamov"));
        QCOMPARE(h.main->menu_item("men_konec")->text(), QString("Ukončiť program"));
        if (QWidget* readsn = h.main->form("Tfrm_readsn")) {
            QCOMPARE(readsn->windowTitle(), QString("Identifikácia zariadenia"));
        }
        prg->btn_zatvor->click();
        QVERIFY(h.main->isEnabled());
        h.exit();
        QCOMPARE(IniFile::load(h.ini_path()).get("FRM_SETPRG", "Language").value(), std::string("0"));
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "settings_windows_test.moc"
