#include "export/dbase/tag_keys.h"

#include <algorithm>
#include <set>
#include <utility>

#include "common/c_format.h"
#include "export/dbase/dbase_error.h"

namespace tripdesk::dbase {
namespace {

std::string hex(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) out += c_format("%02X", static_cast<unsigned char>(c));
    return out;
}

std::string shown(char key_type, std::string_view key) {
    if (key_type != 'C') return hex(key);
    std::string text = "\"";
    text.append(key);
    text += '"';
    return text;
}

ValueType type_for(char key_type) {
    return key_type == 'N' ? ValueType::Number : key_type == 'D' ? ValueType::Date : ValueType::Character;
}

}  // namespace

namespace {

// The index stores expressions in the table's code page; the parser reads
// UTF-8, as its texts (constants such as "Žilina") are written in.
MdxTag in_utf8(MdxTag tag, const DbfTable& table) {
    tag.key_expression = table.driver().decode(tag.key_expression);
    tag.for_expression = table.driver().decode(tag.for_expression);
    return tag;
}

}  // namespace

TagKeys::TagKeys(const MdxTag& tag, const DbfTable& table, const std::string& index_name)
    : tag_(in_utf8(tag, table)), index_name_(index_name), key_expression_([&]() {
          try {
              return Expression(tag_.key_expression, table);
          } catch (const DbaseError& e) {
              throw DbaseError(index_name + ": tag " + tag.name + ": " + e.what());
          }
      }()) {
    if (!tag_.for_expression.empty()) {
        try {
            for_expression_.emplace(tag_.for_expression, table);
        } catch (const DbaseError& e) {
            fail(std::string("FOR clause: ") + e.what());
        }
        if (for_expression_->type() != ValueType::Logical) fail("the FOR clause is no condition");
    }
    if (key_expression_.type() != type_for(tag_.key_type))
        fail("the key expression does not give keys of type " + std::string(1, tag_.key_type));
    const size_t length = tag_.key_type == 'N' ? 12 : tag_.key_type == 'D' ? 8 : key_expression_.length();
    if (length != tag_.key_length)
        fail("key length " + std::to_string(tag_.key_length) + ", the expression gives " + std::to_string(length));
    collation_ = table.driver().collation();
    if (tag_.key_type == 'C' && !collation_)
        fail(c_format("the character order of language driver 0x%02X is not known to this engine, so character "
                      "keys cannot be kept in the order the index needs",
                      table.driver().id()));
    if (!collation_) collation_ = &Collation::binary();  // number and date keys do not use it
}

void TagKeys::fail(const std::string& why) const {
    throw DbaseError(index_name_ + ": tag " + tag_.name + " (" + tag_.key_expression + "): " + why);
}

std::optional<std::string> TagKeys::key(const DbfTable& table, size_t record) const {
    if (for_expression_ && !for_expression_->matches(table, record)) return std::nullopt;
    const Value v = key_expression_.evaluate(table, record);
    switch (tag_.key_type) {
        case 'N': return number_key(v.number, digit_count_);
        case 'D':
            if (v.date.empty() && !empty_date_)
                fail("record " + std::to_string(record + 1) +
                     " has an empty date and the index shows no example of how empty dates are stored");
            return date_key(v.date, empty_date_.value_or(EmptyDate::Zero));
        default: return v.text;
    }
}

int TagKeys::compare(const std::string& a, const std::string& b) const {
    const int c = compare_keys(tag_.key_type, a, b, *collation_);
    return tag_.descending ? -c : c;
}

bool TagKeys::in_order(const std::string& a, const std::string& b) const {
    const int ordered = compare(a, b);
    return tag_.unique ? ordered < 0 : ordered <= 0;
}

void TagKeys::check(const std::vector<MdxEntry>& stored, const DbfTable& table) {
    const size_t records = table.record_count();
    std::vector<bool> seen(records, false);
    for (const MdxEntry& e : stored) {
        if (e.record < 1 || e.record > records)
            fail("an entry points at record " + std::to_string(e.record) + ", the table has " + std::to_string(records));
        if (seen[e.record - 1]) fail("record " + std::to_string(e.record) + " appears twice");
        seen[e.record - 1] = true;
    }

    // Learn the writer's variants from the entries that show them.
    if (tag_.key_type == 'N') {
        for (const DigitCount variant : {DigitCount::Significant, DigitCount::ToUnits, DigitCount::Even}) {
            digit_count_ = variant;
            const bool all = std::all_of(stored.begin(), stored.end(), [&](const MdxEntry& e) {
                return number_key(key_expression_.evaluate(table, e.record - 1).number, variant) == e.key;
            });
            if (all) break;
        }
    }
    if (tag_.key_type == 'D') {
        for (const MdxEntry& e : stored) {
            if (!key_expression_.evaluate(table, e.record - 1).date.empty()) continue;
            for (const EmptyDate variant : {EmptyDate::Zero, EmptyDate::Huge})
                if (date_key({}, variant) == e.key) empty_date_ = variant;
            if (!empty_date_) fail("record " + std::to_string(e.record) + " has an empty date stored as " + hex(e.key));
            break;
        }
    }

    for (size_t i = 0; i < stored.size(); ++i) {
        const MdxEntry& e = stored[i];
        const std::optional<std::string> k = key(table, e.record - 1);
        if (!k) fail("record " + std::to_string(e.record) + " is in the index but its FOR clause excludes it");
        if (*k != e.key)
            fail("record " + std::to_string(e.record) + " has key " + shown(tag_.key_type, e.key) +
                 " in the index, its fields give " + shown(tag_.key_type, *k));
        if (i > 0 && !in_order(stored[i - 1].key, e.key))
            fail("records " + std::to_string(stored[i - 1].record) + " and " + std::to_string(e.record) +
                 " are out of key order" +
                 (tag_.key_type == 'C' ? c_format(" (character order %s of language driver 0x%02X)",
                                                  collation_->name().c_str(), table.driver().id())
                                       : std::string()));
    }

    const std::vector<MdxEntry> wanted = expected(table);
    if (wanted.size() != stored.size())
        fail("the index holds " + std::to_string(stored.size()) + " entries, the table gives " +
             std::to_string(wanted.size()));
}

std::vector<MdxEntry> TagKeys::expected(const DbfTable& table) const {
    std::vector<MdxEntry> entries;
    entries.reserve(table.record_count());
    for (size_t r = 0; r < table.record_count(); ++r)
        if (std::optional<std::string> k = key(table, r)) entries.push_back({uint32_t(r + 1), std::move(*k)});
    if (tag_.key_type == 'C' && !collation_->is_binary()) {
        // Sorted by the keys' weights, each key translated once rather than
        // at every comparison; ties keep record order.
        std::vector<std::pair<std::string, size_t>> weighted;
        weighted.reserve(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) weighted.emplace_back(collation_->sort_key(entries[i].key), i);
        std::stable_sort(weighted.begin(), weighted.end(), [&](const auto& a, const auto& b) {
            return tag_.descending ? b.first < a.first : a.first < b.first;
        });
        std::vector<MdxEntry> sorted;
        sorted.reserve(entries.size());
        for (const auto& w : weighted) sorted.push_back(std::move(entries[w.second]));
        entries = std::move(sorted);
    } else {
        std::stable_sort(entries.begin(), entries.end(),
                         [&](const MdxEntry& a, const MdxEntry& b) { return compare(a.key, b.key) < 0; });
    }
    if (tag_.unique) {
        // The first record of each key stays; the rest are not indexed.
        entries.erase(std::unique(entries.begin(), entries.end(),
                                  [&](const MdxEntry& a, const MdxEntry& b) {
                                      return compare(a.key, b.key) == 0;
                                  }),
                      entries.end());
    }
    return entries;
}

}  // namespace tripdesk::dbase
