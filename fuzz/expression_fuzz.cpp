// dBase expressions over the sample table: any text is refused with
// DbaseError or evaluates on every record to a value of its type, character
// results exactly as long as the parser said.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "export/dbase/dbase_error.h"
#include "export/dbase/expression.h"
#include "fuzz/dbase_sample.h"
#include "fuzz/fuzz_support.h"

using namespace tripdesk::dbase;
using tripdesk::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 400) return 0;  // an index holds at most 220 characters of expression
    const DbfTable& table = tripdesk::fuzz::sample_table();
    std::optional<Expression> expression;
    try {
        expression.emplace(tripdesk::fuzz::as_text(data, size), table);
    } catch (const DbaseError&) {
        return 0;
    }
    const size_t length = expression->type() == ValueType::Character ? expression->length() : 0;
    for (size_t r = 0; r < table.record_count(); ++r) {
        try {
            const Value v = expression->evaluate(table, r);
            expect(v.type == expression->type(), "a value has the expression's type");
            if (v.type == ValueType::Character) expect(v.text.size() == length, "a text has the parsed length");
            if (v.type == ValueType::Logical) expect(expression->matches(table, r) == v.logical, "matches is the value");
        } catch (const DbaseError&) {
            // A value that cannot be computed for this record.
        }
    }
    return 0;
}
