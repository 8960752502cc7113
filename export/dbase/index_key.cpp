#include "export/dbase/index_key.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "common/c_format.h"

namespace tripdesk::dbase {
namespace {

constexpr int kExponentBase = 0x34;
constexpr size_t kNumberKeyLength = 12;

}  // namespace

std::string number_key(double value, DigitCount variant) {
    std::string key(kNumberKeyLength, '\0');
    // 15 significant digits hold every value a numeric field can store and
    // drop binary noise such as 0.30000000000000004.
    const std::string text = c_format("%.14e", std::fabs(value));  // d.dddddddddddddde±XX
    const size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const int exponent = std::stoi(text.substr(e + 1));
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (value == 0 || digits.empty()) {
        key[0] = char(kExponentBase);
        key[1] = 0x01;
        return key;
    }
    size_t count = digits.size();
    const int integer_digits = exponent + 1;
    if (variant == DigitCount::ToUnits && integer_digits > int(count)) count = size_t(integer_digits);
    if (variant == DigitCount::Even && count % 2) ++count;
    count = std::min<size_t>(count, 20);
    digits.resize(count, '0');
    key[0] = char(kExponentBase + integer_digits);
    key[1] = char((value < 0 ? 0x80 : 0) | (count << 2) | 0x01);
    for (size_t i = 0; i < count; ++i) {
        const int d = digits[i] - '0';
        key[2 + i / 2] = char(static_cast<unsigned char>(key[2 + i / 2]) | (i % 2 ? d : d << 4));
    }
    return key;
}

std::string date_key(const CalendarDate& date, EmptyDate variant) {
    const double value = date.empty() ? (variant == EmptyDate::Huge ? 1.0e100 : 0.0) : double(julian_day(date));
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::string key(8, '\0');
    for (int i = 0; i < 8; ++i) key[i] = char(bits >> (8 * i) & 0xFF);
    return key;
}

namespace {

double date_value(std::string_view key) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t(static_cast<unsigned char>(key[i])) << (8 * i);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int compare_numbers(std::string_view a, std::string_view b) {
    const auto byte = [](std::string_view k, size_t i) { return static_cast<unsigned char>(k[i]); };
    const bool neg_a = byte(a, 1) & 0x80, neg_b = byte(b, 1) & 0x80;
    if (neg_a != neg_b) return neg_a ? -1 : 1;
    const int count_a = byte(a, 1) >> 2 & 0x1F, count_b = byte(b, 1) >> 2 & 0x1F;
    const int exp_a = count_a ? byte(a, 0) : 0, exp_b = count_b ? byte(b, 0) : 0;
    int result = exp_a < exp_b ? -1 : exp_a > exp_b;
    if (result == 0) {
        const size_t bytes = size_t(std::max(count_a, count_b) + 1) / 2;
        result = std::memcmp(a.data() + 2, b.data() + 2, std::min<size_t>(bytes, 10));
        result = result < 0 ? -1 : result > 0;
    }
    return neg_a ? -result : result;
}

}  // namespace

int compare_keys(char key_type, std::string_view a, std::string_view b, const Collation& collation) {
    if (key_type == 'N') return compare_numbers(a, b);
    if (key_type == 'D') {
        const double x = date_value(a), y = date_value(b);
        return x < y ? -1 : x > y;
    }
    return collation.compare(a, b);
}

}  // namespace tripdesk::dbase
