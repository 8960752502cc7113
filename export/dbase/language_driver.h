#pragma once
// The language driver named by byte 29 of a table header: the code page its
// texts are stored in and the order of its character index keys.
#include <cstdint>
#include <string>
#include <string_view>

#include "export/dbase/collation.h"

namespace tripdesk::dbase {

class LanguageDriver {
public:
    explicit LanguageDriver(uint8_t id);

    uint8_t id() const { return id_; }
    // Code page number (852, 867, 1252, 437); 0 when the driver names none we
    // know, and then only ASCII text can be stored or read.
    int code_page() const { return code_page_; }
    // The order of character keys under this driver; nullptr when the engine
    // does not know it, and then it keeps out of character index tags.
    const Collation* collation() const { return collation_; }

    // UTF-8 text into the table's code page; DbaseError naming the first
    // character the code page cannot hold.
    std::string encode(std::string_view utf8) const;
    // Table bytes into UTF-8; DbaseError for a byte the code page lacks.
    std::string decode(std::string_view bytes) const;
    // Upper case of one byte in this code page, as index keys use it.
    char upper(char byte) const;

private:
    uint8_t id_;
    int code_page_ = 0;
    const Collation* collation_ = nullptr;
};

}  // namespace tripdesk::dbase
