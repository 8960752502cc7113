#pragma once
// The language driver named by byte 29 of a table header: the code page its
// texts are stored in and whether its character order is plain byte order.
#include <cstdint>
#include <string>
#include <string_view>

namespace tripdesk::dbase {

class LanguageDriver {
public:
    explicit LanguageDriver(uint8_t id);

    uint8_t id() const { return id_; }
    // Code page number (852, 1252, 437); 0 when the driver names none we know,
    // and then only ASCII text can be stored or read.
    int code_page() const { return code_page_; }
    // True when character keys of this driver sort by plain byte value. For
    // other drivers the engine does not know the order and keeps out of
    // character index tags.
    bool binary_order() const { return binary_order_; }

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
    bool binary_order_ = false;
};

}  // namespace tripdesk::dbase
