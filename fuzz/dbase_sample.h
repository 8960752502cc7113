#pragma once
// A small vehicle-logbook table built in code for the dBase targets: the
// table the index and expression inputs are read against, and the seeds.
#include <string>
#include <vector>

#include "export/dbase/dbf_table.h"

namespace tripdesk::fuzz {

// The table file: fields SPZ C(10), KM N(9,1), DATUM D, POZN C(40), PRIV L,
// language driver `ldid`, `rows` records (one of them deleted).
std::string sample_table_image(int rows, int ldid = 0x57);

// The same table, parsed.
const dbase::DbfTable& sample_table();

// Index tags over the sample table: name, key expression, key type, key
// length (0: the type's own), unique, descending, FOR clause.
struct SampleTag {
    std::string name, expression;
    char key_type;
    size_t key_length;
    bool unique, descending;
    std::string for_expression;
};
const std::vector<SampleTag>& sample_tags();

}  // namespace tripdesk::fuzz
