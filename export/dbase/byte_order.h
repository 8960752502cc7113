#pragma once
// Little-endian fields of the table and index files.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tripdesk::dbase {

inline uint32_t get_u8(std::string_view b, size_t at) { return static_cast<unsigned char>(b[at]); }
inline uint32_t get_u16(std::string_view b, size_t at) { return get_u8(b, at) | get_u8(b, at + 1) << 8; }
inline uint32_t get_u32(std::string_view b, size_t at) { return get_u16(b, at) | get_u16(b, at + 2) << 16; }

inline void put_u8(std::string& b, size_t at, uint32_t v) { b[at] = char(v & 0xFF); }
inline void put_u16(std::string& b, size_t at, uint32_t v) {
    put_u8(b, at, v);
    put_u8(b, at + 1, v >> 8);
}
inline void put_u32(std::string& b, size_t at, uint32_t v) {
    put_u16(b, at, v);
    put_u16(b, at + 2, v >> 16);
}

}  // namespace tripdesk::dbase
