// The dBase engine on a trip table of realistic size: opening it with the
// check of every index tag, and an export's append with the rebuild of the
// index, the second check and the replacement of both files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <utility>

#include "common/c_format.h"
#include "export/dbase/byte_order.h"
#include "export/dbase/indexed_table.h"
#include "export/dbase/dbase_fixture.h"

namespace {

using namespace tripdesk::dbase;
using namespace tripdesk::dbase::testing;

struct Field {
    const char* name;
    char type;
    int length, decimals;
};
const Field kFields[] = {{"SPZ", 'C', 10, 0},       {"DATODCHOD", 'D', 8, 0}, {"CASODCHOD", 'C', 5, 0},
                         {"TACHPOC", 'N', 10, 1},   {"ODKIAL", 'C', 30, 0},   {"POKRACUJE", 'L', 1, 0},
                         {"DATPRICHOD", 'D', 8, 0}, {"CASPRICHOD", 'C', 5, 0}, {"TACHKON", 'N', 10, 1},
                         {"KAM", 'C', 30, 0}};

// An empty trip table of language driver `driver`, header and field
// descriptors written byte by byte.
std::string empty_trip_table(int driver) {
    std::string header(32, '\0');
    header[0] = 0x03;
    header[28] = 1;
    header[29] = char(driver);
    size_t record = 1;
    std::string descriptors;
    for (const Field& f : kFields) {
        std::string d(32, '\0');
        std::copy(f.name, f.name + std::strlen(f.name), d.begin());
        d[11] = f.type;
        d[16] = char(f.length);
        d[17] = char(f.decimals);
        descriptors += d;
        record += size_t(f.length);
    }
    put_u16(header, 8, uint32_t(32 + descriptors.size() + 1));
    put_u16(header, 10, uint32_t(record));
    return header + descriptors + "\r\x1A";
}

void fill_row(DbfTable& t, size_t r, int i) {
    t.set_text(r, "SPZ", i % 5 ? "BA123AB" : "KE999ZZ");
    t.set_date(r, "DATODCHOD", {2009 + i % 15, 1 + i % 12, 1 + i % 28});
    t.set_text(r, "CASODCHOD", tripdesk::c_format("%.2d:%.2d", i % 24, i % 60));
    t.set_number(r, "TACHPOC", i * 12.5);
    t.set_text(r, "ODKIAL", tripdesk::c_format("Miesto %d", i % 700));
    t.set_text(r, "POKRACUJE", "False");
    t.set_date(r, "DATPRICHOD", {2009 + i % 15, 1 + i % 12, 1 + i % 28});
    t.set_text(r, "CASPRICHOD", tripdesk::c_format("%.2d:%.2d", (i + 1) % 24, i % 60));
    t.set_number(r, "TACHKON", i * 12.5 + 7.3);
    t.set_text(r, "KAM", tripdesk::c_format("Miesto %d", (i * 7) % 700));
}

const std::vector<TagSpec> kTags = {{"SPZDAT", "SPZ+DTOS(DATODCHOD)", 'C', 18},
                                    {"TACHKON", "TACHKON", 'N'},
                                    {"PRICHOD", "DATPRICHOD", 'D'},
                                    {"KAM", "UPPER(KAM)", 'C', 30}};

// A folder with JAZDY.DBF of `rows` trips and its index, made once.
const std::string& fixture(int rows, int driver) {
    static std::map<std::pair<int, int>, std::string> folders;
    auto& folder = folders[{rows, driver}];
    if (folder.empty()) {
        folder = make_temp_folder();
        DbfTable t("JAZDY.DBF", empty_trip_table(driver));
        for (int i = 0; i < rows; ++i) fill_row(t, t.append(), i);
        write_file(folder + "/JAZDY.DBF", t.image({2026, 12, 10}));
        write_index(folder + "/JAZDY.DBF", folder + "/JAZDY.MDX", kTags);
    }
    return folder;
}

void BM_OpenAndCheck(benchmark::State& state) {
    const std::string& folder = fixture(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        IndexedTable t(folder + "/JAZDY.DBF", folder + "/JAZDY.MDX");
        benchmark::DoNotOptimize(t.table().record_count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Rows, language driver: byte order (0x57) and the Czech order (0x1F).
BENCHMARK(BM_OpenAndCheck)->Args({1000, 0x57})->Args({20000, 0x57})->Args({20000, 0x1F})->Unit(benchmark::kMillisecond);

// One export's worth of trips appended and committed.
void BM_AppendAndCommit(benchmark::State& state) {
    const std::string& source = fixture(int(state.range(0)), int(state.range(1)));
    const std::string work = make_temp_folder();
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* f : {"/JAZDY.DBF", "/JAZDY.MDX"})
            std::filesystem::copy_file(source + f, work + f, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        IndexedTable t(work + "/JAZDY.DBF", work + "/JAZDY.MDX");
        for (int i = 0; i < 60; ++i) fill_row(t.table(), t.table().append(), i);
        t.commit({2026, 12, 10});
    }
}
BENCHMARK(BM_AppendAndCommit)
    ->Args({1000, 0x57})
    ->Args({20000, 0x57})
    ->Args({20000, 0x1F})
    ->Unit(benchmark::kMillisecond);

}  // namespace
