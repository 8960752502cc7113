#pragma once
// A table with its production index, as the export uses it: both files are
// locked while open; the index is checked against the table before anything
// is written; appended records are written in one step by `commit`, which
// rebuilds every tag, checks the new index again and replaces the table and
// then the index, each by renaming a complete temporary file over it. An
// error at any point leaves both files as they were.
#include <memory>
#include <string>
#include <vector>

#include "export/dbase/dbf_table.h"
#include "export/dbase/locked_file.h"
#include "export/dbase/mdx_file.h"
#include "export/dbase/tag_keys.h"

namespace tripdesk::dbase {

class IndexedTable {
public:
    // Opens, locks and checks DBF and MDX; DbaseError saying what is wrong.
    IndexedTable(const std::string& dbf_path, const std::string& mdx_path);

    DbfTable& table() { return *table_; }
    const DbfTable& table() const { return *table_; }

    // Live records (not deleted) matching a condition such as "SPZ ='BA123AB'",
    // in record order. Texts compare without trailing blanks.
    std::vector<size_t> filter(const std::string& condition) const;

    // Writes the appended records and the rebuilt index; nothing when no
    // record was appended. `today` is the last-update date.
    void commit(const CalendarDate& today);

private:
    void load();

    std::string dbf_path_;
    std::string mdx_path_;
    std::unique_ptr<LockedFile> dbf_file_;
    std::unique_ptr<LockedFile> mdx_file_;
    std::string table_image_;  // the table file as opened
    std::unique_ptr<DbfTable> table_;
    std::unique_ptr<MdxFile> index_;
    std::vector<TagKeys> tags_;
};

}  // namespace tripdesk::dbase
