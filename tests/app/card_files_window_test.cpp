// The main window's card-file commands offscreen: saving and opening card
// images, deleting day files, the note window and the time-window dialog.
// The day-file writer comes before Qt's headers, whose "slots" macro it would trip over.
#include "track/day_file_writer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

#include "app/image_info.h"
#include "app/ui/frm_casokno.h"
#include "app/ui/frm_main.h"
#include "app/ui/frm_pozn.h"
#include "common/atomic_file.h"
#include "export/html_process_starter.h"
#include "export/ui/html_export_window.h"
#include "main_window_harness.h"
#include "message_box_answers.h"

namespace fs = std::filesystem;
using namespace tripdesk;
using tripdesk::testing::MainWindowHarness;
using tripdesk::testing::MessageBoxAnswers;
using tripdesk::testing::TempFolder;

namespace {

const app::VolumeLabels kLabels{"BA-123AB", "1,234 KB", "1.95 GB", "-1234567890", "FAT32"};

void write_day(const std::string& path, int day, int month) {
    track::DayFileWriter writer(track::kMarkerWithKey);
    for (int i = 0; i < 20; ++i)
        writer.add(track::fix(day, month, 2009).time(8, 0, i).speed(50).trian(1000).new_trip(i == 0), 0x78563412);
    writer.save(path);
}

// A card (here: a card image folder, which the drive list opens without a
// mounted volume) holding the day files of the given March 2009 days.
void make_card(const TempFolder& card, std::initializer_list<int> days, const app::VolumeLabels& labels = kLabels) {
    for (int day : days) write_day(card.file(track::day_file_name(day, 3, 9)), day, 3);
    app::write_image_info(card.path(), labels);
}

// The volume labels and the current drive as a scan of the card leaves them.
void show_card_labels(Tfrm_main& main, const TempFolder& card, const app::VolumeLabels& labels = kLabels) {
    main.set_current_drive(card.path());
    const std::string* texts[5] = {&labels.label, &labels.free_space, &labels.total_space, &labels.serial,
                                   &labels.file_system};
    for (int i = 0; i < 5; ++i) main.vyp_inf[i]->setText(QString::fromStdString(*texts[i]));
}

// The grid as a scan leaves it, for tests about what a handler does with the selection.
void show_rows(Tfrm_main& main, const TempFolder& card, const std::vector<std::pair<QString, QString>>& rows,
               int top, int bottom) {
    show_card_labels(main, card);
    QTableWidget* grid = main.str_grid;
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        grid->setItem(r, 0, new QTableWidgetItem(rows[r].first));
        grid->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(top, 0, bottom, grid->columnCount() - 1), true);
}

void select_rows(Tfrm_main& main, int top, int bottom) {
    main.str_grid->clearSelection();
    main.str_grid->setRangeSelected(QTableWidgetSelectionRange(top, 0, bottom, main.str_grid->columnCount() - 1), true);
}

QStringList column(const Tfrm_main& main, int col) {
    QStringList out;
    for (int r = 0; r < main.str_grid->rowCount(); ++r) {
        const QTableWidgetItem* item = main.str_grid->item(r, col);
        out << (item ? item->text() : QString());
    }
    return out;
}

struct RecordingStarter : ProcessStarter {
    std::vector<std::vector<std::string>> runs;
    int run_and_wait(const std::vector<std::string>& argv, Progress&) override {
        runs.push_back(argv);
        return 0;
    }
};

struct RecordingOpener : Opener {
    std::vector<std::string> pages, folders;
    void open_page(const std::string& path) override { pages.push_back(path); }
    void open_folder(const std::string& path) override { folders.push_back(path); }
};

}  // namespace

class CardFilesWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // --- card images --------------------------------------------------------

    void savingTakesDayFilesAndPrivateMemoryAndAsksBeforeUpdating() {
        MainWindowHarness h;
        h.show();
        TempFolder card;
        write_day(card.file("010309.GPS"), 1, 3);
        write_day(card.file("020309.GPS"), 2, 3);
        write_file_atomically(card.file("EEPROM.BIN"), std::string(256, '\xff'));
        write_file_atomically(card.file("010309.TXT"), "poznámka\r\n");
        write_day(card.file("010131.GPS"), 1, 1);
        show_card_labels(*h.main, card);

        const std::string image = h.data.path() + "_images/BA-123AB/";
        {
            MessageBoxAnswers boxes;
            h.main->dispatch("men_ulimg");
            QVERIFY(boxes.shown.empty());  // a new image asks nothing
        }
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(image)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        QCOMPARE(names, (std::vector<std::string>{"010309.GPS", "020309.GPS", "EEPROM.BIN", "_image.inf"}));
        QCOMPARE(*app::ReadVirtInfo(image).labels, kLabels);
        QCOMPARE(h.main->status_text(2), QString::fromStdString(" - obraz jednotky ulozeny do: \"" + image + "\" ..."));
        QVERIFY(!h.main->pnl_loads->isVisible());

        // Saving again asks; No leaves the image as it was.
        write_file_atomically(card.file("020309.GPS"), "changed");
        {
            MessageBoxAnswers boxes({QMessageBox::No});
            h.main->dispatch("men_ulimg");
            QCOMPARE(boxes.shown.size(), size_t(1));
            QCOMPARE(boxes.shown[0].text, QString("Aktualizovat existujuci obraz jednotky?"));
            QCOMPARE(boxes.shown[0].icon, QMessageBox::Question);
            QCOMPARE(boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        }
        QCOMPARE(h.main->status_text(2), QString(" - ukladanie obrazu jednotky prerusene ..."));
        QVERIFY(read_whole_file(image + "020309.GPS") != "changed");
        {
            MessageBoxAnswers boxes({QMessageBox::Yes});
            h.main->dispatch("men_ulimg");
            QCOMPARE(boxes.shown.size(), size_t(1));
        }
        QCOMPARE(read_whole_file(image + "020309.GPS"), std::string("changed"));
    }

    void aLabelThatNamesAnotherFolderStaysInsideImages() {
        MainWindowHarness h;
        h.show();
        TempFolder card;
        write_day(card.file("010309.GPS"), 1, 3);
        for (const char* label : {"../escape", "A/B", ".."}) {
            app::VolumeLabels labels = kLabels;
            labels.label = label;
            show_card_labels(*h.main, card, labels);
            MessageBoxAnswers boxes({QMessageBox::Yes});
            h.main->dispatch("men_ulimg");
        }
        QVERIFY(!fs::exists(h.data.path() + "escape"));
        QVERIFY(!fs::exists(h.data.path() + "_images/A"));
        std::vector<std::string> images;
        for (const auto& e : fs::directory_iterator(h.data.path() + "_images")) {
            QVERIFY(e.is_directory());
            QVERIFY(fs::is_regular_file(e.path() / "010309.GPS"));
            images.push_back(e.path().filename().string());
        }
        QCOMPARE(images.size(), size_t(3));
        std::vector<std::string> entries;
        for (const auto& e : fs::directory_iterator(h.data.path())) entries.push_back(e.path().filename().string());
        QVERIFY(std::count(entries.begin(), entries.end(), "_images") == 1);
    }

    void aFailedCopyIsReportedNotShownAsSaved() {
        MainWindowHarness h;
        h.show();
        TempFolder card;
        write_day(card.file("010309.GPS"), 1, 3);
        write_day(card.file("020309.GPS"), 2, 3);
        show_card_labels(*h.main, card);
        // A folder in the image where the copy of 020309.GPS should go.
        fs::create_directories(h.data.path() + "_images/BA-123AB/020309.GPS/inner");
        MessageBoxAnswers boxes({QMessageBox::Yes, QMessageBox::Ok});
        h.main->dispatch("men_ulimg");
        QCOMPARE(boxes.shown.size(), size_t(2));  // the update question, then the failure
        QCOMPARE(boxes.shown[1].icon, QMessageBox::Warning);
        QVERIFY2(boxes.shown[1].text.contains(QString::fromStdString(card.path() + "020309.GPS")),
                 qPrintable(boxes.shown[1].text));
        QVERIFY(!h.main->status_text(2).contains("ulozeny"));
        QVERIFY(h.main->status_text(2).contains("!!!"));
        QVERIFY(fs::is_regular_file(h.data.path() + "_images/BA-123AB/010309.GPS"));
    }

    void openingAnImageShowsItsStoredLabels() {
        MainWindowHarness h;
        h.show();
        h.main->set_calendar_range(QDate(2009, 3, 1), QDate(2009, 3, 1));
        TempFolder card;
        write_day(card.file("010309.GPS"), 1, 3);
        write_day(card.file("020309.GPS"), 2, 3);
        show_card_labels(*h.main, card);
        h.main->dispatch("men_ulimg");
        const std::string image = h.data.path() + "_images/BA-123AB";

        h.next_choice.clear();  // cancel: nothing changes
        h.main->dispatch("men_otimg");
        QCOMPARE(h.prompts.back(), QString::fromUtf8("Vyberte priečinok s obrazom jednotky:"));
        QCOMPARE(h.main->image_folder(), std::string());

        h.main->vyp_inf[0]->clear();
        h.next_choice = QString::fromStdString(image);
        h.main->dispatch("men_otimg");
        QCOMPARE(h.main->image_folder(), image + "/");
        QCOMPARE(h.main->current_drive(), image + "/");
        QVERIFY(h.main->lst_drvzozn->count() > 0);
        QVERIFY2(h.main->lst_drvzozn->item(h.main->lst_drvzozn->count() - 1)->text().endsWith("[BA-123AB]"),
                 qPrintable(h.main->lst_drvzozn->item(h.main->lst_drvzozn->count() - 1)->text()));
        const std::string* texts[5] = {&kLabels.label, &kLabels.free_space, &kLabels.total_space, &kLabels.serial,
                                       &kLabels.file_system};
        for (int i = 0; i < 5; ++i) QCOMPARE(h.main->vyp_inf[i]->text(), QString::fromStdString(*texts[i]));
        QCOMPARE(column(*h.main, 1), QStringList({"010309.GPS", "020309.GPS"}));
    }

    // --- deleting -------------------------------------------------------------

    void deletingNeedsAdministratorAndASelection() {
        MainWindowHarness plain;
        plain.show();
        TempFolder card;
        make_card(card, {1});
        show_rows(*plain.main, card, {{"01/03/09", "010309.GPS"}}, 0, 0);
        {
            MessageBoxAnswers boxes({QMessageBox::Yes});
            plain.main->dispatch("men_zmaz");
            QVERIFY(boxes.shown.empty());
        }
        QVERIFY(fs::exists(card.file("010309.GPS")));

        MainWindowHarness admin("[FRM_MAIN]\nAdministrator=1\n");
        admin.show();
        show_rows(*admin.main, card, {{"", ""}}, 0, 0);  // an empty grid
        MessageBoxAnswers boxes({QMessageBox::Ok});
        admin.main->dispatch("men_zmaz");
        QCOMPARE(boxes.shown.size(), size_t(1));
        QCOMPARE(boxes.shown[0].text, QString::fromUtf8("Žiadne vybrané súbory !!!"));
        QCOMPARE(boxes.shown[0].icon, QMessageBox::Information);
    }

    void noToTheQuestionDeletesNothing() {
        MainWindowHarness h("[FRM_MAIN]\nAdministrator=1\n");
        h.show();
        TempFolder card;
        make_card(card, {1, 2});
        show_rows(*h.main, card, {{"01/03/09", "010309.GPS"}, {"02/03/09", "020309.GPS"}}, 0, 1);
        MessageBoxAnswers boxes({QMessageBox::No});
        h.main->dispatch("men_zmaz");
        QCOMPARE(boxes.shown.size(), size_t(1));
        QCOMPARE(boxes.shown[0].text, QString::fromUtf8("Skutočne zmazať vybrané súbory?\n\nTIETO ÚDAJE BUDÚ ÚPLNE ZMAZANÉ !!!"));
        QCOMPARE(boxes.shown[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(fs::exists(card.file("010309.GPS")));
        QVERIFY(fs::exists(card.file("020309.GPS")));
    }

    void deletingTwoOfFiveLeavesThreeWithTheSelectionInPlace() {
        MainWindowHarness h("[FRM_MAIN]\nAdministrator=1\n");
        h.show();
        h.main->set_calendar_range(QDate(2009, 3, 1), QDate(2009, 3, 1));
        TempFolder card;
        make_card(card, {1, 2, 3, 4, 5});
        write_file_atomically(card.file("020309.TXT"), "note\r\n");
        h.main->open_card_image(card.path());
        QCOMPARE(column(*h.main, 1).size(), 5);
        select_rows(*h.main, 1, 2);
        {
            MessageBoxAnswers boxes({QMessageBox::Yes});
            h.main->dispatch("men_zmaz");
            QCOMPARE(boxes.shown.size(), size_t(1));  // the question only
        }
        QCOMPARE(column(*h.main, 1), QStringList({"010309.GPS", "040309.GPS", "050309.GPS"}));
        QVERIFY(fs::exists(card.file("020309.TXT")));  // notes stay
        QCOMPARE(h.main->selected_rows().size(), size_t(1));
        QCOMPARE(h.main->selected_rows().front().row, 1);
        QVERIFY(!h.main->pnl_loads->isVisible());

        // A file gone since the scan is passed over silently; with fewer rows
        // left the selection falls on the last one.
        select_rows(*h.main, 1, 2);
        fs::remove(card.file("050309.GPS"));
        {
            MessageBoxAnswers boxes({QMessageBox::Yes});
            h.main->dispatch("men_zmaz");
            QCOMPARE(boxes.shown.size(), size_t(1));
        }
        QCOMPARE(column(*h.main, 1), QStringList({"010309.GPS"}));
        QCOMPARE(h.main->selected_rows().front().row, 0);
    }

    void filesThatCannotBeDeletedAreReported() {
        MainWindowHarness h("[FRM_MAIN]\nAdministrator=1\n");
        h.show();
        TempFolder card;
        make_card(card, {1});
        fs::create_directories(card.file("020309.GPS/inner"));
        show_rows(*h.main, card, {{"01/03/09", "010309.GPS"}, {"02/03/09", "020309.GPS"}}, 0, 1);
        MessageBoxAnswers boxes({QMessageBox::Yes, QMessageBox::Ok});
        h.main->dispatch("men_zmaz");
        QCOMPARE(boxes.shown.size(), size_t(2));
        QCOMPARE(boxes.shown[1].icon, QMessageBox::Warning);
        QVERIFY2(boxes.shown[1].text.contains(QString::fromStdString(card.path() + "020309.GPS")),
                 qPrintable(boxes.shown[1].text));
        QVERIFY(!fs::exists(card.file("010309.GPS")));
    }

    // --- the note window ------------------------------------------------------

    void noteWindowLoadsAndAsksBeforeDroppingEdits() {
        MainWindowHarness h;
        h.show();
        TempFolder card;
        make_card(card, {1, 2});
        write_file_atomically(card.file("020309.txt"), "Služobná cesta\r\nBratislava\r\n");
        show_rows(*h.main, card, {{"01/03/09", "010309.GPS"}, {"02/03/09", "020309.GPS"}}, 1, 1);
        auto* pozn = h.main->form<Tfrm_pozn>();
        QVERIFY(pozn);
        h.main->UkazOknoCenter(pozn);
        QCOMPARE(pozn->windowTitle(), QString::fromUtf8("Poznámka k dátumu 02/03/09"));
        QCOMPARE(pozn->mem_pozn->toPlainText(), QString::fromUtf8("Služobná cesta\nBratislava"));
        QVERIFY(!pozn->btn_uloz->isEnabled());
        QVERIFY(!(pozn->windowFlags() & Qt::WindowCloseButtonHint));

        pozn->mem_pozn->appendPlainText("Trnava");
        QVERIFY(pozn->btn_uloz->isEnabled());
        h.answer_ok = false;
        pozn->btn_zatvor->click();
        QCOMPARE(h.questions, std::vector<QString>{QString::fromUtf8("Zatvoriť bez uloženia zmien?")});
        QVERIFY(pozn->isVisible());
        QVERIFY(pozn->mem_pozn->toPlainText().endsWith("Trnava"));

        h.answer_ok = true;
        h.main->str_grid->setItem(1, 2, new QTableWidgetItem("unchanged"));
        pozn->btn_zatvor->click();
        QVERIFY(!pozn->isVisible());
        QVERIFY(h.main->isEnabled());
        QCOMPARE(read_whole_file(card.file("020309.txt")), std::string("Služobná cesta\r\nBratislava\r\n"));
        QCOMPARE(h.main->str_grid->item(1, 2)->text(), QString("unchanged"));  // no rescan

        // Opening again shows the file, not the dropped edit; closing unedited asks nothing.
        h.main->UkazOknoCenter(pozn);
        QCOMPARE(pozn->mem_pozn->toPlainText(), QString::fromUtf8("Služobná cesta\nBratislava"));
        pozn->btn_zatvor->click();
        QCOMPARE(h.questions.size(), size_t(2));
        QVERIFY(!pozn->isVisible());
    }

    void savedNoteShowsInTheGridAfterClosing() {
        MainWindowHarness h;
        h.show();
        h.main->set_calendar_range(QDate(2009, 3, 1), QDate(2009, 3, 1));
        TempFolder card;
        make_card(card, {1, 2, 3});
        h.main->open_card_image(card.path());
        select_rows(*h.main, 1, 1);
        auto* pozn = h.main->form<Tfrm_pozn>();
        h.main->UkazOknoCenter(pozn);
        QVERIFY(pozn->mem_pozn->toPlainText().isEmpty());
        pozn->mem_pozn->setPlainText("BA-999ZZ\nvýmena vozidla");
        pozn->btn_uloz->click();
        QVERIFY(!pozn->btn_uloz->isEnabled());
        QCOMPARE(read_whole_file(card.file("020309.TXT")), std::string("BA-999ZZ\r\nvýmena vozidla\r\n"));
        pozn->btn_zatvor->click();
        QVERIFY(h.questions.empty());
        QVERIFY(!pozn->isVisible());
        QCOMPARE(column(*h.main, 2), QStringList({"", "BA-999ZZ", ""}));
        QCOMPARE(h.main->selected_rows().front().row, 1);

        // An edit after a save is not dropped without asking.
        h.main->UkazOknoCenter(pozn);
        pozn->mem_pozn->setPlainText("BA-111AA");
        pozn->btn_uloz->click();
        pozn->mem_pozn->appendPlainText("more");
        h.answer_ok = false;
        pozn->btn_zatvor->click();
        QCOMPARE(h.questions.size(), size_t(1));
        QVERIFY(pozn->isVisible());
        h.answer_ok = true;
        pozn->btn_zatvor->click();
        QVERIFY(!pozn->isVisible());
        QCOMPARE(column(*h.main, 2), QStringList({"", "BA-111AA", ""}));  // the saved text, rescanned
    }

    void aNoteThatCannotBeWrittenIsReportedAndTheWindowStays() {
        MainWindowHarness h;
        h.show();
        TempFolder card;
        make_card(card, {1});
        fs::create_directories(card.file("010309.TXT/inner"));  // not replaceable by a file
        show_rows(*h.main, card, {{"01/03/09", "010309.GPS"}}, 0, 0);
        auto* pozn = h.main->form<Tfrm_pozn>();
        {
            MessageBoxAnswers boxes;  // the unreadable note is an error too
            h.main->UkazOknoCenter(pozn);
            QTRY_COMPARE(boxes.shown.size(), size_t(1));
        }
        pozn->mem_pozn->setPlainText("text");
        MessageBoxAnswers boxes({QMessageBox::Ok});
        pozn->btn_uloz->click();
        QCOMPARE(boxes.shown.size(), size_t(1));
        QCOMPARE(boxes.shown[0].icon, QMessageBox::Warning);
        QVERIFY(pozn->isVisible());
        QVERIFY(!pozn->saved());
        QVERIFY(pozn->btn_uloz->isEnabled());
        QCOMPARE(pozn->mem_pozn->toPlainText(), QString("text"));
        h.answer_ok = true;
        pozn->btn_zatvor->click();
    }

    // --- the time-window dialog ------------------------------------------------

    void timeWindowDialogPassesTheChosenWindowToTheMapExport() {
        MainWindowHarness h("[FRM_MAIN]\nCasoveOkno=1\n");
        h.show();
        TempFolder card;
        make_card(card, {1});
        show_rows(*h.main, card, {{"01/03/09", "010309.GPS"}}, 0, 0);
        h.main->settings().frm_setexp.OutputDirHTML = h.data.path() + "html";
        auto* dialog = h.main->form<Tfrm_casokno>();
        QVERIFY(dialog);
        RecordingStarter starter;
        RecordingOpener opener;
        dialog->set_export_runner(
            [&](Tfrm_main& m, const TimeWindow& w) { ui::GenerujHTML(m, w, starter, opener); });

        h.main->dispatch("men_zobMAP");
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Časové okno"));
        QCOMPARE(dialog->lst_okna->count(), 2);
        QCOMPARE(dialog->lst_okna->item(0)->text(), QString("00:00:00 12:00:00"));
        QCOMPARE(dialog->lst_okna->item(1)->text(), QString("12:00:00 24:00:00"));
        QCOMPARE(dialog->txt_okn1->text(), QString("00:00:00"));
        QCOMPARE(dialog->txt_okn2->text(), QString("12:00:00"));
        dialog->lst_okna->setCurrentRow(1);
        QCOMPARE(dialog->txt_okn1->text(), QString("12:00:00"));
        QCOMPARE(dialog->txt_okn2->text(), QString("24:00:00"));
        dialog->btn_okno->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(h.main->isEnabled());
        QCOMPARE(starter.runs.size(), size_t(1));
        QCOMPARE(starter.runs[0][7], std::string("12:00:00"));
        QCOMPARE(starter.runs[0][8], std::string("24:00:00"));
        QCOMPARE(opener.pages, std::vector<std::string>{h.data.path() + "html/BA-123AB_010309.html"});

        // Opened again, the list keeps its choice; an edited window is passed as edited.
        h.main->dispatch("men_zobMAP");
        QCOMPARE(dialog->lst_okna->currentRow(), 1);
        QCOMPARE(dialog->txt_okn1->text(), QString("12:00:00"));
        dialog->txt_okn1->setText("13:30:00");
        dialog->btn_okno->click();
        QCOMPARE(starter.runs.back()[7], std::string("13:30:00"));
        QCOMPARE(starter.runs.back()[8], std::string("24:00:00"));

        // The whole day.
        h.main->dispatch("men_zobMAP");
        dialog->btn_cely->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(starter.runs.back()[7], std::string("??:??:??"));
        QCOMPARE(starter.runs.back()[8], std::string("??:??:??"));
        QCOMPARE(dialog->txt_okn1->text(), QString("??:??:??"));

        // Closing by the title bar runs nothing.
        h.main->dispatch("men_zobMAP");
        const size_t runs = starter.runs.size();
        dialog->close();
        QVERIFY(!dialog->isVisible());
        QVERIFY(h.main->isEnabled());
        QCOMPARE(starter.runs.size(), runs);
    }

    void timeWindowsComeFromTheSettingsFile() {
        MainWindowHarness h("[FRM_MAIN]\nCasoveOkno=1\n[CAS_OKNO]\nrano=06:00:00 09:30:00\nvecer=17:00:00 22:00:00\n"
                            "prazdne=\n");
        h.show();
        auto* dialog = h.main->form<Tfrm_casokno>();
        h.main->UkazOknoCenter(dialog);
        QCOMPARE(dialog->lst_okna->count(), 3);
        QCOMPARE(dialog->txt_okn1->text(), QString("06:00:00"));
        QCOMPARE(dialog->txt_okn2->text(), QString("09:30:00"));
        dialog->lst_okna->setCurrentRow(2);
        QCOMPARE(dialog->txt_okn1->text(), QString());
        QCOMPARE(dialog->txt_okn2->text(), QString());
        dialog->close();
    }
};

QTEST_MAIN(CardFilesWindowTest)
#include "card_files_window_test.moc"
