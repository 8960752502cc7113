#include "export/dbase/dbf_table.h"

#include <gtest/gtest.h>

#include "export/dbase/byte_order.h"
#include "export/dbase/dbase_error.h"
#include "export/dbase/dbase_fixture.h"

namespace tripdesk::dbase {
namespace {

using namespace testing;

const char* const kSpec = "SPZ C(10); KM N(8,1); DATUM D; CAS C(5); OK L; POCET N(4,0)";

std::string make_table(int ldid, const std::string& rows = R"([["BA123AB", 12.5, "2009-03-15", "07:15", true, 3]])") {
    const std::string path = make_temp_folder() + "/JAZDY.DBF";
    create_table(path, ldid, kSpec, rows);
    return path;
}

TEST(DbfTable, AppendedRecordsReadBackWithAnIndependentReader) {
    const std::string path = make_table(0x1F);
    DbfTable table("JAZDY.DBF", read_file(path));
    EXPECT_EQ(table.driver().code_page(), 852);
    ASSERT_EQ(table.record_count(), 1u);
    EXPECT_EQ(table.text(0, "spz"), "BA123AB");
    EXPECT_DOUBLE_EQ(table.number(0, "KM"), 12.5);
    EXPECT_EQ(table.date(0, "DATUM"), (CalendarDate{2009, 3, 15}));

    const size_t r = table.append();
    table.set_text(r, "SPZ", "Žilina-Čadca long");  // cut to 10 characters
    table.set_text(r, "KM", "123.46");                // rounded to the field's decimal
    table.set_date(r, "DATUM", {2026, 12, 10});
    table.set_text(r, "CAS", "08:15");
    table.set_text(r, "OK", "False");
    table.set_number(r, "POCET", 12);
    const std::string image = table.image({2026, 12, 9});
    write_file(path, image);

    EXPECT_EQ(read_table(path, "cp852"),
              (std::vector<std::string>{R"(["BA123AB", 12.5, "2009-03-15", "07:15", true, 3])",
                                        R"(["Žilina-Čad", 123.5, "2026-12-10", "08:15", false, 12])"}));
    EXPECT_EQ(get_u32(image, 4), 2u);
    EXPECT_EQ(get_u8(image, 1), 126u);
    EXPECT_EQ(get_u8(image, 2), 12u);
    EXPECT_EQ(get_u8(image, 3), 9u);
    EXPECT_EQ(image.back(), 0x1A);
    EXPECT_EQ(image.size(), get_u16(image, 8) + 2 * get_u16(image, 10) + 1);
    // Numbers are right-aligned in the field.
    const DbfTable back("JAZDY.DBF", image);
    EXPECT_EQ(back.field_bytes(1, back.field("KM")), "   123.5");
    EXPECT_EQ(back.field_bytes(1, back.field("POCET")), "  12");
}

TEST(DbfTable, ValuesAFieldCannotTakeAreRefused) {
    DbfTable table("JAZDY.DBF", read_file(make_table(0x57)));
    const size_t r = table.append();
    struct Case {
        const char* field;
        const char* value;
        const char* message;
    } cases[] = {
        {"KM", "abc", "is not a number"},
        {"KM", "1234567.8", "does not fit"},
        {"POCET", "-1000", "does not fit"},
        {"DATUM", "20090231", "is not a date"},
        {"OK", "maybe", "is not a truth value"},
        {"SPZ", "Čadca", "code page 1252"},
        {"NOSUCH", "x", "does not exist"},
    };
    for (const Case& c : cases) {
        try {
            table.set_text(r, c.field, c.value);
            ADD_FAILURE() << c.field << " took " << c.value;
        } catch (const DbaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(table.set_text(0, "SPZ", "X"), DbaseError);  // stored records stay as they are
    table.set_text(r, "SPZ", "Dolný Kubín");                   // 1252 holds these
    EXPECT_EQ(table.text(r, "SPZ"), "Dolný Kubí");
}

TEST(DbfTable, TablesTheEngineDoesNotUnderstandAreRefused) {
    const std::string good = read_file(make_table(0x57, R"([["A", 1, "2009-03-15", "", false, 1], ["B", 2, null, "", true, 2]])"));
    ASSERT_NO_THROW(DbfTable("T", good));
    ASSERT_EQ(DbfTable("T", good).date(1, "DATUM"), CalendarDate{});
    struct Case {
        const char* what;
        std::string image;
    };
    std::vector<Case> cases;
    const auto patched = [&](size_t at, char value) {
        std::string s = good;
        s[at] = value;
        return s;
    };
    const size_t header = get_u16(good, 8), record = get_u16(good, 10);
    cases.push_back({"a record missing", good.substr(0, header + record) + "\x1A"});
    cases.push_back({"count too high", patched(4, 3)});
    cases.push_back({"trailing bytes", good + "xyz"});
    cases.push_back({"other version", patched(0, 0x30)});
    cases.push_back({"unfinished transaction", patched(14, 1)});
    cases.push_back({"encrypted", patched(15, 1)});
    cases.push_back({"record length", patched(10, char(record + 1))});
    cases.push_back({"field type", patched(32 + 11, 'B')});
    cases.push_back({"damaged deletion flag", patched(header, 'X')});
    cases.push_back({"too short", good.substr(0, 20)});
    for (const Case& c : cases) EXPECT_THROW(DbfTable("T", c.image), DbaseError) << c.what;
}

}  // namespace
}  // namespace tripdesk::dbase
