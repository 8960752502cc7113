#pragma once
// The order of character index keys under a table's language driver. Each
// byte of the driver's code page has a weight; two keys compare weight by
// weight, and when one is a prefix of the other the shorter sorts first.
// Index keys are padded with blanks to the key length, so blanks take part
// with their own weight like every other byte.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tripdesk::dbase {

class Collation {
public:
    using Weights = std::array<uint8_t, 256>;

    // Plain byte order.
    static const Collation& binary();
    // The order of language driver `id` (DBF header byte 29); nullptr when
    // the engine does not know it.
    static const Collation* for_driver(uint8_t id);

    // The driver's name for its order, such as "DB852CZ0"; "binary" for byte order.
    const std::string& name() const { return name_; }
    bool is_binary() const { return weights_ == nullptr; }
    unsigned weight(unsigned char byte) const { return weights_ ? (*weights_)[byte] : byte; }

    // Negative, 0 or positive as `a` sorts before, with or after `b`.
    int compare(std::string_view a, std::string_view b) const;
    // The weights of `key` as bytes: sort keys compare in byte order as the
    // keys compare under this order.
    std::string sort_key(std::string_view key) const;

    Collation(std::string name, const Weights* weights) : name_(std::move(name)), weights_(weights) {}

private:
    std::string name_;
    const Weights* weights_;  // nullptr: byte order
};

}  // namespace tripdesk::dbase
