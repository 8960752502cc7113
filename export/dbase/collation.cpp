#include "export/dbase/collation.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "export/dbase/collation_tables.h"

namespace tripdesk::dbase {

const Collation& Collation::binary() {
    static const Collation order("binary", nullptr);
    return order;
}

const Collation* Collation::for_driver(uint8_t id) {
    const CollationTable table = collation_table(id);
    if (!table.name) return nullptr;
    if (!table.weights) return &binary();
    static std::mutex mutex;
    static std::map<uint8_t, std::unique_ptr<Collation>> known;
    std::lock_guard lock(mutex);
    std::unique_ptr<Collation>& c = known[id];
    if (!c) c = std::make_unique<Collation>(table.name, table.weights);
    return c.get();
}

int Collation::compare(std::string_view a, std::string_view b) const {
    const size_t common = std::min(a.size(), b.size());
    if (!weights_) {
        const int r = common ? std::memcmp(a.data(), b.data(), common) : 0;
        if (r != 0) return r < 0 ? -1 : 1;
    } else {
        const Weights& w = *weights_;
        for (size_t i = 0; i < common; ++i) {
            const unsigned x = w[static_cast<unsigned char>(a[i])], y = w[static_cast<unsigned char>(b[i])];
            if (x != y) return x < y ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : a.size() > b.size();
}

std::string Collation::sort_key(std::string_view key) const {
    std::string out(key);
    if (weights_)
        for (char& c : out) c = char((*weights_)[static_cast<unsigned char>(c)]);
    return out;
}

}  // namespace tripdesk::dbase
