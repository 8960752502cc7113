#include "export/dbase/expression.h"

#include <gtest/gtest.h>

#include "export/dbase/dbase_error.h"
#include "export/dbase/dbase_fixture.h"

namespace tripdesk::dbase {
namespace {

using namespace testing;

class ExpressionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string path = make_temp_folder() + "/T.DBF";
        create_table(path, 0x57, "SPZ C(10); KM N(8,1); DATUM D; MESTO C(8); OK L",
                     R"([["ba123ab", 12.5, "2009-03-15", "žilina", true], ["KE1", 7, "2010-12-01", "x", false]])");
        table_ = new DbfTable("T.DBF", read_file(path));
    }
    static void TearDownTestSuite() { delete table_; }

    static std::string evaluate(const std::string& text, size_t record = 0) {
        const Expression e(text, *table_);
        const Value v = e.evaluate(*table_, record);
        EXPECT_EQ(v.text.size(), e.length()) << text;
        return table_->driver().decode(v.text);
    }

    static DbfTable* table_;
};
DbfTable* ExpressionTest::table_ = nullptr;

TEST_F(ExpressionTest, CharacterKeysHaveDbaseBytes) {
    struct Case {
        const char* expression;
        const char* result;
    } cases[] = {
        {"SPZ", "ba123ab   "},
        {"upper(SPZ)+DTOS(DATUM)", "BA123AB   20090315"},
        {"T->SPZ", "ba123ab   "},
        {"STR(KM,8,2)", "   12.50"},
        {"STR(KM)", "        13"},
        {"STR(KM*1,3)", nullptr},
        {"STR(KM,3,1)", "***"},
        {"SUBSTR(SPZ,3,3)", "123"},
        {"SUBS(SPZ,8)", "   "},
        {"LEFT(SPZ,2)", "ba"},
        {"RIGHT(SPZ,4)", "b   "},
        {"IIF(KM>10,'big ','smal')", "big "},
        {"IIF(KM>10 .AND. .NOT. OK,'big ','smal')", "smal"},
        {"STR(VAL(SUBSTR(SPZ,3,3))+1,5)", "  124"},
        {"STR(DATUM-{},5)", nullptr},
        {"SPZ-MESTO", "ba123abžilina     "},
        {"UPPER(MESTO)", "ŽILINA  "},
    };
    for (const Case& c : cases) {
        if (!c.result) {
            EXPECT_THROW(Expression(c.expression, *table_), DbaseError) << c.expression;
            continue;
        }
        EXPECT_EQ(evaluate(c.expression), c.result) << c.expression;
    }
}

TEST_F(ExpressionTest, UnsupportedExpressionsAreRefusedWhenParsed) {
    for (const char* text : {"TRIM(SPZ)", "RTRIM(SPZ)+MESTO", "ALLTRIM(SPZ)", "DTOC(DATUM)", "LOWER(SPZ)",
                             "SUBSTR(SPZ,KM,2)", "IIF(KM>1,SPZ,MESTO)", "NOSUCH", "SPZ+KM", "UPPER(KM)",
                             "STR(SPZ)", "SPZ = ", "(SPZ", "SPZ 'x'", "'open", "SUBSTR(SPZ,99999999999)",
                             "LEFT(SPZ,2147483648)"}) {
        EXPECT_THROW(Expression(text, *table_), DbaseError) << text;
    }
    try {
        Expression("TRIM(SPZ)", *table_);
    } catch (const DbaseError& e) {
        EXPECT_NE(std::string(e.what()).find("TRIM"), std::string::npos) << e.what();
    }
}

TEST_F(ExpressionTest, ConditionsCompareTextsWithoutTrailingBlanks) {
    struct Case {
        const char* condition;
        bool first, second;
    } cases[] = {
        {"SPZ ='ba123ab'", true, false},
        {"SPZ ='ba123'", false, false},
        {"SPZ = 'KE1'", false, true},
        {"SPZ <> 'KE1'", true, false},
        {"KM >= 12.5 .OR. OK", true, false},
        {"DATUM > DATUM - 1", true, true},
        {"'123' $ SPZ", true, false},
        {"DELETED()", false, false},
        {"MESTO = 'žilina'", true, false},
    };
    for (const Case& c : cases) {
        const Expression e(c.condition, *table_);
        EXPECT_EQ(e.matches(*table_, 0), c.first) << c.condition;
        EXPECT_EQ(e.matches(*table_, 1), c.second) << c.condition;
    }
}

TEST(Expression, TextsOrderAsTheLanguageDriverOrdersThem) {
    // MESTO of the two records: "Čadca" and "Zlín".
    const auto table_for = [](int driver) {
        const std::string path = make_temp_folder() + "/T.DBF";
        create_table(path, driver, "MESTO C(8)", R"([["Čadca"], ["Zlín"]])", "cp852");
        return DbfTable("T.DBF", read_file(path));
    };
    struct Case {
        const char* condition;
        bool first, second;
    } cases[] = {
        {"MESTO < 'D'", true, false},      // Č before D here, after Z in byte order
        {"MESTO > 'Cz'", true, true},
        {"MESTO >= 'Čadca  '", true, true},  // trailing blanks do not count
        {"MESTO <= 'Čadca'", true, false},
        {"MESTO <> 'Čadca'", false, true},
    };
    for (const int driver : {0x1F, 0x87}) {
        const DbfTable table = table_for(driver);
        for (const Case& c : cases) {
            const Expression e(c.condition, table);
            EXPECT_EQ(e.matches(table, 0), c.first) << c.condition << " " << driver;
            EXPECT_EQ(e.matches(table, 1), c.second) << c.condition << " " << driver;
        }
    }
    // A driver whose order is not known can compare texts for equality only.
    const DbfTable unknown = table_for(0x64);
    EXPECT_NO_THROW(Expression("MESTO = 'Zlín' .OR. MESTO <> 'x'", unknown));
    try {
        Expression("MESTO > 'D'", unknown);
        ADD_FAILURE() << "accepted";
    } catch (const DbaseError& e) {
        EXPECT_NE(std::string(e.what()).find("language driver 0x64 is not known"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace tripdesk::dbase
