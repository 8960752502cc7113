// The private-trip window over an EEPROM.BIN on the current drive.
// Logic headers before Qt ones: Qt defines "slots" as a macro.
#include "common/atomic_file.h"
#include "track/day_file_writer.h"

#include "export/export_window_harness.h"
#include "private/ui/frm_sukjaz.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using tripdesk::testing::ExportWindowHarness;
using tripdesk::track::encode_time;

namespace {

std::string words(std::initializer_list<uint32_t> ws) {
    std::string b;
    for (uint32_t w : ws)
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
    return b;
}

// Header, a private trip of 12.5 km, a business trip of 0 km, a private trip of 2.6 km.
std::string three_trips() {
    return words({0, 11, encode_time(7, 3, 15, 8, 0, 0), 125000, 0x00ABCD10, encode_time(7, 3, 15, 9, 0, 0), 0, 11,
                  encode_time(7, 3, 16, 10, 30, 0), 26000});
}

QStringList column(QTableWidget* grid, int c) {
    QStringList cells;
    for (int r = 0; r < grid->rowCount(); ++r) cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return cells;
}

}  // namespace

class SukjazWindowTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheTripsWithTotalsAndFilters() {
        ExportWindowHarness h("sukjaz_list");
        h.scratch.touch("card/eeprom.bin", three_trips());  // found in any letter case
        auto* w = h.main->form<Tfrm_sukjaz>();
        QVERIFY(w);
        w->chk_opt1->setChecked(false);
        w->chk_opt2->setChecked(true);
        w->show();
        QCOMPARE(w->lbl_subor->text(), QString::fromUtf8("Záznamy z EEPROM.BIN (40 bytes):"));
        QCOMPARE(w->lbl_obdobie->text(), QString("15/03/09 - 16/03/09"));
        QCOMPARE(w->lbl_celkom->text(), QString("15.1 km"));
        QCOMPARE(w->lbl_sukrom->text(), QString("15.1 km"));
        QVERIFY(w->btn_export->isEnabled());
        QCOMPARE(column(w->str_grid, 1), QStringList({"08:00:00", "10:30:00"}));
        QCOMPARE(w->str_grid->horizontalHeaderItem(3)->text(), QString::fromUtf8("Druh jazdy:"));
        QCOMPARE(w->str_grid->columnWidth(3), 77);

        w->chk_opt2->click();  // zero-length trips shown again, and stored
        QCOMPARE(h.main->settings().frm_sukjaz.Nenulove, false);
        QCOMPARE(column(w->str_grid, 2), QStringList({"000000", "CDAB00", "000000"}));
        w->chk_opt1->click();
        QCOMPARE(h.main->settings().frm_sukjaz.SukrOnly, true);
        QCOMPARE(column(w->str_grid, 3), QStringList({QString::fromUtf8("súkromná"), QString::fromUtf8("súkromná")}));
        w->close();
    }

    void doubleClickCopiesTheWholeList() {
        ExportWindowHarness h("sukjaz_copy");
        h.scratch.touch("card/EEPROM.BIN", three_trips());
        auto* w = h.main->form<Tfrm_sukjaz>();
        w->chk_opt1->setChecked(true);
        w->show();
        w->str_gridDblClick();
        QCOMPARE(h.informations.back(), QString::fromUtf8("Zoznam bol skopírovaný do schránky !!!"));
        QCOMPARE(QGuiApplication::clipboard()->text().count("\r\n"), 3);
        QVERIFY(QGuiApplication::clipboard()->text().contains(QString::fromUtf8("CDAB00 služobná 0.0 km")));
        w->close();
    }

    void exportsThePrivateTripsUnderTheChosenName() {
        ExportWindowHarness h("sukjaz_export");
        h.scratch.touch("card/EEPROM.BIN", three_trips());
        h.main->vyp_inf[0]->setText("BA-123AB");
        h.main->settings().frm_setexp.OutputDirKJ = h.scratch.folder("kj");
        auto* w = h.main->form<Tfrm_sukjaz>();
        w->show();
        h.next_save_path = QString::fromStdString(h.scratch.file("kj/private.log"));
        w->btn_export->click();
        QCOMPARE(h.save_requests.back().proposed, QString("BA-123AB (sukromne).TXT"));
        const std::string text = tripdesk::read_whole_file(h.scratch.file("kj/private.log"));
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 6L);
        QVERIFY(text.find("    1 01 20cf  2 15  9  0  0  109") != std::string::npos);

        h.next_save_path.clear();  // cancelled: nothing more written
        w->btn_export->click();
        QCOMPARE(tripdesk::testing::ScratchFolder::entries(h.scratch.file("kj")),
                 std::vector<std::string>{"private.log"});
        w->close();
    }

    void aMissingFileDisablesTheExport() {
        ExportWindowHarness h("sukjaz_missing");
        auto* w = h.main->form<Tfrm_sukjaz>();
        w->show();
        QCOMPARE(w->lbl_subor->text(),
                 QString::fromStdString(h.card) + QString::fromUtf8("EEPROM.BIN - súbor nebol nenájdený !!!"));
        QVERIFY(!w->btn_export->isEnabled());
        QCOMPARE(w->lbl_celkom->text(), QString("0.0 km"));
        QCOMPARE(w->str_grid->rowCount(), 1);
        w->close();
    }
};

QTEST_MAIN(SukjazWindowTest)
#include "frm_sukjaz_test.moc"
