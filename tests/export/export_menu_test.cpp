// The F2 and F3 menu handlers: save dialogs, proposed names, written files,
// the cancel path and the e-mail hook.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "common/atomic_file.h"
#include "track/day_file_writer.h"

#include "export/export_window_harness.h"
#include "export/ui/export_copy_hook.h"

#include <QLabel>
#include <QTest>

using tripdesk::read_whole_file;
using tripdesk::testing::ExportWindowHarness;
using tripdesk::track::DayFileWriter;
using tripdesk::track::fix;

class ExportMenuTest : public QObject {
    Q_OBJECT

    static void write_day(const std::string& card, int day) {
        DayFileWriter w(tripdesk::track::kMarkerImported);
        w.add(fix(day, 3, 2009).time(8, 0, 0).speed(30).trian(1000).lon(17.5f).lat(48.5f));
        w.add(fix(day, 3, 2009).time(8, 0, 1).speed(30).trian(3000).lon(17.75f).lat(48.75f));
        w.save(card + tripdesk::track::day_file_name(day, 3, 9));
    }

    static void prepare(ExportWindowHarness& h) {
        for (int d : {14, 15, 16}) write_day(h.card, d);
        h.set_grid({{"140309.GPS", "0.40 km"}, {"150309.GPS", "0.40 km"}, {"160309.GPS", "0.40 km"}});
        h.main->vyp_inf[0]->setText("BA-123AB");
        h.select_rows(1, 2);
    }

private slots:
    void logbookWritesTheSelectedDaysUnderTheChosenName() {
        ExportWindowHarness h("menu_logbook");
        prepare(h);
        h.main->settings().frm_setexp.OutputDirKJ = h.scratch.folder("kj");
        h.next_save_path = QString::fromStdString(h.scratch.file("kj/chosen"));
        h.main->dispatch("men_expkj");
        QCOMPARE(h.save_requests.size(), size_t(1));
        QCOMPARE(h.save_requests[0].proposed, QString("BA-123AB_(15-03-09_16-03-09).TXT"));
        QCOMPARE(h.save_requests[0].filter, QString::fromUtf8("Súbory pre Knihu Jázd (*.TXT)|*.TXT"));
        QCOMPARE(h.save_requests[0].folder, QString::fromStdString(h.scratch.file("kj")));
        const std::string text = read_whole_file(h.scratch.file("kj/chosen.TXT"));
        QVERIFY(text.rfind("BA-123AB\r\n130\r\n", 0) == 0);
        QVERIFY(text.find(" 15  8  0  0 ") != std::string::npos);
        QVERIFY(text.find(" 16  8  0  1 ") != std::string::npos);
        QVERIFY(text.find(" 14  8  0  0 ") == std::string::npos);
        QVERIFY(h.errors.empty());
        QVERIFY(h.main->str_grid->isVisibleTo(h.main.get()));
        QCOMPARE(h.main->status_text(2),
                 QString::fromUtf8(" - exportovanie záznamov do Knihy Jázd (TXT) dokončené ..."));
    }

    void cancelledSaveWritesAndSendsNothing() {
        ExportWindowHarness h("menu_cancel");
        prepare(h);
        int copies = 0;
        tripdesk::ui::export_copy_hook() = [&](Tfrm_main&, const tripdesk::ui::WrittenExport&, tripdesk::Progress&) {
            ++copies;
        };
        h.main->settings().frm_setexp.EmailKJ = true;
        h.main->settings().frm_setexp.EmailKML = true;
        h.main->settings().frm_setexp.OutputDirKJ = h.scratch.folder("kj");
        h.next_save_path.clear();
        h.main->dispatch("men_expkj");
        h.main->dispatch("men_expkml");
        QCOMPARE(h.save_requests.size(), size_t(2));
        QCOMPARE(copies, 0);
        QVERIFY(tripdesk::testing::ScratchFolder::entries(h.scratch.file("kj")).empty());
        tripdesk::ui::export_copy_hook() = nullptr;
    }

    void emailOptionHandsTheWrittenFileToTheHook() {
        ExportWindowHarness h("menu_hook");
        prepare(h);
        std::vector<tripdesk::ui::WrittenExport> copies;
        tripdesk::ui::export_copy_hook() = [&](Tfrm_main&, const tripdesk::ui::WrittenExport& w,
                                               tripdesk::Progress&) { copies.push_back(w); };
        h.main->settings().frm_setexp.EmailKML = true;
        h.next_save_path = QString::fromStdString(h.scratch.file("trips.kml"));
        h.main->dispatch("men_expkml");
        QCOMPARE(copies.size(), size_t(1));
        QCOMPARE(copies[0].path, h.scratch.file("trips.kml"));
        QCOMPARE(copies[0].selection_name, std::string("od 15-03-09 do 16-03-09"));
        QVERIFY(copies[0].kind == tripdesk::ui::ExportKind::kml);
        h.main->settings().frm_setexp.EmailKML = false;
        h.main->dispatch("men_expkml");
        QCOMPARE(copies.size(), size_t(1));
        tripdesk::ui::export_copy_hook() = nullptr;
    }

    void kmlColoursAndDistancesComeFromTheGridRows() {
        ExportWindowHarness h("menu_kml");
        prepare(h);
        h.next_save_path = QString::fromStdString(h.scratch.file("out"));
        h.main->dispatch("men_expkml");
        QCOMPARE(h.save_requests[0].proposed, QString("BA-123AB_(15-03-09_16-03-09).KML"));
        const std::string doc = read_whole_file(h.scratch.file("out.KML"));
        // Grid rows 2 and 3: 2 mod 3 and 3 mod 3.
        QVERIFY(doc.find("<color>ff7f00ff</color>") < doc.find("<color>ffff5500</color>"));
        QVERIFY(doc.find("<color>ff00aaff</color>") == std::string::npos);
        QVERIFY(doc.find("  Trasa: 0.40 km \r\n") != std::string::npos);
        QVERIFY(doc.find("<TimeSpan><begin>2009-03-15</begin></TimeSpan>") != std::string::npos);
        QVERIFY(doc.find("<TimeSpan><end>2009-03-16</end></TimeSpan>") != std::string::npos);
    }

    void anEmptyGridOnlyTellsSo() {
        ExportWindowHarness h("menu_empty");
        h.set_grid({});
        h.main->dispatch("men_expkj");
        h.main->dispatch("men_expkml");
        QCOMPARE(h.informations.size(), size_t(2));
        QCOMPARE(h.informations[0], QString::fromUtf8("Žiadne vybrané jazdy !!!"));
        QVERIFY(h.save_requests.empty());
    }

    void aReadErrorIsShownAndTheGridComesBack() {
        ExportWindowHarness h("menu_error");
        prepare(h);
        std::filesystem::remove(h.card + "160309.GPS");
        h.next_save_path = QString::fromStdString(h.scratch.file("x.TXT"));
        h.main->dispatch("men_expkj");
        QCOMPARE(h.errors.size(), size_t(1));
        QVERIFY(h.errors[0].contains("160309.GPS"));
        QVERIFY(!std::filesystem::exists(h.scratch.file("x.TXT")));
        QVERIFY(h.main->str_grid->isVisibleTo(h.main.get()));
    }
};

QTEST_MAIN(ExportMenuTest)
#include "export_menu_test.moc"
