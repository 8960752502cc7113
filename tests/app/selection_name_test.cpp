#include "app/selection_name.h"

#include <gtest/gtest.h>

using namespace tripdesk::app;

namespace {
ScanTexts slovak() { return scan_texts(lng_ReloadStrings(kSlovak)); }
std::vector<GridRow> rows(std::initializer_list<std::pair<const char*, const char*>> dates_and_km) {
    std::vector<GridRow> out;
    for (const auto& [date, km] : dates_and_km) {
        GridRow r;
        r.date = date;
        r.distance = km;
        out.push_back(r);
    }
    return out;
}
}  // namespace

TEST(SelectedDistance, SumsTheShownCells) {
    const auto g = rows({{"01/03/09", "12.34 km"}, {"02/03/09", "0.50 km"}, {"03/03/09", "100.00 km"}});
    EXPECT_EQ(selected_distance_text(g, {0, 1}), "12.8 km");
    EXPECT_EQ(selected_distance_text(g, {0, 2}), "112.8 km");
    EXPECT_EQ(selected_distance_text(g, {2, 2}), "100.0 km");
    EXPECT_EQ(selected_distance_text({}, {0, 0}), "0.0 km");
    // Cells are summed as shown: 0.004 km rows show "0.00 km" and add nothing.
    const auto tiny = rows({{"01/03/09", "0.00 km"}, {"02/03/09", "0.00 km"}});
    EXPECT_EQ(selected_distance(tiny, {0, 1}), 0.0);
    // The sum stops at the first empty cell.
    const auto gap = rows({{"01/03/09", "1.00 km"}, {"02/03/09", ""}, {"03/03/09", "5.00 km"}});
    EXPECT_EQ(selected_distance(gap, {0, 2}), 1.0);
}

TEST(CountLine, ListedAndSelected) {
    EXPECT_EQ(count_line(slovak(), 12, 3), "Počet záznamov: 12 (vybraných: 3)");
    EXPECT_EQ(count_line(slovak(), 0, 1), "Počet záznamov: 0 (vybraných: 0)");
    ScanTexts en;
    en.vyp03 = "Number of records:";
    en.vyp04 = "selected:";
    EXPECT_EQ(count_line(en, 2, 2), "Number of records: 2 (selected: 2)");
}

TEST(VratNazovVybTest, OneRowAndRanges) {
    const auto g = rows({{"01/03/09", "1.00 km"}, {"05/03/09", "1.00 km"}, {"15/03/09", "1.00 km"}});
    EXPECT_EQ(VratNazovVyb(g, {0, 2}, "BA-123AB", true), "BA-123AB_(01-03-09_15-03-09)");
    EXPECT_EQ(VratNazovVyb(g, {0, 2}, "BA-123AB", false), "od 01-03-09 do 15-03-09");
    EXPECT_EQ(VratNazovVyb(g, {1, 1}, "BA-123AB", false), "05-03-09");
    const auto one = rows({{"05/11/08", "1.00 km"}});
    EXPECT_EQ(VratNazovVyb(one, {0, 0}, "NO_CARID", true), "NO_CARID_(05-11-08)");
    EXPECT_EQ(VratNazovVyb(one, {0, 0}, "NO_CARID", false), "05-11-08");
    // A label from data cannot take the file name out of its folder.
    EXPECT_EQ(VratNazovVyb(one, {0, 0}, "../x/y", true), ".._x_y_(05-11-08)");
    EXPECT_EQ(name_date("15/03/09"), "15-03-09");
    EXPECT_EQ(name_date(""), "--");
}
