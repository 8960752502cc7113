#pragma once
// The weight tables behind Collation, one per language driver whose order is
// not plain byte order.
#include <cstdint>

#include "export/dbase/collation.h"

namespace tripdesk::dbase {

struct CollationTable {
    const char* name;
    const Collation::Weights* weights;
};

// The table of language driver `id`: weights nullptr for the drivers that
// sort by byte value, name nullptr when the driver's order is not known.
CollationTable collation_table(uint8_t id);

}  // namespace tripdesk::dbase
