#pragma once
// A dBase IV production index (MDX) held in memory: file header, tag table,
// tag headers and the B-tree of every tag. Parsing checks the structure;
// `rebuilt` writes a fresh file with the same header and tag headers and new,
// evenly filled trees.
#include <cstdint>
#include <string>
#include <vector>

#include "export/dbase/calendar_date.h"

namespace tripdesk::dbase {

struct MdxTag {
    std::string name;
    uint32_t header_page = 0;
    uint32_t root_page = 0;
    char key_type = 'C';  // C N D
    size_t key_length = 0;
    size_t group_length = 0;  // one entry: record or page number, key, padding
    size_t keys_per_block = 0;
    bool unique = false;
    bool descending = false;
    std::string key_expression;
    std::string for_expression;  // empty when the tag has no FOR clause
};

// One leaf entry: record number (1-based) and key bytes.
struct MdxEntry {
    uint32_t record = 0;
    std::string key;
};

class MdxFile {
public:
    // `name` names the index in error messages; DbaseError for a file whose
    // structure the engine does not understand.
    MdxFile(std::string name, std::string image);

    const std::string& name() const { return name_; }
    const std::vector<MdxTag>& tags() const { return tags_; }
    // The leaf entries of a tag in tree order; DbaseError for a damaged tree.
    std::vector<MdxEntry> entries(const MdxTag& tag) const;

    // A new index image: header and tag headers kept, except the page
    // counts, the free list, the update date `today`, the roots and the
    // change counters; every tag built from its entries, given in key order.
    std::string rebuilt(const std::vector<std::vector<MdxEntry>>& entries_per_tag, const CalendarDate& today) const;

private:
    void walk(const MdxTag& tag, uint32_t page, int depth, std::vector<MdxEntry>& out,
              std::vector<bool>& walked) const;
    std::string_view block(uint32_t page) const;

    std::string name_;
    std::string image_;
    size_t block_pages_ = 0;
    size_t block_length_ = 0;
    std::vector<MdxTag> tags_;
};

}  // namespace tripdesk::dbase
