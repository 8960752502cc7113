#include "cli/cli_selection.h"

#include <gtest/gtest.h>

#include "card_fixture.h"

using namespace tripdesk;
using namespace tripdesk::cli;
using tripdesk::testing::TempFolder;

namespace {
SelectionArgs args(const std::string& card, CliDate from, CliDate to, bool month_only = false,
                   const std::string& label = "") {
    return {card, from, to, month_only, label};
}
}  // namespace

TEST(CliSelection, SelectsTheRowsOfTheRange) {
    TempFolder card;
    tripdesk::testing::make_card(card);
    CommandSettings cs;
    NoProgress p;
    const CliSelection sel = build_selection(cs, args(card.path(), {2009, 3, 2}, {2009, 4, 30}), p);
    EXPECT_EQ(sel.card_folder, card.path());
    EXPECT_EQ(sel.vehicle_label, "BA-123AB");
    ASSERT_EQ(sel.grid.rows.size(), 4u);
    EXPECT_EQ(sel.selection.top, 1);
    EXPECT_EQ(sel.selection.bottom, 3);
    ASSERT_EQ(sel.rows().size(), 3u);
    EXPECT_EQ(sel.rows()[0].file, "050309.gps");
    EXPECT_EQ(sel.rows()[0].distance, "0.50 km");
    EXPECT_FALSE(sel.rows()[0].warning.empty());  // 140 km/h
    EXPECT_EQ(sel.rows()[2].file, "020409.GPS");
    EXPECT_EQ(sel.name_with_vehicle, "BA-123AB_(05-03-09_02-04-09)");
    EXPECT_EQ(sel.name_without_vehicle, "od 05-03-09 do 02-04-09");
}

TEST(CliSelection, MonthOnlyLabelAndOneDay) {
    TempFolder card;
    tripdesk::testing::make_card(card, "");
    CommandSettings cs;
    NoProgress p;
    const CliSelection month = build_selection(cs, args(card.path(), {2009, 3, 1}, {2009, 12, 31}, true), p);
    EXPECT_EQ(month.grid.rows.size(), 3u);  // April is not listed
    EXPECT_EQ(month.rows().size(), 3u);
    EXPECT_EQ(month.vehicle_label, "NO_CARID");
    const CliSelection one = build_selection(cs, args(card.path(), {2009, 3, 15}, {2009, 3, 15}, false, "ZA-1"), p);
    EXPECT_EQ(one.name_with_vehicle, "ZA-1_(15-03-09)");
    EXPECT_EQ(one.name_without_vehicle, "15-03-09");
}

TEST(CliSelection, NoDayInTheRangeAndAMissingCard) {
    TempFolder card;
    tripdesk::testing::make_card(card);
    CommandSettings cs;
    NoProgress p;
    // A range between listed days, and one reversed: nothing selected, the
    // grid still listed.
    for (const auto& [from, to] : {std::pair<CliDate, CliDate>{{2009, 3, 2}, {2009, 3, 4}},
                                   std::pair<CliDate, CliDate>{{2009, 3, 15}, {2009, 3, 1}}}) {
        const CliSelection none = build_selection(cs, args(card.path(), from, to), p);
        EXPECT_TRUE(none.empty());
        EXPECT_TRUE(none.rows().empty());
        EXPECT_EQ(none.grid.rows.size(), 4u);
        EXPECT_EQ(none.name_with_vehicle, "");
    }
    try {
        build_selection(cs, args(card.file("missing"), {2009, 3, 2}, {2009, 3, 4}), p);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), " - jednotka: \"" + card.file("missing/") + "\"  nieje dostupná !!!");
    }
}

TEST(CliDates, OnlyRealCalendarDates) {
    EXPECT_EQ(parse_cli_date("2008-02-29", "--from").day, 29);
    for (const char* bad : {"2009-02-29", "2009-13-01", "2009-3-01", "20090301", "+009-03-01", "2009-03-01x", ""})
        EXPECT_THROW(parse_cli_date(bad, "--from"), UsageError) << bad;
}
