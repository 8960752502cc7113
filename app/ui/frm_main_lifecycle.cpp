// The main window's first show, resize steps, settings at start and exit,
// languages and the clock.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QTableWidget>
#include <QTextCharFormat>
#include <QTimer>

#include "app/settings_file.h"
#include "app/ui/captions.h"
#include "app/ui/frm_about.h"
#include "app/ui/frm_main.h"
#include "app/version.h"
#include "common/io_error.h"

namespace {

constexpr int kMaxRangeDays = 365;

QDate to_qdate(const tripdesk::app::CalendarDate& d) {
    return QDate(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                 static_cast<int>(static_cast<unsigned>(d.day())));
}

tripdesk::app::CalendarDate to_calendar_date(const QDate& d) {
    return tripdesk::app::CalendarDate{std::chrono::year{d.year()}, std::chrono::month{static_cast<unsigned>(d.month())},
                                       std::chrono::day{static_cast<unsigned>(d.day())}};
}

}  // namespace

QString Tfrm_main::version_text() { return QString::fromStdString(tripdesk::app::program_version_text()); }

void Tfrm_main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void Tfrm_main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (shown_once_) FormShow();
}

void Tfrm_main::FormShow() {
    if (!shown_once_) {
        shown_once_ = true;
        first_show();
    }
    DesignCols();
    lay_out_bottom_strip();
    paint_gradient();
    set_status(string(tripdesk::app::bar00));
}

void Tfrm_main::first_show() {
    const QString version = version_text();
    setWindowTitle(QString("MARVEK7 tripdesk  [ver: %1]").arg(version));
    if (auto* about = form<Tfrm_about>()) {
        about->set_version(version);
        about->load_change_log(QString::fromStdString(options_.program_folder + "changeslog.txt"));
    }
    tmr_hodinyTimer();
    tmr_hodiny->start();

    set_calendar_range(QDate::currentDate(), QDate::currentDate());
    cal_month->move(left_panel_->width() / 2 - cal_month->width() / 2 - 1, cal_month->y());

    try {
        auto loaded = tripdesk::app::load_settings_file(settings_path_, settings_);
        settings_ = std::move(loaded.settings);
        settings_ini_ = std::move(loaded.ini);
    } catch (const tripdesk::IoError& e) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
    }
    read_settings_into_windows();
    activate_language(tripdesk::app::language_number_from_setting(settings_.frm_setprg.Language));
}

void Tfrm_main::read_settings_into_windows() {
    const auto& m = settings_.frm_main;
    apply_window_geometry();
    if (m.CalenSelDate) {
        const QDate first = to_qdate(*m.CalenSelDate);
        set_calendar_range(first, m.CalenEndDate ? to_qdate(*m.CalenEndDate) : first);
    }
    chk_aktmes->setChecked(m.ActMonthOnly);
    menu_item("men_zmaz")->setEnabled(m.Administrator);
    emit settings_loaded();
}

void Tfrm_main::apply_window_geometry() {
    const auto& m = settings_.frm_main;
    move(m.FormLeft, m.FormTop);
    resize(m.FormWidth, m.FormHeight);
    if (m.WindowState == "wsMaximized") {
        setWindowState(Qt::WindowMaximized);
    } else if (m.WindowState == "wsMinimized") {
        setWindowState(Qt::WindowMinimized);
    } else if (m.WindowState == "wsNormal") {
        setWindowState(Qt::WindowNoState);
    }
}

void Tfrm_main::store_window_geometry() {
    auto& m = settings_.frm_main;
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) {
        m.WindowState = "wsMinimized";
    } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        m.WindowState = "wsMaximized";
    } else {
        m.WindowState = "wsNormal";
        m.FormLeft = x();
        m.FormTop = y();
        m.FormWidth = width();
        m.FormHeight = height();
    }
}

void Tfrm_main::activate_language(int language_number) {
    if (language_number < 1 || language_number > tripdesk::app::kLanguageCount) language_number = tripdesk::app::kSlovak;
    language_ = language_number;
    settings_.frm_setprg.Language = language_number - 1;
    tripdesk::ui::apply_captions(this, "Tfrm_main", language_);
    for (const char* translated : {"Tfrm_about", "Tfrm_setexp", "Tfrm_setprg", "Tfrm_readsn"}) {
        tripdesk::ui::apply_captions(form(translated), translated, language_);
    }
    lng_ReloadStrings();
    DesignCols();
    dispatch("fill_drive_list");
    emit language_changed(language_);
}

void Tfrm_main::lng_ReloadStrings() { strings_ = tripdesk::app::lng_ReloadStrings(language_); }

void Tfrm_main::tmr_hodinyTimer() {
    const QDateTime now = QDateTime::currentDateTime();
    status_panels_[0]->setText(now.time().toString("hh:mm:ss"));
    status_panels_[1]->setText(QLocale().toString(now.date(), QLocale::LongFormat));
    dispatch("tmr_hodinyTimer");
}

// The calendar selects one day per click; a click with Shift held extends the
// selection from its first day, up to a year.
void Tfrm_main::on_calendar_clicked(const QDate& date) {
    if ((QApplication::keyboardModifiers() & Qt::ShiftModifier) && range_first_.isValid()) {
        QDate first = std::min(range_first_, date);
        QDate last = std::max(range_first_, date);
        if (first.daysTo(last) >= kMaxRangeDays) last = first.addDays(kMaxRangeDays - 1);
        set_calendar_range(first, last);
    } else {
        set_calendar_range(date, date);
    }
    dispatch("cal_monthClick");
}

void Tfrm_main::set_calendar_range(const QDate& first, const QDate& last) {
    range_first_ = first;
    range_last_ = last.isValid() && last >= first ? last : first;
    cal_month->setSelectedDate(range_first_);
    highlight_calendar_range();
}

QDate Tfrm_main::calendar_first() const { return range_first_; }
QDate Tfrm_main::calendar_last() const { return range_last_; }

void Tfrm_main::highlight_calendar_range() {
    cal_month->setDateTextFormat(QDate(), QTextCharFormat());
    if (range_first_ == range_last_) return;
    QTextCharFormat in_range;
    in_range.setBackground(QColor(190, 215, 235));
    for (QDate d = range_first_; d <= range_last_; d = d.addDays(1)) cal_month->setDateTextFormat(d, in_range);
}

void Tfrm_main::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    auto& m = settings_.frm_main;
    // The current drive as the entry shows it: the text in its brackets.
    m.DriveLetter.clear();
    if (const QListWidgetItem* item = lst_drvzozn->currentItem()) {
        const QString text = item->text();
        const int open = text.lastIndexOf('[');
        const int close = text.lastIndexOf(']');
        if (open >= 0 && close > open) m.DriveLetter = text.mid(open + 1, close - open - 1).toStdString();
    }
    m.VirtDrive = image_folder_;
    store_window_geometry();
    m.CalenSelDate = to_calendar_date(range_first_);
    m.CalenEndDate = to_calendar_date(range_last_);
    m.ActMonthOnly = chk_aktmes->isChecked();
    emit settings_saving();
    try {
        tripdesk::app::save_settings_file(settings_path_, settings_);
    } catch (const tripdesk::IoError& e) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
    }
    tmr_hodiny->stop();
    destroy_secondary_windows();
    event->accept();
    QApplication::processEvents();
}

void Tfrm_main::destroy_secondary_windows() {
    static const char* const order[] = {"Tfrm_readsn", "Tfrm_swup",  "Tfrm_setexp", "Tfrm_setprg", "Tfrm_nmea",
                                        "Tfrm_about",  "Tfrm_sukjaz", "Tfrm_pozn",  "Tfrm_casokno"};
    std::vector<QWidget*> remaining = secondary_windows_;
    secondary_windows_.clear();
    const auto destroy = [&](QWidget* w) {
        remaining.erase(std::remove(remaining.begin(), remaining.end(), w), remaining.end());
        w->removeEventFilter(this);
        delete w;
    };
    for (const char* class_name : order) {
        for (QWidget* w : std::vector<QWidget*>(remaining)) {
            if (w->objectName() == class_name) destroy(w);
        }
    }
    for (QWidget* w : std::vector<QWidget*>(remaining)) destroy(w);
}
