#include "export/dbase/indexed_table.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "common/c_format.h"
#include "export/dbase/byte_order.h"
#include "export/dbase/dbase_error.h"
#include "export/dbase/dbase_fixture.h"

extern char** environ;

namespace tripdesk::dbase {
namespace {

using namespace testing;

const char* const kSpec = "SPZ C(10); KM N(9,1); DATUM D; POZN C(40)";

struct Files {
    std::string dbf, mdx;
};

std::string rows_json(int count, int first = 0) {
    std::string rows = "[";
    for (int i = first; i < first + count; ++i) {
        rows += c_format(R"(%s["%s", %d.5, "2009-%02d-%02d", "note %05d"])", i > first ? "," : "",
                         i % 3 ? "BA123AB" : "KE999ZZ", (i * 7919) % 2000, 1 + i % 12, 1 + i % 28,
                         (i * 31) % 997);
    }
    return rows + "]";
}

const std::vector<TagSpec> kTags = {
    {"SPZ", "SPZ", 'C', 10},
    {"KM", "KM", 'N'},
    {"DATUM", "DATUM", 'D'},
    {"SPZDAT", "SPZ+DTOS(DATUM)", 'C', 18},
    {"POZN", "UPPER(POZN)", 'C', 40},
    {"KMDESC", "KM", 'N', 0, false, true},
    {"SPZUNI", "SPZ", 'C', 10, true},
    {"DALEKO", "SUBSTR(SPZ,1,2)", 'C', 2, false, false, "KM > 1000 .AND. .NOT. DELETED()"},
};

Files make_files(int rows, int ldid = 0x57, const std::vector<TagSpec>& tags = kTags) {
    const std::string folder = make_temp_folder();
    Files f{folder + "/JAZDY.DBF", folder + "/JAZDY.MDX"};
    create_table(f.dbf, ldid, kSpec, rows_json(rows));
    write_index(f.dbf, f.mdx, tags);
    return f;
}

void expect_walk_passes(const Files& f, size_t tags) {
    const CommandResult walk = walk_index(f.dbf, f.mdx);
    EXPECT_EQ(walk.status, 0) << walk.output;
    EXPECT_EQ(size_t(std::count(walk.output.begin(), walk.output.end(), '\n')), tags) << walk.output;
}

TEST(IndexedTable, AppendRebuildsEveryTagConsistently) {
    const Files f = make_files(1500);
    expect_walk_passes(f, kTags.size());
    {
        IndexedTable t(f.dbf, f.mdx);
        for (int i = 0; i < 700; ++i) {
            const size_t r = t.table().append();
            t.table().set_text(r, "SPZ", i % 2 ? "ZA555CC" : "BA123AB");
            t.table().set_number(r, "KM", (i * 104729) % 3000 + 0.25);
            t.table().set_date(r, "DATUM", {2026, 1 + i % 12, 1 + i % 28});
            t.table().set_text(r, "POZN", c_format("appended %d", i));
        }
        t.commit({2026, 12, 10});
        // The committed files were opened again and checked.
        EXPECT_EQ(t.table().stored_count(), 2200u);
    }
    expect_walk_passes(f, kTags.size());
    const std::vector<std::string> rows = read_table(f.dbf);
    ASSERT_EQ(rows.size(), 2200u);
    EXPECT_EQ(rows.back(), R"(["ZA555CC", 2571.3, "2026-04-28", "appended 699"])");
    // Reopening checks every tag against the table once more.
    EXPECT_NO_THROW(IndexedTable(f.dbf, f.mdx));
    const std::string index = read_file(f.mdx);
    EXPECT_EQ(get_u32(index, 32) * 512, index.size());
    EXPECT_EQ(get_u8(index, 44), 126u);
}

TEST(IndexedTable, FilterMatchesWholeValuesOfLiveRecords) {
    const Files f = make_files(9, 0x57, {{"SPZ", "SPZ", 'C', 10}, {"KM", "KM", 'N'}});
    std::string dbf = read_file(f.dbf);
    const size_t header = get_u16(dbf, 8), record = get_u16(dbf, 10);
    dbf[header + 1 * record] = '*';  // record 2 (BA123AB) deleted
    write_file(f.dbf, dbf);
    const IndexedTable t(f.dbf, f.mdx);  // deleted records keep their index entries
    EXPECT_EQ(t.filter("SPZ ='BA123AB'"), (std::vector<size_t>{2, 4, 5, 7, 8}));
    EXPECT_EQ(t.filter("SPZ ='KE999ZZ'"), (std::vector<size_t>{0, 3, 6}));
    EXPECT_TRUE(t.filter("SPZ ='BA123'").empty());
}

// Damages a table/index pair in one way; the engine must refuse it, saying
// why, and leave both files as they were.
struct Damage {
    const char* what;
    const char* message;
    std::function<void(Files&)> apply;
};

TEST(IndexedTable, IndexesThatDisagreeOrCannotBeEvaluatedAreRefused) {
    const auto leaf_of = [](const std::string& mdx, const char* tag_name) {
        for (int t = 0; t < int(get_u16(mdx, 28)); ++t)
            if (mdx.compare(544 + 32 * t + 4, std::strlen(tag_name) + 1, std::string(tag_name) + '\0') == 0)
                return size_t(get_u32(mdx, get_u32(mdx, 544 + 32 * t) * 512)) * 512;
        return size_t(0);
    };
    const std::vector<Damage> damages = {
        {"a record changed after indexing", "has key",
         [](Files& f) {
             std::string dbf = read_file(f.dbf);
             dbf[get_u16(dbf, 8) + 1] = 'X';  // SPZ of record 1
             write_file(f.dbf, dbf);
         }},
        {"a record added without indexing", "entries",
         [](Files& f) {
             DbfTable t("JAZDY.DBF", read_file(f.dbf));
             t.set_text(t.append(), "SPZ", "BA123AB");
             t.set_date(t.record_count() - 1, "DATUM", {2009, 1, 1});
             write_file(f.dbf, t.image({2026, 12, 10}));
         }},
        {"two entries swapped", "out of key order",
         [&](Files& f) {
             std::string mdx = read_file(f.mdx);
             const size_t leaf = leaf_of(mdx, "KM");
             std::string first = mdx.substr(leaf + 8, 16);
             std::copy(mdx.begin() + long(leaf + 24), mdx.begin() + long(leaf + 40), mdx.begin() + long(leaf + 8));
             std::copy(first.begin(), first.end(), mdx.begin() + long(leaf + 24));
             write_file(f.mdx, mdx);
         }},
        {"a root outside the file", "outside the file",
         [](Files& f) {
             std::string mdx = read_file(f.mdx);
             put_u32(mdx, get_u32(mdx, 544) * 512, 9999);
             write_file(f.mdx, mdx);
         }},
        {"interior nodes that all point at one child, ten levels deep", "reaches a page twice",
         [](Files& f) {
             // Walked naively this tree has 64^9 paths: the walk must stop at
             // the second visit of a page instead.
             std::string mdx = read_file(f.mdx);
             const size_t header = size_t(get_u32(mdx, 544)) * 512;
             const size_t keys = get_u16(mdx, header + 14), group = get_u16(mdx, header + 18);
             const uint32_t first = uint32_t(mdx.size() / 512);
             for (uint32_t level = 0; level < 10; ++level) {
                 std::string node(1024, '\0');
                 if (level < 9) {
                     put_u32(node, 0, uint32_t(keys));
                     for (size_t i = 0; i <= keys; ++i) put_u32(node, 8 + i * group, first + 2 * (level + 1));
                 }
                 mdx += node;
             }
             put_u32(mdx, 32, uint32_t(mdx.size() / 512));
             put_u32(mdx, header, first);
             write_file(f.mdx, mdx);
         }},
        {"a TRIM key", "TRIM",
         [](Files& f) { write_file(f.mdx, index_skeleton("JAZDY", 0x57, {{"T", "TRIM(SPZ)+POZN", 'C', 50}})); }},
        {"a DTOC key", "DTOC",
         [](Files& f) { write_file(f.mdx, index_skeleton("JAZDY", 0x57, {{"T", "DTOC(DATUM)", 'C', 8}})); }},
        {"an unknown function", "not supported",
         [](Files& f) { write_file(f.mdx, index_skeleton("JAZDY", 0x57, {{"T", "SOUNDEX(SPZ)", 'C', 4}})); }},
        {"a wrong key length", "key length",
         [](Files& f) { write_file(f.mdx, index_skeleton("JAZDY", 0x57, {{"T", "SPZ", 'C', 12}})); }},
        {"a character tag of an unknown order", "tag SPZ (SPZ): the character order of language driver 0x64",
         [](Files& f) {
             std::string dbf = read_file(f.dbf);
             dbf[29] = 0x64;
             write_file(f.dbf, dbf);
         }},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        Files f = make_files(200);
        d.apply(f);
        const std::string dbf = read_file(f.dbf), mdx = read_file(f.mdx);
        try {
            IndexedTable t(f.dbf, f.mdx);
            ADD_FAILURE() << "accepted";
        } catch (const DbaseError& e) {
            EXPECT_NE(std::string(e.what()).find(d.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(read_file(f.dbf), dbf);
        EXPECT_EQ(read_file(f.mdx), mdx);
    }
}

TEST(IndexedTable, NumberKeyVariantOfTheIndexIsKept) {
    const Files f = make_files(0, 0x57, {{"KM", "KM", 'N'}});
    {
        // Rebuild the fixture from a table holding 53680, then patch its key
        // to the variant that keeps the zero down to the units.
        DbfTable t("JAZDY.DBF", read_file(f.dbf));
        const size_t r = t.append();
        t.set_number(r, "KM", 53680);
        t.set_date(r, "DATUM", {2009, 1, 1});
        write_file(f.dbf, t.image({2026, 12, 10}));
        write_index(f.dbf, f.mdx, {{"KM", "KM", 'N'}});
        std::string mdx = read_file(f.mdx);
        const size_t at = mdx.find(std::string("\x39\x11\x53\x68", 4));
        ASSERT_NE(at, std::string::npos);
        mdx[at + 1] = 0x15;
        write_file(f.mdx, mdx);
    }
    IndexedTable t(f.dbf, f.mdx);
    const size_t r = t.table().append();
    t.table().set_number(r, "KM", 1200);
    t.table().set_date(r, "DATUM", {2009, 1, 2});
    t.commit({2026, 12, 10});
    const std::string mdx = read_file(f.mdx);
    EXPECT_NE(mdx.find(std::string("\x39\x15\x53\x68", 4)), std::string::npos);
    EXPECT_NE(mdx.find(std::string("\x38\x11\x12\x00", 4)), std::string::npos);
    expect_walk_passes(f, 1);
}

TEST(IndexedTable, ACommitThatCannotBuildEveryKeyWritesNothing) {
    const Files f = make_files(20);
    const std::string dbf = read_file(f.dbf), mdx = read_file(f.mdx);
    IndexedTable t(f.dbf, f.mdx);
    t.table().set_text(t.table().append(), "SPZ", "BA123AB");  // no date for the DATUM tag
    try {
        t.commit({2026, 12, 10});
        ADD_FAILURE() << "committed";
    } catch (const DbaseError& e) {
        EXPECT_NE(std::string(e.what()).find("empty date"), std::string::npos) << e.what();
    }
    EXPECT_EQ(read_file(f.dbf), dbf);
    EXPECT_EQ(read_file(f.mdx), mdx);
}

TEST(IndexedTable, CodePageTextIsStoredForTheLanguageDriver) {
    const std::vector<TagSpec> tags = {{"KM", "KM", 'N'}, {"DATUM", "DATUM", 'D'}};
    const Files f = make_files(3, 0x87, tags);
    {
        IndexedTable t(f.dbf, f.mdx);
        const size_t r = t.table().append();
        t.table().set_text(r, "SPZ", "ŽA-Čučma");
        t.table().set_number(r, "KM", 1);
        t.table().set_date(r, "DATUM", {2026, 12, 10});
        t.table().set_text(r, "POZN", "Štúrovo - Nitra");
        t.commit({2026, 12, 10});
    }
    EXPECT_EQ(read_table(f.dbf, "cp852").back(), R"(["ŽA-Čučma", 1.0, "2026-12-10", "Štúrovo - Nitra"])");
    expect_walk_passes(f, tags.size());
}

// Czech and Slovak place names: existing rows, and rows an export appends.
const char* const kPlaceSpec = "SPZ C(10); KAM C(20); KM N(9,1)";
const char* const kStoredPlaces = R"([["BA123AB", "Žilina", 1], ["BA123AB", "brno", 2], ["KE999ZZ", "Brno", 3],)"
                                  R"( ["BA123AB", "Praha 9", 4], ["BA123AB", "Čadca", 5], ["KE999ZZ", "Cheb", 6],)"
                                  R"( ["BA123AB", "Ústí nad Labem", 7], ["BA123AB", "Zlín", 8]])";
const char* const kAppendedPlaces[] = {"Praha A", "Uherský Brod", "Řevnice", "Rokycany", "Šaľa", "Senec", "Ľubochňa",
                                       "Levoča", "Dolný Kubín", "Ďáblice", "brod", "Žilina", "Čadca"};
const std::vector<TagSpec> kPlaceTags = {
    {"KAM", "KAM", 'C', 20},
    {"KAMUP", "UPPER(KAM)", 'C', 20},
    {"SPZKAM", "SPZ+LEFT(KAM,6)", 'C', 16},
    {"KAMDESC", "KAM", 'C', 20, false, true},
    {"KAMUNI", "UPPER(KAM)", 'C', 20, true},
    {"KM", "KM", 'N'},
    // Places from Č up to D: Č sorts between C and D here, after every
    // ASCII letter in byte order.
    {"CADCA", "KAM", 'C', 20, false, false, "KAM >= \"Č\" .AND. KAM < \"D\""},
};

// The KAM values of a tag's entries in index order, as text.
std::vector<std::string> places_in_tag_order(const Files& f, const std::string& tag_name) {
    const DbfTable table("JAZDY.DBF", read_file(f.dbf));
    const MdxFile index("JAZDY.MDX", read_file(f.mdx));
    std::vector<std::string> places;
    for (const MdxTag& tag : index.tags())
        if (tag.name == tag_name)
            for (const MdxEntry& e : index.entries(tag)) places.push_back(table.text(e.record - 1, "KAM"));
    return places;
}

TEST(IndexedTable, CzechAndSlovakPlaceNamesAreIndexedInTheDriversOrder) {
    struct Case {
        int driver;
        std::vector<std::string> order;  // KAM tag after the append, written out by hand
    } cases[] = {
        // Czech: lower case first at the first difference, digits after letters.
        {0x1F,
         {"brno", "brod", "Brno", "Cheb", "Čadca", "Čadca", "Dolný Kubín", "Ďáblice", "Levoča", "Ľubochňa", "Praha A",
          "Praha 9", "Rokycany", "Řevnice", "Senec", "Šaľa", "Uherský Brod", "Ústí nad Labem", "Zlín", "Žilina",
          "Žilina"}},
        // Slovak: digits before letters, ď and ľ inside their letter.
        {0x87,
         {"brno", "brod", "Brno", "Cheb", "Čadca", "Čadca", "Dolný Kubín", "Ďáblice", "Levoča", "Ľubochňa", "Praha 9",
          "Praha A", "Rokycany", "Řevnice", "Senec", "Šaľa", "Uherský Brod", "Ústí nad Labem", "Zlín", "Žilina",
          "Žilina"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        const std::string folder = make_temp_folder();
        const Files f{folder + "/JAZDY.DBF", folder + "/JAZDY.MDX"};
        create_table(f.dbf, c.driver, kPlaceSpec, kStoredPlaces, "cp852");
        write_index(f.dbf, f.mdx, kPlaceTags);
        expect_walk_passes(f, kPlaceTags.size());
        {
            IndexedTable t(f.dbf, f.mdx);
            int km = 10;
            for (const char* place : kAppendedPlaces) {
                const size_t r = t.table().append();
                t.table().set_text(r, "SPZ", km % 2 ? "BA123AB" : "KE999ZZ");
                t.table().set_text(r, "KAM", place);
                t.table().set_number(r, "KM", km++);
            }
            t.commit({2026, 12, 10});
        }
        expect_walk_passes(f, kPlaceTags.size());
        EXPECT_EQ(places_in_tag_order(f, "KAM"), c.order);
        std::vector<std::string> descending(c.order.rbegin(), c.order.rend());
        EXPECT_EQ(places_in_tag_order(f, "KAMDESC"), descending);
        // A unique tag keeps one record of each key.
        EXPECT_EQ(places_in_tag_order(f, "KAMUNI").size(), c.order.size() - 3);  // BRNO, ČADCA, ŽILINA twice
        EXPECT_EQ(places_in_tag_order(f, "CADCA"), (std::vector<std::string>{"Čadca", "Čadca"}));
        EXPECT_EQ(read_table(f.dbf, "cp852").back(), R"(["KE999ZZ", "Čadca", 22.0])");
        EXPECT_NO_THROW(IndexedTable(f.dbf, f.mdx));
    }
}

TEST(IndexedTable, KamenickyTablesKeepTheCzechOrder) {
    // The Perl reader has no Kamenicky code page, so the order is checked
    // against the list written out here and by reopening the files.
    const std::string folder = make_temp_folder();
    const Files f{folder + "/JAZDY.DBF", folder + "/JAZDY.MDX"};
    create_table(f.dbf, 0x20, kPlaceSpec, R"([["BA123AB", "Brno", 1], ["BA123AB", "Zlin", 2]])");
    write_index(f.dbf, f.mdx, {{"KAM", "KAM", 'C', 20}, {"KAMUP", "UPPER(KAM)", 'C', 20}});
    {
        IndexedTable t(f.dbf, f.mdx);
        for (const char* place : {"Žilina", "Čadca", "Cheb", "brno", "Ústí", "Praha 9", "Praha A"}) {
            const size_t r = t.table().append();
            t.table().set_text(r, "KAM", place);
        }
        t.commit({2026, 12, 10});
    }
    EXPECT_EQ(places_in_tag_order(f, "KAM"), (std::vector<std::string>{"brno", "Brno", "Cheb", "Čadca", "Praha A",
                                                                        "Praha 9", "Ústí", "Zlin", "Žilina"}));
    EXPECT_EQ(places_in_tag_order(f, "KAMUP"), (std::vector<std::string>{"Brno", "brno", "Cheb", "Čadca", "Praha A",
                                                                          "Praha 9", "Ústí", "Zlin", "Žilina"}));
    // Kamenicky bytes of Ž and Č in the table.
    const std::string dbf = read_file(f.dbf);
    EXPECT_NE(dbf.find("\x92ilina"), std::string::npos);
    EXPECT_NE(dbf.find("\x80" "adca"), std::string::npos);
    EXPECT_NO_THROW(IndexedTable(f.dbf, f.mdx));
}

TEST(IndexedTable, AnIndexInByteOrderIsRefusedForACzechTable) {
    // Built while the table named the byte-order driver, then the header
    // switched to the Czech driver: Brno and brno, and digits and letters,
    // are now out of order.
    const std::string folder = make_temp_folder();
    const Files f{folder + "/JAZDY.DBF", folder + "/JAZDY.MDX"};
    create_table(f.dbf, 0x57, kPlaceSpec, R"([["BA123AB", "brno", 1], ["BA123AB", "Brno", 2], ["BA123AB", "Zlin", 3]])");
    write_index(f.dbf, f.mdx, {{"KM", "KM", 'N'}, {"KAM", "KAM", 'C', 20}});
    std::string dbf = read_file(f.dbf), mdx = read_file(f.mdx);
    dbf[29] = 0x1F;
    mdx[31] = 0x1F;
    write_file(f.dbf, dbf);
    write_file(f.mdx, mdx);
    try {
        IndexedTable t(f.dbf, f.mdx);
        ADD_FAILURE() << "accepted";
    } catch (const DbaseError& e) {
        EXPECT_NE(std::string(e.what()).find("tag KAM (KAM): records 3 and 1 are out of key order (character order "
                                             "DB852CZ0 of language driver 0x1F)"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(read_file(f.dbf), dbf);
    EXPECT_EQ(read_file(f.mdx), mdx);
}

// A helper process that holds a lock of one kind on a file until killed.
class LockHolder {
public:
    LockHolder(const std::string& path, const std::string& kind) {
        ready_ = path + ".ready";
        const std::string script = "import fcntl, os, sys, time\n"
                                   "f = open(sys.argv[1], 'r+b')\n"
                                   "if sys.argv[2] == 'flock': fcntl.flock(f, fcntl.LOCK_EX)\n"
                                   "else: fcntl.lockf(f, fcntl.LOCK_EX)\n"
                                   "open(sys.argv[3], 'w').close()\n"
                                   "time.sleep(60)\n";
        const char* argv[] = {"/usr/bin/python3", "-c", script.c_str(), path.c_str(), kind.c_str(), ready_.c_str(),
                              nullptr};
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = -1;
        struct stat st {};
        for (int i = 0; i < 2000 && ::stat(ready_.c_str(), &st) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~LockHolder() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::unlink(ready_.c_str());
    }

private:
    pid_t pid_ = -1;
    std::string ready_;
};

TEST(IndexedTable, ATableLockedByAnotherProgramIsAClearError) {
    const Files f = make_files(5);
    for (const char* kind : {"flock", "lockf"}) {
        for (const std::string& locked : {f.dbf, f.mdx}) {
            SCOPED_TRACE(std::string(kind) + " " + locked);
            LockHolder holder(locked, kind);
            try {
                IndexedTable t(f.dbf, f.mdx);
                ADD_FAILURE() << "opened a locked table";
            } catch (const DbaseError& e) {
                EXPECT_NE(std::string(e.what()).find("locked by another program"), std::string::npos) << e.what();
            }
        }
    }
    EXPECT_NO_THROW(IndexedTable(f.dbf, f.mdx));
}

}  // namespace
}  // namespace tripdesk::dbase
