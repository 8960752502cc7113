#pragma once
// Key bytes of index tags and their order. Character keys are the table's
// bytes; number keys are 12-byte packed decimals; date keys are the Julian
// day number as a little-endian double.
#include <string>
#include <string_view>

#include "export/dbase/calendar_date.h"
#include "export/dbase/collation.h"

namespace tripdesk::dbase {

// Writers differ only in the digit count they store for a number key: the
// significant digits, that count rounded up to even, or the digits kept down
// to the units place. Order does not depend on it, exact matches do, so the
// engine learns the variant from the existing index.
enum class DigitCount { Significant, Even, ToUnits };

// Empty dates: one writer stores 1.0E100, another 0.
enum class EmptyDate { Huge, Zero };

std::string number_key(double value, DigitCount variant);
std::string date_key(const CalendarDate& date, EmptyDate variant);

// Order of two keys of the given key type (C, N or D); negative, 0 or
// positive. Character keys compare under `collation`, the order of the
// table's language driver.
int compare_keys(char key_type, std::string_view a, std::string_view b, const Collation& collation);

}  // namespace tripdesk::dbase
