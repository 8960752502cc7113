#pragma once
// Test fixtures for the dBase engine: tables made by python3-dbf, indexes
// made from a hand-built skeleton filled by the engine's rebuild, and the
// independent readers (dbfread, Perl XBase::Index) that check the results.
#include <string>
#include <vector>

namespace tripdesk::dbase::testing {

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and error
};
CommandResult run_command(const std::string& command);
std::string quoted(const std::string& text);

// A fresh folder under the build's temporary folder.
std::string make_temp_folder();

// Creates a dBase III table with python3-dbf; `spec` as "SPZ C(10); KM N(8,1)",
// rows as a JSON list of lists (dates "YYYY-MM-DD", texts stored in
// `encoding`), then marks it as having a production index with language
// driver `ldid`.
void create_table(const std::string& path, int ldid, const std::string& spec, const std::string& rows_json,
                  const std::string& encoding = "cp1252");

// The live records as dbfread reads them, one JSON list per record.
std::vector<std::string> read_table(const std::string& path, const std::string& encoding = "cp1252");

struct TagSpec {
    TagSpec(std::string name_, std::string expression_, char key_type_ = 'C', size_t key_length_ = 0,
            bool unique_ = false, bool descending_ = false, std::string for_expression_ = {})
        : name(std::move(name_)), expression(std::move(expression_)), key_type(key_type_), key_length(key_length_),
          unique(unique_), descending(descending_), for_expression(std::move(for_expression_)) {}
    std::string name;
    std::string expression;
    char key_type = 'C';
    size_t key_length = 0;  // 0: 12 for N, 8 for D
    bool unique = false;
    bool descending = false;
    std::string for_expression;
};

// Writes an index for the table: file header and tag headers built here
// byte by byte, trees filled by the engine's rebuild from the records.
void write_index(const std::string& dbf_path, const std::string& mdx_path, const std::vector<TagSpec>& tags);
// Only the skeleton: every tag with an empty tree, expressions (UTF-8 here)
// stored in the code page of language driver `ldid`.
std::string index_skeleton(const std::string& table_name, int ldid, const std::vector<TagSpec>& tags);

// The order the Czech (0x1F) and Slovak (0x87) cp852 drivers give the
// characters the tests put into keys, first to last, written out by hand
// from the two alphabets; empty for other drivers.
std::string stated_order(int ldid);

// Walks every tag with Perl XBase::Index; status 0 and "TAG name count"
// lines when every check passed. Character keys of a table whose driver
// has a stated order are checked in that order, else in byte order.
CommandResult walk_index(const std::string& dbf_path, const std::string& mdx_path);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

}  // namespace tripdesk::dbase::testing
