// The MDX reader against the sample table: any bytes are refused with
// DbaseError or give tags whose trees walk; the tags' keys are checked
// against the table, and a rebuilt index reads back with the same entries.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "export/dbase/dbase_error.h"
#include "export/dbase/mdx_file.h"
#include "export/dbase/tag_keys.h"
#include "fuzz/dbase_sample.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::dbase;
using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DbfTable& table = tripdesk::fuzz::sample_table();
    std::optional<MdxFile> index;
    try {
        index.emplace("JAZDY.MDX", std::string(tripdesk::fuzz::as_text(data, size)));
    } catch (const DbaseError&) {
        return 0;
    }
    std::vector<std::vector<MdxEntry>> expected;
    bool all_tags_usable = true;
    for (const MdxTag& tag : index->tags()) {
        try {
            const std::vector<MdxEntry> stored = index->entries(tag);
            for (const MdxEntry& e : stored) expect(e.key.size() == tag.key_length, "a stored key has the tag's length");
            TagKeys keys(tag, table, index->name());
            try {
                keys.check(stored, table);
            } catch (const DbaseError&) {
                // The stored tree disagrees with the table: the export refuses it.
            }
            expected.push_back(keys.expected(table));
        } catch (const DbaseError&) {
            all_tags_usable = false;
        }
    }
    if (!all_tags_usable) return 0;

    // What the export writes after appending records.
    const std::string rebuilt = index->rebuilt(expected, {2026, 12, 10});
    try {
        const MdxFile reread("rebuilt", rebuilt);
        expect(reread.tags().size() == index->tags().size(), "the rebuilt index has every tag");
        for (size_t t = 0; t < reread.tags().size(); ++t) {
            const std::vector<MdxEntry> entries = reread.entries(reread.tags()[t]);
            expect(entries.size() == expected[t].size(), "a rebuilt tag holds every entry");
            for (size_t i = 0; i < entries.size(); ++i)
                expect(entries[i].record == expected[t][i].record && entries[i].key == expected[t][i].key,
                       "a rebuilt tag holds its entries in order");
        }
    } catch (const DbaseError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        expect(false, "an index the engine rebuilt reads back");
    }
    return 0;
}
