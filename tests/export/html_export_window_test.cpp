// The main window's HTML export, offscreen: the grid's selection goes to the
// real converter, the pages land in OutputDirHTML and the result is opened
// through the (recording) opener; F5 with nothing selected says so.
// The day-file headers come before Qt's, whose "slots" macro they would trip over.
#include "track/day_file_writer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "app/ui/frm_main.h"
#include "export/html_process_starter.h"
#include "export/ui/html_export_window.h"

namespace fs = std::filesystem;
using namespace tripdesk;

namespace {

struct RecordingOpener : Opener {
    std::vector<std::string> pages, folders;
    void open_page(const std::string& path) override { pages.push_back(path); }
    void open_folder(const std::string& path) override { folders.push_back(path); }
};

void write_day(const fs::path& path, int day) {
    track::DayFileWriter writer(track::kMarkerWithKey);
    for (int i = 0; i < 30; ++i) {
        const int t = 8 * 3600 + 10 * i;
        writer.add(track::fix(day, 3, 2009)
                       .time(t / 3600, t / 60 % 60, t % 60)
                       .speed(50)
                       .trian(1388)
                       .lat(48.14f + 0.001f * i)
                       .lon(17.10f)
                       .new_trip(i == 0),
                   0x78563412);
    }
    writer.save(path.string());
}

}  // namespace

class HtmlExportWindowTest : public QObject {
    Q_OBJECT

    fs::path dir_;
    std::unique_ptr<Tfrm_main> main_;

    // The grid as the card scan leaves it, with `selected` rows chosen from the top.
    void show_card(int selected) {
        QTableWidget* grid = main_->str_grid;
        grid->setRowCount(3);
        const char* dates[] = {"14/03/09", "15/03/09", "16/03/09"};
        const char* files[] = {"140309.GPS", "150309.GPS", "160309.GPS"};
        for (int r = 0; r < 3; ++r) {
            grid->setItem(r, 0, new QTableWidgetItem(dates[r]));
            grid->setItem(r, 1, new QTableWidgetItem(files[r]));
        }
        grid->clearSelection();
        grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, selected - 1, grid->columnCount() - 1), true);
        main_->set_current_drive((dir_ / "card").string() + "/");
        main_->vyp_inf[0]->setText("BA-123AB");
    }

private Q_SLOTS:
    void init() {
        dir_ = fs::temp_directory_path() / ("tripdesk_html_window_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "card");
        fs::create_directories(dir_ / "home");
        for (int day : {14, 15, 16}) write_day(dir_ / "card" / track::day_file_name(day, 3, 9), day);
        MainWindowOptions options = default_main_window_options((dir_ / "home").string() + "/", TRIPDESK_BIN_DIR "/");
        options.readability_pauses = false;
        options.user_home = dir_.string();
        main_ = std::make_unique<Tfrm_main>(options);
        main_->settings().frm_setexp.OutputDirHTML = (dir_ / "pages").string();
    }
    void cleanup() {
        main_.reset();
        fs::remove_all(dir_);
    }

    void onePageIsOpenedItself() {
        show_card(1);
        SpawnProcessStarter starter;
        RecordingOpener opener;
        ui::GenerujHTML(*main_, TimeWindow{}, starter, opener);
        const std::string page = (dir_ / "pages" / "BA-123AB_140309.html").string();
        QVERIFY(fs::is_regular_file(page));
        QCOMPARE(opener.pages, std::vector<std::string>{page});
        QVERIFY(opener.folders.empty());
    }

    void severalPagesOpenTheFolder() {
        show_card(3);
        SpawnProcessStarter starter;
        RecordingOpener opener;
        ui::GenerujHTML(*main_, TimeWindow{"08:00:00", "08:01:00"}, starter, opener);
        for (const char* name : {"BA-123AB_140309.html", "BA-123AB_150309.html", "BA-123AB_160309.html"}) {
            QVERIFY2(fs::is_regular_file(dir_ / "pages" / name), name);
        }
        QVERIFY(opener.pages.empty());
        QCOMPARE(opener.folders, std::vector<std::string>{(dir_ / "pages").string()});
    }

    void f5WithNothingSelectedSaysSo() {
        QString shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        poll.start(20);
        main_->dispatch("men_zobMAP");
        QCOMPARE(shown, QString::fromUtf8("Žiadne vybrané jazdy !!!"));
    }
};

QTEST_MAIN(HtmlExportWindowTest)
#include "html_export_window_test.moc"
