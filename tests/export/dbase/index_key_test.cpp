#include "export/dbase/index_key.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/c_format.h"

namespace tripdesk::dbase {
namespace {

const Collation& kBytes = Collation::binary();  // number and date keys ignore it

std::string hex_prefix(const std::string& key, size_t bytes) {
    std::string out;
    for (size_t i = 0; i < bytes; ++i) out += c_format("%02X", static_cast<unsigned char>(key[i]));
    return out;
}

TEST(NumberKey, PackedDecimalBytes) {
    struct Case {
        double value;
        DigitCount variant;
        const char* bytes;
    } cases[] = {
        {123.45, DigitCount::Significant, "371512345000"},
        {-7, DigitCount::Significant, "358570000000"},
        {0.05, DigitCount::Significant, "330550000000"},
        {1200, DigitCount::Significant, "380912000000"},
        {0, DigitCount::Significant, "340100000000"},
        {53680, DigitCount::Significant, "391153680000"},
        {53680, DigitCount::ToUnits, "391553680000"},
        {12345, DigitCount::Even, "391912345000"},
        {0.3, DigitCount::Significant, "340530000000"},
        {0.1 + 0.2, DigitCount::Significant, "340530000000"},
    };
    for (const Case& c : cases) {
        const std::string key = number_key(c.value, c.variant);
        ASSERT_EQ(key.size(), 12u);
        EXPECT_EQ(hex_prefix(key, 6), c.bytes) << c.value;
        EXPECT_EQ(key.substr(6), std::string(6, '\0')) << c.value;
    }
}

TEST(NumberKey, OrderFollowsTheNumbers) {
    std::vector<double> values = {-1500, -12.5, -7, -0.05, 0, 0.001, 0.05, 0.5, 1, 7, 9.99, 10, 12.5, 100, 1200, 53680};
    std::vector<std::string> keys;
    for (const double v : values) keys.push_back(number_key(v, DigitCount::Significant));
    for (size_t i = 0; i < keys.size(); ++i)
        for (size_t j = 0; j < keys.size(); ++j) {
            const int expected = values[i] < values[j] ? -1 : values[i] > values[j];
            EXPECT_EQ(compare_keys('N', keys[i], keys[j], kBytes), expected) << values[i] << " vs " << values[j];
        }
    // The digit-count variants of one value are equal in order.
    EXPECT_EQ(compare_keys('N', number_key(53680, DigitCount::ToUnits), number_key(53680, DigitCount::Significant), kBytes), 0);
}

TEST(DateKey, JulianDayAsDouble) {
    const std::string key = date_key({1981, 1, 1}, EmptyDate::Zero);
    double value = 0;
    std::memcpy(&value, key.data(), 8);  // the test machine is little-endian like the file
    EXPECT_EQ(value, 2444606.0);
    EXPECT_LT(compare_keys('D', date_key({2009, 3, 15}, EmptyDate::Zero), date_key({2009, 3, 16}, EmptyDate::Zero), kBytes), 0);
    EXPECT_LT(compare_keys('D', date_key({}, EmptyDate::Zero), date_key({1900, 1, 1}, EmptyDate::Zero), kBytes), 0);
    EXPECT_GT(compare_keys('D', date_key({}, EmptyDate::Huge), date_key({2155, 1, 1}, EmptyDate::Zero), kBytes), 0);
}

}  // namespace
}  // namespace tripdesk::dbase
