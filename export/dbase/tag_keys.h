#pragma once
// How the entries of one index tag follow from the records of its table: the
// key expression and FOR clause evaluated per record, encoded as the index
// stores them and ordered as the tag orders them. `check` compares a stored
// tag with that and says what differs; `expected` gives the entries a
// rebuild writes.
#include <optional>
#include <string>
#include <vector>

#include "export/dbase/dbf_table.h"
#include "export/dbase/expression.h"
#include "export/dbase/index_key.h"
#include "export/dbase/mdx_file.h"

namespace tripdesk::dbase {

class TagKeys {
public:
    // DbaseError when the tag's expressions are not supported or do not give
    // keys of the tag's type and length.
    TagKeys(const MdxTag& tag, const DbfTable& table, const std::string& index_name);

    // Compares the stored entries with the table; learns from them how the
    // index writes number keys and empty dates. DbaseError naming the tag
    // and the first difference.
    void check(const std::vector<MdxEntry>& stored, const DbfTable& table);

    // Every entry the tag must hold for the table, in tag order.
    std::vector<MdxEntry> expected(const DbfTable& table) const;

private:
    std::optional<std::string> key(const DbfTable& table, size_t record) const;
    int compare(const std::string& a, const std::string& b) const;  // in tag order
    bool in_order(const std::string& a, const std::string& b) const;  // a may precede b
    [[noreturn]] void fail(const std::string& why) const;

    MdxTag tag_;
    std::string index_name_;
    Expression key_expression_;
    std::optional<Expression> for_expression_;
    const Collation* collation_ = nullptr;  // the table's order of character keys
    DigitCount digit_count_ = DigitCount::Significant;
    std::optional<EmptyDate> empty_date_;
};

}  // namespace tripdesk::dbase
