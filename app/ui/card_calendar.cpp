// The calendar and the month check box: a click in another year (or in
// another month when only the month is shown) scans again; then the rows of
// the calendar's range are selected.
#include "app/day_file_names.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QTableWidget>

#include "app/ui/card_view.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_registry.h"

namespace tripdesk::ui {

namespace {

// The card view's own state, kept as a child of the main window.
class CardState : public QObject {
public:
    explicit CardState(Tfrm_main& main) : QObject(&main) { setObjectName("card_view_state"); }
    QDate remembered;  // the calendar's date at the last click (or at start)
};

CardState* find_state(Tfrm_main& main) {
    return dynamic_cast<CardState*>(main.findChild<QObject*>("card_view_state", Qt::FindDirectChildrenOnly));
}

CardState& card_state(Tfrm_main& main) {
    if (CardState* state = find_state(main)) return *state;
    auto* state = new CardState(main);
    state->remembered = main.calendar_first();
    // The calendar's date at start is the one after the settings were read.
    QObject::connect(&main, &Tfrm_main::settings_loaded, state,
                     [&main, state] { state->remembered = main.calendar_first(); });
    // A selection moved with the keyboard updates the selected distance too.
    QObject::connect(main.str_grid, &QTableWidget::itemSelectionChanged, state,
                     [&main] { UkazPrejdVybrane(main); });
    return *state;
}

// "15/03/09" as a date of 2009.
QDate row_date(const QTableWidget* grid, int row) {
    const QTableWidgetItem* item = grid->item(row, 0);
    if (!item) return {};
    const QString text = item->text();
    return QDate(2000 + text.mid(6, 2).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
}

// The last row dated on or before the day; the first row when none is.
int last_row_on_or_before(const QTableWidget* grid, const QDate& day) {
    int found = 0;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QDate d = row_date(grid, r);
        if (d.isValid() && d <= day) found = r;
    }
    return found;
}

void cal_monthClick(Tfrm_main& main) {
    CardState& state = card_state(main);
    const QDate now = main.calendar_first();
    const QDate before = state.remembered;
    const bool rescan = !before.isValid() || now.year() != before.year() ||
                        (main.chk_aktmes->isChecked() && now.month() != before.month());
    state.remembered = now;
    if (rescan) main.rescan();

    QTableWidget* grid = main.str_grid;
    if (grid->rowCount() < 2) return;
    select_rows(main, last_row_on_or_before(grid, main.calendar_first()),
                last_row_on_or_before(grid, main.calendar_last()));
    str_gridClick(main);
}

}  // namespace

void start_card_view(Tfrm_main& main) {
    card_state(main);
}

void remember_calendar_date(Tfrm_main& main) { card_state(main).remembered = main.calendar_first(); }

void open_card_at_its_period(Tfrm_main& main, const std::string& folder) {
    const auto dates = app::day_file_dates(folder);
    const QDate shown = main.calendar_first();
    const bool month_only = main.chk_aktmes->isChecked();
    const bool covered = std::any_of(dates.begin(), dates.end(), [&](const std::chrono::year_month_day& d) {
        return static_cast<int>(d.year()) == shown.year() &&
               (!month_only || static_cast<int>(static_cast<unsigned>(d.month())) == shown.month());
    });
    if (!dates.empty() && !covered) {
        const auto& newest = dates.back();
        const QDate day(static_cast<int>(newest.year()), static_cast<int>(static_cast<unsigned>(newest.month())),
                        static_cast<int>(static_cast<unsigned>(newest.day())));
        main.set_calendar_range(day, day);
        remember_calendar_date(main);
    }
    main.open_card_image(folder);
}

TRIPDESK_REGISTER_MENU(cal_monthClick, cal_monthClick);
TRIPDESK_REGISTER_MENU(chk_aktmesClick, [](Tfrm_main& m) { m.rescan(); });

}  // namespace tripdesk::ui
