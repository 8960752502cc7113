#include "fuzz/dbase_sample.h"

#include "common/c_format.h"

namespace tripdesk::fuzz {

namespace {

void put_u16(std::string& s, size_t at, unsigned v) {
    s[at] = char(v & 0xFF);
    s[at + 1] = char((v >> 8) & 0xFF);
}

struct Field {
    const char* name;
    char type;
    int length, decimals;
};

constexpr Field kFields[] = {
    {"SPZ", 'C', 10, 0}, {"KM", 'N', 9, 1}, {"DATUM", 'D', 8, 0}, {"POZN", 'C', 40, 0}, {"PRIV", 'L', 1, 0},
};

}  // namespace

std::string sample_table_image(int rows, int ldid) {
    // An empty table: header, descriptors, terminator; records are added
    // through the engine so they are what it writes.
    constexpr size_t field_count = sizeof kFields / sizeof kFields[0];
    const size_t header_length = 32 + 32 * field_count + 1;
    size_t record_length = 1;
    for (const Field& f : kFields) record_length += size_t(f.length);
    std::string image(header_length, '\0');
    image[0] = 0x03;
    image[1] = 109, image[2] = 3, image[3] = 9;
    put_u16(image, 8, unsigned(header_length));
    put_u16(image, 10, unsigned(record_length));
    image[28] = 0x01;  // has a production index
    image[29] = char(ldid);
    for (size_t i = 0; i < field_count; ++i) {
        const size_t at = 32 + 32 * i;
        const std::string name = kFields[i].name;
        name.copy(image.data() + at, name.size());
        image[at + 11] = kFields[i].type;
        image[at + 16] = char(kFields[i].length);
        image[at + 17] = char(kFields[i].decimals);
    }
    image[header_length - 1] = 0x0D;

    dbase::DbfTable table("sample", image);
    for (int i = 0; i < rows; ++i) {
        const size_t r = table.append();
        table.set_text(r, "SPZ", i % 3 ? "BA123AB" : "KE999ZZ");
        table.set_number(r, "KM", double((i * 7919) % 2000) + 0.5);
        table.set_date(r, "DATUM", {2009, 1 + i % 12, 1 + i % 28});
        table.set_text(r, "POZN", c_format("jazda %05d Zilina", (i * 31) % 997));
        table.set_text(r, "PRIV", i % 4 ? "F" : "T");
    }
    std::string written = table.image({2026, 12, 10});
    // One record deleted, as a table in use has them.
    if (rows > 1) written[header_length + record_length] = '*';
    return written;
}

const dbase::DbfTable& sample_table() {
    static const dbase::DbfTable table("JAZDY.DBF", sample_table_image(12));
    return table;
}

const std::vector<SampleTag>& sample_tags() {
    static const std::vector<SampleTag> tags = {
        {"SPZ", "SPZ", 'C', 10, false, false, ""},
        {"KM", "KM", 'N', 0, false, false, ""},
        {"DATUM", "DATUM", 'D', 0, false, false, ""},
        {"SPZDAT", "SPZ+DTOS(DATUM)", 'C', 18, false, false, ""},
        {"POZN", "UPPER(POZN)", 'C', 40, false, false, ""},
        {"KMDESC", "KM", 'N', 0, false, true, ""},
        {"SPZUNI", "SPZ", 'C', 10, true, false, ""},
        {"DALEKO", "SUBSTR(SPZ,1,2)", 'C', 2, false, false, "KM > 1000 .AND. .NOT. DELETED()"},
    };
    return tags;
}

}  // namespace tripdesk::fuzz
