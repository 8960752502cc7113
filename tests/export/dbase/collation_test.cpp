#include "export/dbase/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "export/dbase/language_driver.h"

namespace tripdesk::dbase {
namespace {

// Words in the order a driver sorts them; each list is out of order in
// plain byte order, so it shows where the driver differs.
struct OrderCase {
    uint8_t driver;
    const char* what;
    std::vector<std::string> words;
};

const OrderCase kOrders[] = {
    {0x1F, "lower case before upper case at the first difference", {"brno", "brod", "Brno", "Brod"}},
    {0x1F, "digits after letters", {"Praha A", "Praha 10", "Praha 9"}},
    {0x1F,
     "Czech letters with caron after their base letter",
     {"cesta", "Cheb", "čaj", "Čadca", "dub", "ďobat", "Ďáblice", "rak", "Rokycany", "řeka", "Řevnice", "sad", "Senec",
      "šum", "Šala", "tma", "Tábor", "ťukat", "Ťažký", "zub", "Zlín", "žaba", "Žilina"}},
    {0x1F,
     "Slovak and Czech accents",
     {"a", "A", "á", "Á", "ä", "Ä", "lano", "lúka", "Levoča", "ĺ", "Ĺ", "ľad", "Ľubochňa", "noc", "Nitra", "ňufák",
      "Ňuňo", "ostrov", "Orava", "ó", "Óda", "ôsmy", "Ôsma", "uhol", "Uherský Brod", "úžina", "Ústí", "ůl", "yperit",
      "Ypsilon", "ýba", "Ýrska"}},
    {0x1F, "blanks before letters, letters before digits", {"Abc", "Ab1", "AB  ", "ABc", "ABC "}},
    {0x87, "Slovak driver: lower-case forms of a letter before the upper-case ones", {"ár", "Ab", "Ár"}},
    {0x87, "Slovak driver: ď and ľ inside their letter, č its own letter",
     {"cesta", "Cheb", "čaj", "Čadca", "dub", "ďateľ", "Dolný Kubín", "Ďumbier", "lano", "ľad", "Levoča", "Ľubochňa"}},
    {0x20, "Kamenicky code page", {"cesta", "Cheb", "čaj", "Čadca", "dub", "Praha B", "Praha 9", "zub", "žaba", "Žilina"}},
    {0x22, "Hungarian driver: accented capitals within the capitals", {"Ödön", "Pál", "ödön"}},
    {0x23, "Polish driver", {"Lech", "Łódź", "Maria"}},
    {0x58, "Western European ANSI driver", {"apple", "Apple", "Äpfel", "banana", "Zebra"}},
};

TEST(Collation, DriversSortWordsInTheirOwnOrder) {
    for (const OrderCase& c : kOrders) {
        SCOPED_TRACE(c.what);
        const LanguageDriver driver(c.driver);
        const Collation* order = Collation::for_driver(c.driver);
        ASSERT_NE(order, nullptr);
        std::vector<std::string> keys;
        for (const std::string& w : c.words) keys.push_back(driver.encode(w));
        EXPECT_FALSE(std::is_sorted(keys.begin(), keys.end())) << "the case does not differ from byte order";
        std::vector<std::string> sorted = keys;
        std::reverse(sorted.begin(), sorted.end());
        std::rotate(sorted.begin(), sorted.begin() + long(sorted.size() / 2), sorted.end());
        std::sort(sorted.begin(), sorted.end(),
                  [&](const std::string& a, const std::string& b) { return order->compare(a, b) < 0; });
        std::vector<std::string> words;
        for (const std::string& k : sorted) words.push_back(driver.decode(k));
        EXPECT_EQ(words, c.words);
        // Sort keys in byte order give the same order.
        std::vector<std::pair<std::string, std::string>> by_sort_key;
        for (const std::string& k : keys) by_sort_key.emplace_back(order->sort_key(k), driver.decode(k));
        std::sort(by_sort_key.begin(), by_sort_key.end());
        for (size_t i = 0; i < by_sort_key.size(); ++i) EXPECT_EQ(by_sort_key[i].second, c.words[i]);
        for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(order->compare(keys[i], keys[i]), 0) << c.words[i];
    }
}

TEST(Collation, AKeyThatIsAPrefixSortsFirst) {
    const Collation& czech = *Collation::for_driver(0x1F);
    EXPECT_LT(czech.compare("AB", "ABC"), 0);
    EXPECT_GT(czech.compare("ABC", "AB"), 0);
    EXPECT_LT(czech.compare("", "a"), 0);
    EXPECT_EQ(czech.compare("", ""), 0);
    EXPECT_LT(Collation::binary().compare("AB", "AB\x01"), 0);
}

TEST(Collation, ByteOrderDriversAndUnknownDrivers) {
    for (const uint8_t id : {0x00, 0x1B, 0x57}) {
        const Collation* c = Collation::for_driver(id);
        ASSERT_NE(c, nullptr) << int(id);
        EXPECT_TRUE(c->is_binary());
        EXPECT_LT(c->compare("Brno", "brno"), 0);
        EXPECT_LT(c->compare("Z", "\x9F"), 0);
    }
    // Drivers whose order the engine does not have.
    for (const uint8_t id : {0x03, 0x64, 0xC8, 0x26, 0xFF}) EXPECT_EQ(Collation::for_driver(id), nullptr) << int(id);
    EXPECT_EQ(Collation::for_driver(0x1F)->name(), "DB852CZ0");
    EXPECT_EQ(Collation::for_driver(0x87)->name(), "db852sl0");
}

TEST(Collation, EveryByteHasItsOwnWeight) {
    // Equal keys are then exactly equal bytes, as unique tags need.
    for (const uint8_t id : {0x1F, 0x20, 0x22, 0x23, 0x58, 0x59, 0x87}) {
        const Collation& c = *Collation::for_driver(id);
        std::set<unsigned> weights;
        for (int b = 0; b < 256; ++b) weights.insert(c.weight(static_cast<unsigned char>(b)));
        EXPECT_EQ(weights.size(), 256u) << c.name();
    }
}

}  // namespace
}  // namespace tripdesk::dbase
