#include "app/selection_name.h"

#include <charconv>

#include "app/safe_name.h"
#include "common/c_format.h"

namespace tripdesk::app {

namespace {

// The number at the start of a cell such as "12.34 km" (its last three
// characters cut), "." as the decimal point whatever the locale.
double cell_number(const std::string& cell) {
    const std::string_view text = std::string_view(cell).substr(0, cell.size() >= 3 ? cell.size() - 3 : 0);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string cut(const std::string& s, size_t from, size_t n) { return from < s.size() ? s.substr(from, n) : std::string(); }

}  // namespace

double selected_distance(const std::vector<GridRow>& rows, RowSelection selection) {
    double sum = 0.0;
    for (int i = std::max(selection.top, 0); i <= selection.bottom && i < static_cast<int>(rows.size()); ++i) {
        if (rows[static_cast<size_t>(i)].distance.empty()) break;
        sum += cell_number(rows[static_cast<size_t>(i)].distance);
    }
    return sum;
}

std::string selected_distance_text(const std::vector<GridRow>& rows, RowSelection selection) {
    return c_format("%.1f km", selected_distance(rows, selection));
}

std::string count_line(const ScanTexts& texts, int listed, int selected) {
    if (listed == 0) selected = 0;
    return texts.vyp03 + c_format(" %d (", listed) + texts.vyp04 + c_format(" %d)", selected);
}

std::string name_date(const std::string& date_cell) {
    return cut(date_cell, 0, 2) + "-" + cut(date_cell, 3, 2) + "-" + cut(date_cell, 6, 2);
}

std::string VratNazovVyb(const std::vector<GridRow>& rows, RowSelection selection,
                         const std::string& vehicle_label, bool with_vehicle) {
    auto date_of = [&](int i) {
        return (i >= 0 && i < static_cast<int>(rows.size())) ? name_date(rows[static_cast<size_t>(i)].date)
                                                            : name_date("");
    };
    const std::string first = date_of(selection.top);
    if (selection.bottom <= selection.top) {
        return with_vehicle ? safe_name(vehicle_label) + "_(" + first + ")" : first;
    }
    const std::string last = date_of(selection.bottom);
    return with_vehicle ? safe_name(vehicle_label) + "_(" + first + "_" + last + ")" : "od " + first + " do " + last;
}

}  // namespace tripdesk::app
