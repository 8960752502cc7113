// The record analysis window on the first selected day of the trip grid.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "common/atomic_file.h"
#include "track/day_file_writer.h"

#include "analysis/ui/frm_nmea.h"
#include "export/export_window_harness.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using tripdesk::read_whole_file;
using tripdesk::testing::ExportWindowHarness;
using tripdesk::track::DayFileWriter;
using tripdesk::track::fix;

class NmeaWindowTest : public QObject {
    Q_OBJECT

    static void write_day(const std::string& path, int records) {
        DayFileWriter w(tripdesk::track::kMarkerWithKey);
        for (int i = 0; i < records; ++i)
            w.add(fix(15, 3, 2009).time(10, 0, i).sats(3 + i).speed(10 * i).lon(17.25f).lat(48.5f), 0x04030201);
        w.save(path);
    }

private slots:
    void showsTheFirstSelectedDay() {
        ExportWindowHarness h("nmea_show");
        write_day(h.card + "150309.gps", 3);
        write_day(h.card + "160309.GPS", 1);
        h.set_grid({{"150309.GPS", "0.00 km"}, {"160309.GPS", "0.00 km"}});
        h.select_rows(0, 1);
        auto* w = h.main->form<Tfrm_nmea>();
        QVERIFY(w);
        w->show();
        QCOMPARE(w->lbl_nazov->text(), QString::fromUtf8("150309.GPS (3 zápisov)"));
        QCOMPARE(w->lbl_vypsg->text(), QString::fromUtf8("1 výpadkov"));
        QCOMPARE(w->lbl_rychl->text(), QString("20 (10) km/h"));
        auto* model = w->str_grid->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->headerData(13, Qt::Horizontal).toString(), QString("Longtitude"));
        QCOMPARE(model->index(2, 2).data().toString(), QString("10:00:02"));
        QCOMPARE(model->index(0, 14).data().toString(), QString("01020304"));
        const auto widths = tripdesk::analysis::column_widths(w->str_grid->width());
        QCOMPARE(w->str_grid->columnWidth(12), widths[12]);
        w->close();
    }

    void savesBothFormsUnderTheChosenName() {
        ExportWindowHarness h("nmea_save");
        write_day(h.card + "150309.GPS", 2);
        h.set_grid({{"150309.GPS", "0.00 km"}});
        h.select_rows(0, 0);
        h.main->vyp_inf[0]->setText("BA-123AB");
        h.main->settings().frm_setexp.OutputDirHTML = h.scratch.folder("html");
        h.main->settings().frm_main.DatumDel = ".";
        h.main->settings().frm_main.CisloDel = ",";
        auto* w = h.main->form<Tfrm_nmea>();
        w->show();
        h.next_save_path = QString::fromStdString(h.scratch.file("html/a"));
        w->btn_save->click();
        QCOMPARE(h.save_requests.back().proposed, QString("det_BA-123AB_150309.CSV"));
        QCOMPARE(h.save_requests.back().filter, QString::fromUtf8("Textové hodnoty s oddeľovačom (*.CSV)|*.CSV"));
        const std::string csv = read_whole_file(h.scratch.file("html/a.CSV"));
        QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 2L);
        QVERIFY(csv.rfind("00001;15.03.2009;10:00:00;", 0) == 0);
        h.next_save_path = QString::fromStdString(h.scratch.file("html/b.txt"));
        w->btn_save1->click();
        QVERIFY(read_whole_file(h.scratch.file("html/b.txt.CSV")).find("17,250000") != std::string::npos);
        w->close();
    }

    void placeSearchTexts() {
        ExportWindowHarness h("nmea_place");
        write_day(h.card + "150309.GPS", 1);
        write_day(h.card + "160309.GPS", 0);
        h.set_grid({{"150309.GPS", "0.00 km"}, {"160309.GPS", "0.00 km"}});
        h.main->settings().frm_setexp.OutputDirKJ = h.scratch.file("nowhere/KJ_GPS");
        auto* w = h.main->form<Tfrm_nmea>();

        h.select_rows(1, 1);  // a header-only file
        w->show();
        w->img_hladaj->click();
        QCOMPARE(w->pnl_mesto->text(), QString("Error !!! No tracklog loaded ..."));
        w->close();

        h.select_rows(0, 0);  // one record: the search runs, the missing map is an error
        w->show();
        w->img_hladaj->click();
        QCOMPARE(w->pnl_mesto->text(), QString::fromUtf8("Prehľadávam databázy KJ ..."));
        QCOMPARE(h.errors.size(), size_t(1));
        QVERIFY(h.errors[0].contains("MISTA.MAP"));
        w->close();
    }

    void aMissingDayFileShowsNone() {
        ExportWindowHarness h("nmea_missing");
        h.set_grid({{"150309.GPS", "0.00 km"}});
        h.select_rows(0, 0);
        auto* w = h.main->form<Tfrm_nmea>();
        w->show();
        QCOMPARE(w->lbl_nazov->text(), QString("[none]"));
        QCOMPARE(w->str_grid->model()->rowCount(), 1);
        QVERIFY(w->str_grid->model()->index(0, 0).data().toString().isEmpty());
        w->close();
    }
};

QTEST_MAIN(NmeaWindowTest)
#include "frm_nmea_test.moc"
