// The card on screen: drive list, volume data, the scan into the trip grid,
// totals, selection, calendar and the clock's drive check, with temporary
// folders presented as drives.
#include "app/volumes.h"
#include "common/atomic_file.h"
#include "track/day_file_writer.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>

#include "fake_volumes.h"
#include "main_window_harness.h"
#include "message_box_answers.h"

using tripdesk::testing::FakeVolumes;
using tripdesk::testing::MainWindowHarness;
using tripdesk::testing::TempFolder;

namespace {

// A day file whose records step the given distances (tenths of a metre).
void write_day(const TempFolder& card, const std::string& name, std::initializer_list<int> steps, int speed = 50,
               bool priv = false) {
    tripdesk::track::DayFileWriter f(tripdesk::track::kMarkerWithKey);
    int second = 0;
    for (int s : steps) f.add(tripdesk::track::fix(1, 3, 2009).time(8, 0, second++).speed(speed).trian(s).priv(priv), 1);
    f.save(card.file(name));
}

struct Screen {
    explicit Screen(const char* ini = nullptr) : volumes(std::make_shared<FakeVolumes>()), h(ini, volumes) {}

    // Shows the window with the card as its first drive.
    void show_with_card(std::optional<tripdesk::app::VolumeInfo> info = FakeVolumes::card("BA-123AB")) {
        volumes->add(card.path(), std::move(info));
        h.show();
    }
    void on_calendar(QDate first, QDate last = {}) { h.main->set_calendar_range(first, last.isValid() ? last : first); }
    // Clicks the drive-list entry as the user does.
    void click_drive(int row) {
        QListWidget* list = h.main->lst_drvzozn;
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QString cell(int row, int col) const {
        const QTableWidgetItem* item = h.main->str_grid->item(row, col);
        return item ? item->text() : QString();
    }
    QString label(const char* name) const { return h.main->findChild<QLabel*>(name)->text(); }
    QStringList volume_texts() const {
        QStringList out;
        for (QLabel* l : h.main->vyp_inf) out << l->text();
        return out;
    }
    void click_row(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTableWidget* grid = h.main->str_grid;
        const QRect rect = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    bool window_usable() const {
        return h.main->lst_drvzozn->isEnabled() && h.main->cal_month->isEnabled() && h.main->str_grid->isVisible() &&
               !h.main->pnl_loads->isVisible();
    }

    std::shared_ptr<FakeVolumes> volumes;
    TempFolder card;
    MainWindowHarness h;
};

}  // namespace

class CardScreenTest : public QObject {
    Q_OBJECT

private slots:
    void drive_list_offers_the_drives_and_the_image_last() {
        Screen s;
        s.volumes->add("/media/jan/Card", FakeVolumes::card("X"));
        s.volumes->add("/mnt/nas", FakeVolumes::card(""), tripdesk::app::VolumeKind::network);
        s.h.show();
        QListWidget* list = s.h.main->lst_drvzozn;
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QString("- vymeniteľný disk:  [/media/jan/Card]"));
        QCOMPARE(list->item(1)->text(), QString("- sieťový disk:  [/mnt/nas]"));
        QCOMPARE(list->item(2)->text(), QString("- virtuálny disk:  [NONE]"));
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(s.h.main->current_drive(), std::string());  // nothing is scanned at start
        // A language change relabels the entries.
        s.h.main->activate_language(tripdesk::app::kEnglish);
        QCOMPARE(list->item(1)->text(), QString("- network drive:  [/mnt/nas]"));
        QCOMPARE(list->item(2)->text(), QString("- virtual drive:   [NONE]"));
    }

    void empty_card_shows_one_empty_row_and_zero_totals() {
        Screen s;
        s.show_with_card();
        s.on_calendar(QDate(2009, 3, 1));
        s.click_drive(0);
        QCOMPARE(s.h.main->current_drive(), s.card.path());
        QCOMPARE(s.volume_texts(), QStringList({"BA-123AB", "1.50 GB", "1.95 GB", "439041101", "FAT"}));
        QTableWidget* grid = s.h.main->str_grid;
        QCOMPARE(grid->rowCount(), 1);
        for (int col = 0; col < 6; ++col) QCOMPARE(s.cell(0, col), QString());
        QCOMPARE(s.label("lbl_prejd0"), QString("0.0 km"));
        QCOMPARE(s.label("lbl_prejd1"), QString("0.0 km"));
        QCOMPARE(s.label("lbl_prejd2"), QString("0.0 km"));
        QCOMPARE(s.label("lbl_pocjaz"), QString("Počet záznamov: 0 (vybraných: 0)"));
        QCOMPARE(s.h.main->status_text(2), QString(" - písmeno vybranej jednotky: \"%1\"  ").arg(QString::fromStdString(s.card.path())));
        QVERIFY(s.window_usable());
        QCOMPARE(s.h.main->VratNazovVyb(true), std::string());
    }

    void rows_totals_notes_and_the_selected_distance() {
        Screen s("[FRM_SETEXP]\nIgnoreSluz=0\n");
        write_day(s.card, "010309.GPS", {60000, 63400}, 87);          // 12.34 km
        write_day(s.card, "050309.GPS", {5000}, 140, true);           // 0.50 km private, too fast
        write_day(s.card, "150309.GPS", {10000, 10000});              // 2.00 km
        write_day(s.card, "010310.GPS", {10000});                     // another year
        tripdesk::write_file_atomically(s.card.file("050309.TXT"), "BA-999ZZ\r\nSlužobná cesta\r\n");
        s.show_with_card();
        s.on_calendar(QDate(2009, 3, 1));
        // What the window looks like while the scan lets messages run.
        QStringList during;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            Tfrm_main& m = *s.h.main;
            during << QString("list %1 calendar %2 grid %3 panel %4 %5")
                          .arg(m.lst_drvzozn->isEnabled())
                          .arg(m.cal_month->isEnabled())
                          .arg(m.str_grid->isVisible())
                          .arg(m.pnl_loads->isVisible())
                          .arg(m.findChild<QLabel*>("lbl_stav0")->text());
        });
        watch.start();
        s.click_drive(0);
        watch.stop();
        QVERIFY(!during.isEmpty());
        QCOMPARE(during.front(), QString("list 0 calendar 0 grid 0 panel 1 Prebieha analýza záznamov ..."));
        QVERIFY(s.window_usable());

        QTableWidget* grid = s.h.main->str_grid;
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(s.cell(0, 0), QString("01/03/09"));
        QCOMPARE(s.cell(0, 1), QString("010309.GPS"));
        QCOMPARE(s.cell(0, 3), QString("12.34 km"));
        QCOMPARE(s.cell(0, 4), QString("87 km/h"));
        QCOMPARE(s.cell(1, 2), QString("BA-999ZZ"));  // the note's first line
        QCOMPARE(s.cell(1, 5), QString("Rýchlosť prekročená!"));
        QCOMPARE(s.cell(2, 0), QString("15/03/09"));
        QCOMPARE(s.label("lbl_prejd0"), QString("14.8 km"));
        QCOMPARE(s.label("lbl_prejd2"), QString("0.5 km"));
        // After a scan the first day is selected and its chart drawn.
        QCOMPARE(s.label("lbl_prejd1"), QString("12.3 km"));
        QCOMPARE(s.label("lbl_pocjaz"), QString("Počet záznamov: 3 (vybraných: 1)"));
        const QString first_path = QString::fromStdString(s.card.file("010309.GPS"));
        QCOMPARE(s.h.main->status_text(2), QString(" - generovanie tachografu pre: \"%1\" ... hotovo").arg(first_path));
        const auto chart = [&] { return s.h.main->img_tgrf->pixmap().toImage(); };
        const QImage first_chart = chart();
        QVERIFY(!first_chart.isNull());

        // A click and a shift-click select 01/03 to 05/03: 12.34 + 0.50.
        s.click_row(0);
        QCOMPARE(chart(), first_chart);  // the same day drawn again
        s.click_row(1, Qt::ShiftModifier);
        QCOMPARE(s.label("lbl_prejd1"), QString("12.8 km"));
        QCOMPARE(s.label("lbl_pocjaz"), QString("Počet záznamov: 3 (vybraných: 2)"));
        QCOMPARE(s.h.main->VratNazovVyb(true), std::string("BA-123AB_(01-03-09_05-03-09)"));
        QCOMPARE(s.h.main->VratNazovVyb(false), std::string("od 01-03-09 do 05-03-09"));
        QCOMPARE(s.h.main->selected_rows().size(), size_t(2));

        s.h.main->dispatch("men_selall");
        QCOMPARE(s.label("lbl_prejd1"), QString("14.8 km"));
        QCOMPARE(s.label("lbl_pocjaz"), QString("Počet záznamov: 3 (vybraných: 3)"));
        QCOMPARE(chart(), first_chart);  // selecting all does not redraw the chart
        s.click_row(2);
        QVERIFY(chart() != first_chart);  // the chart of 15/03
        s.click_row(1);
        s.click_row(2, Qt::ShiftModifier);
        s.h.main->dispatch("men_selnon");  // back to the top row of the selection
        QCOMPARE(s.h.main->selected_rows().size(), size_t(1));
        QCOMPARE(s.h.main->selected_rows().front().file_name, std::string("050309.GPS"));
        QCOMPARE(s.label("lbl_prejd1"), QString("0.5 km"));
        QCOMPARE(s.h.main->VratNazovVyb(false), std::string("05-03-09"));
        // Selecting with the keyboard keeps the figures in step.
        s.h.main->str_grid->setFocus();
        QTest::keyClick(s.h.main->str_grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(s.label("lbl_prejd1"), QString("2.5 km"));
    }

    void ignoring_private_trips_shows_no_private_distance() {
        Screen s;  // IgnoreSluz is on by default
        write_day(s.card, "050309.GPS", {5000}, 50, true);
        s.show_with_card();
        s.on_calendar(QDate(2009, 3, 1));
        s.click_drive(0);
        QCOMPARE(s.cell(0, 3), QString("0.50 km"));
        QCOMPARE(s.label("lbl_prejd2"), QString("0.0 km"));
        QCOMPARE(s.label("lbl_prejd0"), QString("0.5 km"));
    }

    void a_card_without_label_names_the_selection_no_carid() {
        Screen s;
        write_day(s.card, "051108.GPS", {1000});
        s.show_with_card(FakeVolumes::card(""));
        s.on_calendar(QDate(2008, 11, 20));
        s.click_drive(0);
        QCOMPARE(s.volume_texts().front(), QString("NO_CARID"));
        QCOMPARE(s.h.main->vehicle_label(), QString("NO_CARID"));
        QCOMPARE(s.h.main->VratNazovVyb(true), std::string("NO_CARID_(05-11-08)"));
        QCOMPARE(s.h.main->VratNazovVyb(false), std::string("05-11-08"));
    }

    void an_unreadable_drive_shows_none_and_stays_unscanned() {
        Screen s;
        write_day(s.card, "010309.GPS", {1000});
        s.show_with_card(std::nullopt);
        s.on_calendar(QDate(2009, 3, 1));
        s.click_drive(0);
        QCOMPARE(s.volume_texts(), QStringList({"[NONE]", "[NONE]", "[NONE]", "[NONE]", "[NONE]"}));
        const QString mount = QString::fromStdString(s.card.path()).chopped(1);
        QCOMPARE(s.h.main->status_text(2), QString(" - jednotka: \"%1\"  nieje dostupná !!!").arg(mount));
        QCOMPARE(s.h.main->current_drive(), std::string());
        QCOMPARE(s.h.main->str_grid->rowCount(), 1);
        QCOMPARE(s.cell(0, 1), QString());
        QVERIFY(s.h.main->lst_drvzozn->isEnabled());
    }

    void month_only_probes_the_calendar_month() {
        Screen s("[FRM_MAIN]\nActMonthOnly=1\n");
        for (const char* name : {"280209.GPS", "010309.GPS", "310309.GPS", "010409.GPS"}) write_day(s.card, name, {1000});
        s.show_with_card();
        s.on_calendar(QDate(2009, 3, 10));
        s.click_drive(0);
        QCOMPARE(s.h.main->str_grid->rowCount(), 2);
        QCOMPARE(s.cell(0, 1), QString("010309.GPS"));
        QCOMPARE(s.cell(1, 1), QString("310309.GPS"));
        QCOMPARE(s.h.main->prg_stav->maximum(), 31);
        // The check box scans again: the whole year.
        s.h.main->chk_aktmes->click();
        QCOMPARE(s.h.main->str_grid->rowCount(), 4);
        QCOMPARE(s.h.main->prg_stav->maximum(), 365);
    }

    void calendar_selects_its_range_and_scans_a_new_year() {
        Screen s("[FRM_MAIN]\nCalenSelDate=2009-03-01\nCalenEndDate=2009-03-01\n");
        for (const char* name : {"010309.GPS", "050309.GPS", "150309.GPS"}) write_day(s.card, name, {1000});
        s.show_with_card();
        s.click_drive(0);
        QCOMPARE(s.h.main->str_grid->rowCount(), 3);
        write_day(s.card, "100309.GPS", {1000});  // not listed until the next scan

        const auto select = [&](QDate first, QDate last) {
            s.on_calendar(first, last);
            s.h.main->dispatch("cal_monthClick");
            const auto rows = s.h.main->selected_rows();
            return std::make_pair(rows.front().row, rows.back().row);
        };
        // Same year: no scan, the range's rows are selected.
        QCOMPARE(select(QDate(2009, 3, 3), QDate(2009, 3, 20)), std::make_pair(0, 2));
        QCOMPARE(s.h.main->str_grid->rowCount(), 3);
        QCOMPARE(select(QDate(2009, 3, 6), QDate(2009, 3, 14)), std::make_pair(1, 1));
        QCOMPARE(select(QDate(2009, 2, 1), QDate(2009, 2, 27)), std::make_pair(0, 0));  // before every row
        QCOMPARE(select(QDate(2009, 12, 1), QDate(2009, 12, 31)), std::make_pair(2, 2));
        QCOMPARE(s.label("lbl_pocjaz"), QString("Počet záznamov: 3 (vybraných: 1)"));
        // Another year scans again; then back in 2009 the new day is listed.
        s.on_calendar(QDate(2010, 1, 5));
        s.h.main->dispatch("cal_monthClick");
        QCOMPARE(s.h.main->str_grid->rowCount(), 1);
        QCOMPARE(select(QDate(2009, 3, 10), QDate(2009, 3, 15)), std::make_pair(2, 3));
        QCOMPARE(s.h.main->str_grid->rowCount(), 4);
        QCOMPARE(s.h.main->VratNazovVyb(false), std::string("od 10-03-09 do 15-03-09"));
    }

    void month_change_scans_again_only_with_the_month_option() {
        Screen s("[FRM_MAIN]\nCalenSelDate=2009-03-01\nActMonthOnly=1\n");
        write_day(s.card, "010309.GPS", {1000});
        write_day(s.card, "010409.GPS", {1000});
        s.show_with_card();
        s.click_drive(0);
        QCOMPARE(s.cell(0, 1), QString("010309.GPS"));
        s.on_calendar(QDate(2009, 4, 1));
        s.h.main->dispatch("cal_monthClick");
        QCOMPARE(s.cell(0, 1), QString("010409.GPS"));
        s.h.main->chk_aktmes->setChecked(false);
        s.on_calendar(QDate(2009, 3, 1));
        s.h.main->dispatch("cal_monthClick");
        QCOMPARE(s.cell(0, 1), QString("010409.GPS"));  // same year, month option off: no scan
    }

    void a_drive_appearing_refills_the_list_on_the_clock() {
        Screen s;
        s.h.show();
        QListWidget* list = s.h.main->lst_drvzozn;
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(-1);
        s.volumes->add(s.card.path(), FakeVolumes::card("BA-123AB"));
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, 3000);
        QCOMPARE(list->item(0)->text(), QString("- vymeniteľný disk:  [%1]").arg(QString::fromStdString(s.card.path()).chopped(1)));
        QCOMPARE(list->currentRow(), 1);  // the image entry
        QCOMPARE(s.h.main->lst_temp->count(), 2);
        s.volumes->drives.clear();
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 3000);
    }

    void a_read_error_ends_the_scan_and_leaves_the_window_usable() {
        Screen s;
        write_day(s.card, "010309.GPS", {10000});
        write_day(s.card, "030309.GPS", {10000});
        // Reading this file fails with an I/O error, even for root.
        std::filesystem::create_symlink("/proc/self/mem", s.card.file("020309.GPS"));
        s.show_with_card();
        s.on_calendar(QDate(2009, 3, 1));
        {
            tripdesk::testing::MessageBoxAnswers boxes;
            s.click_drive(0);
            QCOMPARE(boxes.shown.size(), size_t(1));
            QVERIFY2(boxes.shown.front().text.contains("020309.GPS"), qPrintable(boxes.shown.front().text));
            QCOMPARE(boxes.shown.front().icon, QMessageBox::Warning);
        }
        QVERIFY(s.window_usable());
        // The day read before the error stays listed with its distance.
        QCOMPARE(s.h.main->str_grid->rowCount(), 1);
        QCOMPARE(s.cell(0, 1), QString("010309.GPS"));
        QCOMPARE(s.label("lbl_prejd0"), QString("1.0 km"));
        QVERIFY(s.h.main->status_text(2).contains("020309.GPS"));

        std::filesystem::remove(s.card.file("020309.GPS"));
        s.click_drive(0);
        QCOMPARE(s.h.main->str_grid->rowCount(), 2);
        QCOMPARE(s.label("lbl_prejd0"), QString("2.0 km"));
    }

    void the_image_entry_scans_the_image_with_its_labels() {
        Screen s("[FRM_MAIN]\nCalenSelDate=2009-03-01\n");
        s.h.show();
        const std::string image = s.h.data.path() + "_images/ba-123ab/";
        std::filesystem::create_directories(image);
        write_day(s.h.data, "_images/ba-123ab/020309.GPS", {10000});
        tripdesk::write_file_atomically(image + "_image.inf", "BA-123AB\r\n1,917,888 KB\r\n1,921,024 KB\r\n-1234567890\r\nFAT\r\n");
        s.h.main->open_card_image(image);
        QListWidget* list = s.h.main->lst_drvzozn;
        QCOMPARE(list->item(list->count() - 1)->text(), QString("- virtuálny disk:  [BA-123AB]"));
        QCOMPARE(s.h.main->current_drive(), image);
        QCOMPARE(s.volume_texts(), QStringList({"BA-123AB", "1,917,888 KB", "1,921,024 KB", "-1234567890", "FAT"}));
        QCOMPARE(s.cell(0, 1), QString("020309.GPS"));

        // Without its information file the image stands for a card without a label.
        std::filesystem::remove(image + "_image.inf");
        s.h.main->rescan();
        QCOMPARE(s.volume_texts(), QStringList({"NO_CARID", "", "", "", ""}));
        QCOMPARE(s.cell(0, 1), QString("020309.GPS"));

        // A vanished image folder is forgotten at the next fill.
        std::filesystem::remove_all(image);
        s.h.main->dispatch("fill_drive_list");
        QCOMPARE(list->item(list->count() - 1)->text(), QString("- virtuálny disk:  [NONE]"));
        QCOMPARE(s.h.main->image_folder(), std::string());
        s.click_drive(list->count() - 1);
        QCOMPARE(s.h.main->status_text(2), QString(" - jednotka: \"NONE\"  nieje dostupná !!!"));
        QVERIFY(s.h.main->lst_drvzozn->isEnabled());
    }

    void double_click_opens_the_note_window_only_for_a_listed_day() {
        Screen s;
        s.show_with_card();
        s.on_calendar(QDate(2009, 3, 1));
        s.click_drive(0);
        s.h.main->dispatch("str_gridDblClick");  // empty grid: nothing opens
        QVERIFY(s.h.main->isEnabled());
        QWidget* note = s.h.main->form("Tfrm_pozn");
        if (note) QVERIFY(!note->isVisible());

        write_day(s.card, "010309.GPS", {1000});
        s.click_drive(0);
        s.h.main->dispatch("str_gridDblClick");
        if (!note) QSKIP("the note window is not part of this build");
        QVERIFY(note->isVisible());
        QVERIFY(!s.h.main->isEnabled());
        note->close();
    }
};

QTEST_MAIN(CardScreenTest)
#include "card_screen_test.moc"
