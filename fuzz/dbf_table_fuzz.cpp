// The DBF reader: any bytes are either refused with DbaseError or give a
// table whose fields all read, that takes an appended record, and whose
// written image reads back with the same records.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "export/dbase/dbase_error.h"
#include "export/dbase/dbf_table.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::dbase;
using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tripdesk::fuzz::InputCursor in(data, size);
    const std::string value(in.part());  // a value to store into the appended record
    std::string image(in.rest());

    std::optional<DbfTable> table;
    try {
        table.emplace("JAZDY.DBF", image);
    } catch (const DbaseError&) {
        return 0;
    }
    const size_t records = std::min<size_t>(table->record_count(), 64);
    for (size_t r = 0; r < records; ++r) {
        table->deleted(r);
        for (const FieldDescriptor& f : table->fields()) {
            expect(table->field_bytes(r, f).size() == size_t(f.length), "a field has its length");
            try {
                table->text(r, f.name);
                if (f.type == 'N' || f.type == 'F') table->number(r, f.name);
                if (f.type == 'D') table->date(r, f.name);
            } catch (const DbaseError&) {
                // A value the table's code page or type cannot give.
            }
        }
    }

    const size_t added = table->append();
    for (const FieldDescriptor& f : table->fields()) {
        try {
            table->set_text(added, f.name, value);
        } catch (const DbaseError&) {
        }
        try {
            if (f.type == 'N' || f.type == 'F') table->set_number(added, f.name, double(value.size()) * 1.25 - 3);
            if (f.type == 'D') table->set_date(added, f.name, {2009, 3, 15});
        } catch (const DbaseError&) {
        }
    }
    const std::string written = table->image({2026, 12, 10});
    try {
        const DbfTable reread("written", written);
        expect(reread.record_count() == table->record_count(), "the written table holds every record");
        for (const FieldDescriptor& f : table->fields()) {
            expect(reread.field_bytes(added, f) == table->field_bytes(added, f), "the appended record reads back");
        }
    } catch (const DbaseError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        expect(false, "a table the engine wrote reads back");
    }
    return 0;
}
