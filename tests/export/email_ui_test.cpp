// The e-mail and stop-list menu handlers on the main window, offscreen,
// against the recording SMTP server.
// The logic headers come before Qt's: Qt defines `slots` as a macro.
#include "export/servers/local_server.h"
#include "track/day_file_writer.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "app/ui/frm_main.h"
#include "export/ui/email_ui_hooks.h"

using tripdesk::testing::read_text;
using tripdesk::testing::ServerProcess;
using tripdesk::testing::TempDir;

class EmailUiTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> data_, card_;
    std::unique_ptr<Tfrm_main> main_;
    QStringList informed_, warned_, opened_;
    QString save_as_;

    // Two listed days, both selected; the second day's file is missing.
    void fill_grid() {
        tripdesk::track::DayFileWriter f(tripdesk::track::kMarkerImported);
        f.add(tripdesk::track::fix(1, 3, 2009).time(8, 0, 0).speed(30).lat(48.f).lon(17.f));
        f.save(card_->path() + "010309.GPS");
        QTableWidget* grid = main_->str_grid;
        grid->setRowCount(2);
        const char* cells[2][6] = {{"01/03/09", "010309.GPS", "", "0.00 km", "30 km/h", ""},
                                   {"02/03/09", "020309.GPS", "", "1.00 km", "40 km/h", ""}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 6; ++c) grid->setItem(r, c, new QTableWidgetItem(QString::fromUtf8(cells[r][c])));
        grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 5), true);
        main_->set_current_drive(card_->path());
        main_->vyp_inf[0]->setText("BA-123AB");
    }

private slots:
    void init() {
        data_ = std::make_unique<TempDir>();
        card_ = std::make_unique<TempDir>();
        MainWindowOptions options = default_main_window_options(data_->path(), data_->path());
        options.readability_pauses = false;
        main_ = std::make_unique<Tfrm_main>(options);
        informed_.clear();
        warned_.clear();
        opened_.clear();
        auto& hooks = tripdesk::ui::email_ui_hooks();
        hooks.inform = [this](QWidget*, const QString& t) { informed_ << t; };
        hooks.warn = [this](QWidget*, const QString& t) { warned_ << t; };
        hooks.open_folder = [this](const QString& f) { opened_ << f; };
        hooks.save_file = [this](QWidget*, const QString&) { return save_as_; };
    }
    void cleanup() { main_.reset(); }

    void emptyGridSendsNothing() {
        main_->dispatch("men_email");
        QCOMPARE(informed_, QStringList{QString::fromUtf8("Žiadne vybrané jazdy !!!")});
        main_->dispatch("men_gmapskj");
        QCOMPARE(informed_.size(), 2);
    }

    void dayFilesOfTheSelectionAreSent() {
        TempDir spool;
        std::filesystem::create_directory(spool.path() + "out");
        ServerProcess server("smtp_server.py", {"--out", spool.path() + "out"}, spool.path());
        fill_grid();
        auto& email = main_->settings().email;
        email.Host = "127.0.0.1";
        email.Port = server.port();
        email.Username.clear();
        main_->dispatch("men_email");
        QCOMPARE(main_->status_text(2),
                 QString::fromUtf8(" - email so 2 GPS súbormi (1 vynechaných) bol úspešne odoslaný na email ..."));
        QCOMPARE(QString::fromStdString(read_text(spool.path() + "out/0/subject.txt")),
                 QString::fromUtf8("SPZ [BA-123AB] - záznamy z MARVEK7"));
        QVERIFY(!main_->str_grid->isHidden());
    }

    void stopListIsWrittenAndItsFolderOpened() {
        fill_grid();
        main_->str_grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 5), false);
        main_->str_grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 5), true);
        auto& s = main_->settings();
        s.frm_setexp.OutputDirHTML = data_->path() + "html";
        s.frm_main.GeoService = "https://127.0.0.1:" + std::to_string(tripdesk::testing::unused_port()) + "/geo";
        s.frm_main.GeoDelay = 1;
        save_as_ = QString::fromStdString(data_->path() + "zastavky");
        main_->dispatch("men_gmapskj");
        QVERIFY(warned_.isEmpty());
        const std::string csv = read_text(data_->path() + "zastavky.CSV");
        QVERIFY(csv.find("\"Google Maps problem !!! " + s.frm_main.GeoService + "?latlng=48.000000,17.000000&key=\"") !=
                std::string::npos);
        QCOMPARE(opened_, QStringList{QString::fromStdString(s.frm_setexp.OutputDirHTML)});
        QCOMPARE(main_->status_text(2), QString::fromUtf8(" - exportovanie zoznamu zastavení dokončené ..."));
    }

    void stopListFileErrorShowsTheBoxAndOpensNothing() {
        fill_grid();
        save_as_ = QString::fromStdString(data_->path() + "missing/zastavky.CSV");
        main_->dispatch("men_gmapskj");
        QCOMPARE(warned_, QStringList{QString::fromUtf8("Chyba prístupu k súboru !!!\r\nZatvorte EXCEL ak je otvorený.")});
        QVERIFY(opened_.isEmpty());
    }
};

QTEST_MAIN(EmailUiTest)
#include "email_ui_test.moc"
