#include "export/dbase/dbase_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

#include "export/dbase/byte_order.h"
#include "export/dbase/dbf_table.h"
#include "export/dbase/language_driver.h"
#include "export/dbase/mdx_file.h"
#include "export/dbase/tag_keys.h"

namespace tripdesk::dbase::testing {
namespace {

const std::string kHere = TRIPDESK_SOURCE_DIR "/tests/export/dbase/";

// Folders made by the tests, removed when the test program ends.
struct TempFolders {
    std::vector<std::string> paths;
    ~TempFolders() {
        for (const std::string& p : paths) std::filesystem::remove_all(p);
    }
} temp_folders;

}  // namespace

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

CommandResult run_command(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string make_temp_folder() {
    std::string path = std::string(TRIPDESK_BIN_DIR) + "/../dbase-test-XXXXXX";
    if (!::mkdtemp(path.data())) throw std::runtime_error("mkdtemp failed");
    temp_folders.paths.push_back(path);
    return path;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void create_table(const std::string& path, int ldid, const std::string& spec, const std::string& rows_json,
                  const std::string& encoding) {
    const CommandResult r = run_command("/usr/bin/python3 " + quoted(kHere + "dbf_tool.py") + " create " +
                                        quoted(path) + " " + std::to_string(ldid) + " " + quoted(spec) + " " +
                                        quoted(rows_json) + " " + quoted(encoding));
    if (r.status != 0) throw std::runtime_error("python3-dbf: " + r.output);
}

std::vector<std::string> read_table(const std::string& path, const std::string& encoding) {
    const CommandResult r =
        run_command("/usr/bin/python3 " + quoted(kHere + "dbf_tool.py") + " dump " + quoted(path) + " " + encoding);
    if (r.status != 0) throw std::runtime_error("dbfread: " + r.output);
    std::vector<std::string> lines;
    std::istringstream in(r.output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string stated_order(int ldid) {
    switch (ldid) {
        // Czech: per letter lower case before upper case, each accented
        // letter after its base letter; digits after all letters, then
        // punctuation.
        case 0x1F:
            return " aAáÁäÄbBcCčČdDďĎeEéÉěĚfFgGhHiIíÍjJkKlLĺĹľĽmMnNňŇoOóÓôÔpPqQrRŕŔřŘsSšŠtTťŤuUúÚůŮvVwWxXyYýÝ"
                   "zZžŽ0123456789.-";
        // Slovak: punctuation and digits before the letters as in ASCII. A
        // letter's lower-case forms (plain, then accented) come before its
        // upper-case forms (d ď D Ď); č, š and ž are letters of their own
        // after the base letter (c C č Č).
        case 0x87:
            return " -.0123456789aäáAÄÁbBcCčČdďDĎeéěEÉĚfFgGhHiíIÍjJkKlĺľLĹĽmMnňNŇoóôOÓÔpPqQrŕřRŔŘsSšŠtťTŤuúůUÚŮ"
                   "vVwWxXyýYÝzZžŽ";
        default: return {};
    }
}

CommandResult walk_index(const std::string& dbf_path, const std::string& mdx_path) {
    std::string command = "/usr/bin/perl " + quoted(kHere + "walk_mdx.pl") + " " + quoted(dbf_path) + " " +
                          quoted(mdx_path);
    const std::string order = stated_order(static_cast<unsigned char>(read_file(dbf_path).at(29)));
    if (!order.empty()) {
        const std::string order_path = mdx_path + ".order.txt";
        write_file(order_path, order);
        command += " " + quoted(order_path) + " cp852";
    }
    return run_command(command);
}

std::string index_skeleton(const std::string& table_name, int ldid, const std::vector<TagSpec>& tags) {
    constexpr size_t kBlock = 1024;
    const size_t pages = 4 + tags.size() * 2 + 2;  // header, tag headers, one empty leaf for all
    std::string mdx(pages * 512, '\0');
    mdx[0] = 2;
    mdx[1] = char(125), mdx[2] = 1, mdx[3] = 2;
    std::copy(table_name.begin(), table_name.end(), mdx.begin() + 4);
    put_u16(mdx, 20, 2);
    put_u16(mdx, 22, kBlock);
    mdx[24] = 1;
    mdx[25] = 48;
    mdx[26] = 32;
    put_u16(mdx, 28, uint32_t(tags.size()));
    mdx[31] = char(ldid);
    put_u32(mdx, 32, uint32_t(pages));
    mdx[529] = 1;
    const uint32_t leaf_page = uint32_t(4 + tags.size() * 2);
    for (size_t i = 0; i < tags.size(); ++i) {
        const TagSpec& t = tags[i];
        const size_t entry = 544 + 32 * i;
        const uint32_t header_page = uint32_t(4 + 2 * i);
        put_u32(mdx, entry, header_page);
        std::copy(t.name.begin(), t.name.end(), mdx.begin() + long(entry + 4));
        mdx[entry + 15] = 0x10;
        // Tag-name search tree in table order.
        if (i > 0) {
            size_t node = 0;
            for (;;) {
                const bool left = t.name < tags[node].name;
                const size_t at = 544 + 32 * node + (left ? 16 : 17);
                if (mdx[at] == 0) {
                    mdx[at] = char(i + 1);
                    mdx[entry + 18] = char(node + 1);
                    break;
                }
                node = size_t(static_cast<unsigned char>(mdx[at])) - 1;
            }
        }
        mdx[entry + 19] = 2;
        mdx[entry + 20] = t.key_type;
        const size_t key_length = t.key_length ? t.key_length : t.key_type == 'N' ? 12 : 8;
        const size_t group = (key_length + 4 + 3) / 4 * 4;
        const size_t h = header_page * 512;
        put_u32(mdx, h, leaf_page);
        put_u32(mdx, h + 4, 2);
        mdx[h + 8] = char(0x10 | (t.descending ? 0x08 : 0) | (t.unique ? 0x40 : 0));
        mdx[h + 9] = t.key_type;
        put_u16(mdx, h + 12, uint32_t(key_length));
        put_u16(mdx, h + 14, uint32_t((kBlock - 12) / group));
        put_u16(mdx, h + 16, t.key_type == 'D' ? 1 : 0);
        put_u16(mdx, h + 18, uint32_t(group));
        // Expressions are stored in the table's code page.
        const LanguageDriver driver(static_cast<uint8_t>(ldid));
        const std::string expression = driver.encode(t.expression), for_expression = driver.encode(t.for_expression);
        std::copy(expression.begin(), expression.end(), mdx.begin() + long(h + 24));
        if (!for_expression.empty()) {
            mdx[h + 245] = 1;
            std::copy(for_expression.begin(), for_expression.end(), mdx.begin() + long(h + 762));
        }
    }
    return mdx;
}

void write_index(const std::string& dbf_path, const std::string& mdx_path, const std::vector<TagSpec>& tags) {
    const DbfTable table("fixture", read_file(dbf_path));
    const MdxFile skeleton("fixture index", index_skeleton("FIXTURE", table.driver().id(), tags));
    std::vector<std::vector<MdxEntry>> entries;
    for (const MdxTag& tag : skeleton.tags()) {
        const TagKeys keys(tag, table, skeleton.name());
        entries.push_back(keys.expected(table));
    }
    write_file(mdx_path, skeleton.rebuilt(entries, {2026, 12, 10}));
}

}  // namespace tripdesk::dbase::testing
