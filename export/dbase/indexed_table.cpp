#include "export/dbase/indexed_table.h"

#include <cerrno>
#include <unistd.h>

#include "common/atomic_file.h"
#include "common/io_error.h"
#include "export/dbase/dbase_error.h"
#include "export/dbase/expression.h"

namespace tripdesk::dbase {
namespace {

std::string file_name(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void check_all(std::vector<TagKeys>& tags, const MdxFile& index, const DbfTable& table) {
    for (size_t i = 0; i < tags.size(); ++i) tags[i].check(index.entries(index.tags()[i]), table);
}

}  // namespace

IndexedTable::IndexedTable(const std::string& dbf_path, const std::string& mdx_path)
    : dbf_path_(dbf_path), mdx_path_(mdx_path) {
    load();
}

void IndexedTable::load() {
    tags_.clear();
    index_.reset();
    table_.reset();
    mdx_file_.reset();
    dbf_file_.reset();
    dbf_file_ = std::make_unique<LockedFile>(dbf_path_);
    mdx_file_ = std::make_unique<LockedFile>(mdx_path_);
    table_image_ = dbf_file_->read_all();
    table_ = std::make_unique<DbfTable>(file_name(dbf_path_), table_image_);
    index_ = std::make_unique<MdxFile>(file_name(mdx_path_), mdx_file_->read_all());
    for (const MdxTag& tag : index_->tags()) tags_.emplace_back(tag, *table_, index_->name());
    check_all(tags_, *index_, *table_);
}

std::vector<size_t> IndexedTable::filter(const std::string& condition) const {
    const Expression expression(condition, *table_);
    if (expression.type() != ValueType::Logical)
        throw DbaseError(table_->name() + ": filter \"" + condition + "\" is no condition");
    std::vector<size_t> records;
    for (size_t r = 0; r < table_->record_count(); ++r)
        if (!table_->deleted(r) && expression.matches(*table_, r)) records.push_back(r);
    return records;
}

void IndexedTable::commit(const CalendarDate& today) {
    if (table_->record_count() == table_->stored_count()) return;

    std::vector<std::vector<MdxEntry>> entries;
    for (const TagKeys& tag : tags_) entries.push_back(tag.expected(*table_));
    std::string new_index = index_->rebuilt(entries, today);
    std::string new_table = table_->image(today);

    // The files as they will be on disk must read back and agree.
    const DbfTable written_table(table_->name(), new_table);
    const MdxFile written_index(index_->name(), new_index);
    check_all(tags_, written_index, written_table);

    AtomicFile table_out(dbf_path_, dbf_file_->mode());
    AtomicFile index_out(mdx_path_, mdx_file_->mode());
    table_out.write(new_table);
    index_out.write(new_index);
    // Both complete on disk before either replaces its file, so the two
    // renames follow each other closely.
    if (std::fflush(index_out.stream()) != 0 || (::fsync(::fileno(index_out.stream())) != 0 && errno != EINVAL))
        throw_errno(mdx_path_);
    table_out.commit();
    try {
        index_out.commit();
    } catch (const IoError&) {
        // Put the old table back rather than leave it beside an index that
        // lacks its new records.
        write_file_atomically(dbf_path_, table_image_, dbf_file_->mode());
        throw;
    }
    load();
}

}  // namespace tripdesk::dbase
