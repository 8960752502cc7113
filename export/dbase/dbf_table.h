#pragma once
// A dBase III/IV table held in memory: header, field descriptors and records
// as stored, with appended records kept apart until the image is written.
// The structure is checked when the table is parsed; a table the engine does
// not understand is refused before anything could be written into it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/dbase/calendar_date.h"
#include "export/dbase/language_driver.h"

namespace tripdesk::dbase {

struct FieldDescriptor {
    std::string name;  // upper case
    char type = 'C';   // C N F D L M
    int length = 0;
    int decimals = 0;
    size_t offset = 0;  // within the record, after the deletion flag
};

class DbfTable {
public:
    // `name` names the table in error messages.
    DbfTable(std::string name, std::string image);

    const std::string& name() const { return name_; }
    const LanguageDriver& driver() const { return driver_; }
    const std::vector<FieldDescriptor>& fields() const { return fields_; }
    // Field by name (case-insensitive); DbaseError when it does not exist.
    const FieldDescriptor& field(std::string_view name) const;
    const FieldDescriptor* find_field(std::string_view name) const;

    size_t record_count() const { return stored_count_ + appended_.size() / record_length_; }
    size_t stored_count() const { return stored_count_; }
    bool deleted(size_t record) const { return record_bytes(record)[0] == '*'; }
    // Raw bytes of one field of a record (0-based record index).
    std::string_view field_bytes(size_t record, const FieldDescriptor& field) const;

    // Field values as the program reads them: text without trailing blanks,
    // in UTF-8; numbers of N, F (and numeric C) fields; dates of D fields.
    std::string text(size_t record, std::string_view field) const;
    double number(size_t record, std::string_view field) const;
    CalendarDate date(size_t record, std::string_view field) const;

    // Appends a blank, live record and returns its index.
    size_t append();
    // Set values of an appended record. Texts are converted into the table's
    // code page and cut to the field length; into an N/F field a text must
    // be a number, into an L field a truth value, into a D field a date
    // "YYYYMMDD". Numbers are right-aligned with the field's decimals and
    // must fit. DbaseError for a value the field cannot take.
    void set_text(size_t record, std::string_view field, std::string_view utf8);
    void set_number(size_t record, std::string_view field, double value);
    void set_date(size_t record, std::string_view field, const CalendarDate& date);

    // The whole file with the appended records, the new record count, the
    // last-update date `today` and the end-of-file marker.
    std::string image(const CalendarDate& today) const;

private:
    std::string_view record_bytes(size_t record) const;
    char* writable_record(size_t record);
    void store(size_t record, const FieldDescriptor& field, std::string_view bytes);

    std::string name_;
    std::string stored_;    // header and stored records, without the end marker
    std::string appended_;  // appended records, back to back
    LanguageDriver driver_;
    std::vector<FieldDescriptor> fields_;
    size_t header_length_ = 0;
    size_t record_length_ = 0;
    size_t stored_count_ = 0;
};

}  // namespace tripdesk::dbase
