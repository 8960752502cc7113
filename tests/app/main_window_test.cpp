// The main window: start, settings at start and exit, menu, languages,
// secondary windows, external programs, progress panel.
#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <fstream>

#include "app/ini_file.h"
#include "app/ui/frm_about.h"
#include "main_window_harness.h"

using tripdesk::app::IniFile;
using tripdesk::testing::MainWindowHarness;

namespace {

QStringList headings(QTableWidget* grid) {
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QTableWidgetItem* item = grid->horizontalHeaderItem(c);
        out << (item ? item->text() : QString());
    }
    return out;
}

void fill_grid(Tfrm_main& main, const QStringList& dates) {
    QTableWidget* grid = main.str_grid;
    grid->setRowCount(static_cast<int>(dates.size()));
    for (int r = 0; r < dates.size(); ++r) {
        const QString date = dates[r];
        const QString file = date.mid(0, 2) + date.mid(3, 2) + date.mid(6, 2) + ".GPS";
        grid->setItem(r, 0, new QTableWidgetItem(date));
        grid->setItem(r, 1, new QTableWidgetItem(file));
    }
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void fresh_start_shows_the_designed_window_and_writes_every_written_key() {
        MainWindowHarness h;
        h.show();
        QCOMPARE(h.main->windowTitle(), QString("MARVEK7 tripdesk  [ver: %1]").arg(Tfrm_main::version_text()));
        QVERIFY(!Tfrm_main::version_text().isEmpty());
        QCOMPARE(h.main->cal_month->selectedDate(), QDate::currentDate());
        QCOMPARE(h.main->active_language(), tripdesk::app::kSlovak);
        QCOMPARE(h.main->menu_item("men_konec")->text(), QString("Ukončiť program"));
        QVERIFY(!h.main->menu_item("men_zmaz")->isEnabled());
        QVERIFY(!h.main->menu_item("men_format")->isEnabled());
        QVERIFY(!h.main->menu_item("men_aktu")->isEnabled());
        QCOMPARE(headings(h.main->str_grid),
                 QStringList({"Dátum:", "Súbor:", "Vozidlo:", "Prejdené:", "Max rých.:", "Poznámka:"}));
        QCOMPARE(h.main->status_text(2), QString(" - vložte pamäťovú kartu do čítačky a zvoľte písmeno jednotky ..."));
        QCOMPARE(h.main->str_grid->rowCount(), 1);  // an empty grid still has one row
        h.exit();

        const IniFile ini = IniFile::load(h.ini_path());
        for (const auto& [section, key] : std::vector<std::pair<const char*, const char*>>{
                 {"FRM_MAIN", "WindowState"}, {"FRM_MAIN", "FormTop"}, {"FRM_MAIN", "CalenSelDate"},
                 {"FRM_MAIN", "CalenEndDate"}, {"FRM_MAIN", "ActMonthOnly"}, {"FRM_MAIN", "DriveLetter"},
                 {"FRM_MAIN", "VirtDrive"}, {"PROXY", "Port"}, {"FRM_READSN", "SerialPort"},
                 {"FRM_SETEXP", "ResolutionKJ"}, {"FRM_SETPRG", "Language"}, {"EMAIL", "Password"},
                 {"FRM_DLR4470", "PouzitTagy"}}) {
            QVERIFY2(ini.get(section, key).has_value(), key);
        }
        for (const char* key : {"Administrator", "DatumDel", "CisloDel", "GeoDelay", "CasoveOkno", "Force20byte",
                                "Koeficient"}) {
            QVERIFY2(!ini.get("FRM_MAIN", key).has_value(), key);
        }
        QCOMPARE(ini.get("FRM_SETPRG", "Language").value(), std::string("0"));
        const QDate today = QDate::currentDate();
        QCOMPARE(QString::fromStdString(ini.get("FRM_MAIN", "CalenSelDate").value()), today.toString("yyyy-MM-dd"));
    }

    void administrator_enables_deleting() {
        MainWindowHarness h("[frm_main]\nadministrator=1\n");
        h.show();
        QVERIFY(h.main->menu_item("men_zmaz")->isEnabled());
    }

    void settings_reach_the_window() {
        MainWindowHarness h(
            "[FRM_MAIN]\nFormLeft=30\nFormTop=40\nFormWidth=900\nFormHeight=650\nWindowState=wsNormal\n"
            "CalenSelDate=2009-03-01\nCalenEndDate=2009-03-15\nActMonthOnly=1\n");
        h.show();
        QCOMPARE(h.main->size(), QSize(900, 650));
        QCOMPARE(h.main->calendar_first(), QDate(2009, 3, 1));
        QCOMPARE(h.main->calendar_last(), QDate(2009, 3, 15));
        QVERIFY(h.main->chk_aktmes->isChecked());
        h.main->resize(1000, 700);
        h.exit();
        const IniFile ini = IniFile::load(h.ini_path());
        QCOMPARE(ini.get("FRM_MAIN", "FormWidth").value(), std::string("1000"));
        QCOMPARE(ini.get("FRM_MAIN", "CalenEndDate").value(), std::string("2009-03-15"));
        QCOMPARE(ini.get("FRM_MAIN", "ActMonthOnly").value(), std::string("1"));
    }

    void maximised_exit_keeps_the_geometry_keys() {
        MainWindowHarness h("[FRM_MAIN]\nFormTop=11\nFormLeft=22\nFormHeight=333\nFormWidth=444\n");
        h.show();
        h.main->showMaximized();
        QApplication::processEvents();
        h.exit();
        const IniFile ini = IniFile::load(h.ini_path());
        QCOMPARE(ini.get("FRM_MAIN", "WindowState").value(), std::string("wsMaximized"));
        QCOMPARE(ini.get("FRM_MAIN", "FormTop").value(), std::string("11"));
        QCOMPARE(ini.get("FRM_MAIN", "FormLeft").value(), std::string("22"));
        QCOMPARE(ini.get("FRM_MAIN", "FormHeight").value(), std::string("333"));
        QCOMPARE(ini.get("FRM_MAIN", "FormWidth").value(), std::string("444"));
    }

    void hand_made_keys_survive_the_exit() {
        MainWindowHarness h("; mine\n[FRM_MAIN]\nForce20byte=1\nKoeficient=0.98\n[CAR_LIST]\n0000000042=BA-1,Fabia\n");
        h.show();
        QVERIFY(h.main->settings().frm_main.Force20byte);
        QCOMPARE(h.main->settings_ini().key_names("CAR_LIST"), std::vector<std::string>{"0000000042"});
        h.exit();
        const IniFile ini = IniFile::load(h.ini_path());
        QCOMPARE(ini.get("FRM_MAIN", "Force20byte").value(), std::string("1"));
        QCOMPARE(ini.get("FRM_MAIN", "Koeficient").value(), std::string("0.98"));
        QCOMPARE(ini.get("CAR_LIST", "0000000042").value(), std::string("BA-1,Fabia"));
        QVERIFY(tripdesk::read_whole_file(h.ini_path()).rfind("; mine", 0) == 0);
    }

    void saved_language_labels_the_window() {
        {
            MainWindowHarness h("[FRM_SETPRG]\nLanguage=2\n");
            h.show();
            QCOMPARE(h.main->active_language(), tripdesk::app::kEnglish);
            QCOMPARE(headings(h.main->str_grid),
                     QStringList({"Date:", "Filename:", "Vehicle:", "Length:", "Max speed:", "Note:"}));
            QCOMPARE(h.main->findChild<QMenu*>("men_grp00")->title(), QString("File"));
            QCOMPARE(h.main->menu_item("men_zmaz")->text(), QString("Vymazať vybrané súbory"));  // empty cell
            QCOMPARE(h.main->findChild<QLabel*>("Label2")->text(), QString("Total:"));
            QCOMPARE(h.main->status_text(2), QString(" - insert memory card and select drive letter ..."));
        }
        {
            MainWindowHarness h("[FRM_SETPRG]\nLanguage=1\n");
            h.show();
            QCOMPARE(headings(h.main->str_grid), QStringList(6, QString()));
            QCOMPARE(h.main->menu_item("men_konec")->text(), QString("Ukončit program"));
            // Czech has no lbl_pocjaz cell: the Slovak design text stays.
            QCOMPARE(h.main->lbl_pocjaz->text(), QString("Počet záznamov: 0 (vybraných: 0)"));
        }
    }

    void menu_has_the_groups_items_and_shortcuts() {
        MainWindowHarness h;
        const QList<QAction*> groups = h.main->menuBar()->actions();
        QStringList group_names;
        for (QAction* g : groups) group_names << g->menu()->objectName();
        QCOMPARE(group_names, QStringList({"men_grp00", "men_grp10", "men_gpr20", "men_grp30", "men_grp40"}));
        QStringList items;
        for (QAction* a : groups[0]->menu()->actions()) items << a->objectName();
        QCOMPARE(items, QStringList({"men_otimg", "men_ulimg", "men_zmaz", "men_dlr4470", "men_konec"}));
        const std::pair<const char*, QKeySequence> shortcuts[] = {
            {"men_zmaz", QKeySequence(Qt::Key_Delete)},   {"men_konec", QKeySequence("Ctrl+Q")},
            {"men_expkj", QKeySequence(Qt::Key_F2)},      {"men_email", QKeySequence(Qt::Key_F7)},
            {"men_selnon", QKeySequence("Ctrl+N")},       {"men_nmea", QKeySequence(Qt::Key_F9)},
            {"men_run2", QKeySequence("Ctrl+F3")},        {"men_format", QKeySequence("Ctrl+F")},
            {"men_aktu", QKeySequence()},                 {"men_oprg", QKeySequence()},
        };
        for (const auto& [name, keys] : shortcuts) QCOMPARE(h.main->menu_item(name)->shortcut(), keys);
    }

    void secondary_window_is_centred_and_holds_the_main_window() {
        MainWindowHarness h;
        h.show();
        auto* about = h.main->form<Tfrm_about>();
        QVERIFY(about);
        QVERIFY(!about->isVisible());
        h.main->dispatch("men_oprg");
        QApplication::processEvents();
        QVERIFY(about->isVisible());
        QVERIFY(!h.main->isEnabled());
        QVERIFY(about->isEnabled());  // the secondary window itself stays usable
        const QRect m = h.main->frameGeometry();
        const QRect a = about->frameGeometry();
        QCOMPARE(a.left(), m.left() + m.width() / 2 - a.width() / 2);
        QCOMPARE(a.top(), m.top() + m.height() / 2 - a.height() / 2);
        QTest::mouseClick(about->btn_zatvor, Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(!about->isVisible());
        QVERIFY(h.main->isEnabled());
        // The title bar's close does the same.
        h.main->dispatch("men_oprg");
        about->close();
        QVERIFY(h.main->isEnabled());
    }

    void about_window_shows_version_and_change_log() {
        MainWindowHarness h;
        {
            std::ofstream(h.program.file("changeslog.txt")) << "01.00.00\n - prvá verzia\n";
        }
        h.show();
        auto* about = h.main->form<Tfrm_about>();
        QCOMPARE(about->lbl_verzia->text(), Tfrm_main::version_text());
        QCOMPARE(about->mem_zmeny->toPlainText(), QString("01.00.00\n - prvá verzia\n"));

        MainWindowHarness without_log;
        without_log.show();
        QCOMPARE(without_log.main->form<Tfrm_about>()->mem_zmeny->toPlainText(), QString());
    }

    void run_program_uses_the_crosswise_paths() {
        MainWindowHarness h;
        const std::string logbook = h.program.file("kniha_jazd");
        const std::string earth = h.program.file("earth/googleearth");
        std::ofstream(logbook) << "#!/bin/sh\n";
        std::filesystem::create_directories(h.program.file("earth"));
        std::ofstream(earth) << "#!/bin/sh\n";
        h.show();
        h.main->settings().frm_setprg.GoogleEarthDir = logbook;
        h.main->settings().frm_setprg.KnihaJazdDir = earth;
        h.main->dispatch("men_run1");
        h.main->dispatch("men_run2");
        QCOMPARE(h.started.size(), size_t{2});
        QCOMPARE(h.started[0].first, QString::fromStdString(logbook));
        QCOMPARE(h.started[0].second + "/", QString::fromStdString(h.program.path()));
        QCOMPARE(h.started[1].first, QString::fromStdString(earth));
        QCOMPARE(h.started[1].second + "/", QString::fromStdString(h.program.file("earth/")));
        // Empty, missing and folder paths start nothing, without a message.
        for (const std::string& bad : {std::string(), h.program.file("missing"), h.program.path()}) {
            h.main->settings().frm_setprg.GoogleEarthDir = bad;
            h.main->dispatch("men_run1");
        }
        QCOMPARE(h.started.size(), size_t{2});
    }

    void grid_columns_follow_the_width() {
        MainWindowHarness h;
        h.show();
        const int width = h.main->str_grid->width();
        const double u = (width - 30) / 14.0;
        const double factors[6] = {1.7, 2, 3.5, 1.8, 1.8, 3};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(h.main->str_grid->columnWidth(c), static_cast<int>(std::nearbyint(u * factors[c])));
        }
        QCOMPARE(h.main->shp_ram03->width(), h.main->shp_ram04->width() - 236);
        QCOMPARE(h.main->img_tgrf->width(), h.main->shp_ram04->width() - 238);
        // The gradient runs from white at the top to the dark blue at the bottom.
        const QImage gradient = h.main->img_grda->pixmap().toImage();
        QVERIFY(!gradient.isNull());
        QCOMPARE(QColor(gradient.pixel(2, 0)), QColor(Qt::white));
        const QColor bottom = gradient.pixel(2, gradient.height() - 1);
        QVERIFY(std::abs(bottom.red() - 31) <= 2 && std::abs(bottom.green() - 94) <= 2 &&
                std::abs(bottom.blue() - 139) <= 2);
    }

    void progress_panel_follows_the_reporter() {
        MainWindowHarness h;
        h.show();
        {
            MainProgress progress(*h.main);
            progress.title("Prebieha analýza záznamov ...");
            QVERIFY(h.main->pnl_loads->isVisible());
            QCOMPARE(h.main->lbl_stav0->text(), QString("Prebieha analýza záznamov ..."));
            QCOMPARE(h.main->lbl_stav1->text(), QString("Prebieha analýza záznamov ..."));
            progress.maximum(31);
            progress.step();
            progress.step();
            QCOMPARE(h.main->prg_stav->value(), 3);  // the title sets the bar to its minimum of 1
            progress.status(" - analýza záznamu jazdy: \"150309.GPS\" ...");
            QCOMPARE(h.main->status_text(2), QString(" - analýza záznamu jazdy: \"150309.GPS\" ..."));
            const QRect grid = h.main->str_grid->geometry();
            const QRect panel = h.main->pnl_loads->geometry();
            QCOMPARE(panel.left(), grid.left() + grid.width() / 2 - panel.width() / 2);
        }
        QVERIFY(!h.main->pnl_loads->isVisible());
    }

    void selection_name_and_rows() {
        MainWindowHarness h;
        h.show();
        h.main->vyp_inf[0]->setText("BA-123AB");
        fill_grid(*h.main, {"01/03/09", "02/03/09", "15/03/09", "16/03/09"});
        QCOMPARE(h.main->VratNazovVyb(true), std::string());
        h.main->str_grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 5), true);
        QCOMPARE(h.main->VratNazovVyb(true), std::string("BA-123AB_(01-03-09_15-03-09)"));
        QCOMPARE(h.main->VratNazovVyb(false), std::string("od 01-03-09 do 15-03-09"));
        const auto rows = h.main->selected_rows();
        QCOMPARE(rows.size(), size_t{3});
        QCOMPARE(rows[2].row, 2);
        QCOMPARE(rows[2].file_name, std::string("150309.GPS"));
        h.main->str_grid->clearSelection();
        h.main->str_grid->setRangeSelected(QTableWidgetSelectionRange(3, 0, 3, 5), true);
        h.main->vyp_inf[0]->setText("NO_CARID");
        QCOMPARE(h.main->VratNazovVyb(true), std::string("NO_CARID_(16-03-09)"));
        QCOMPARE(h.main->VratNazovVyb(false), std::string("16-03-09"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
