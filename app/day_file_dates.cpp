#include "app/day_file_dates.h"

#include <algorithm>
#include <filesystem>

namespace tripdesk::app {

namespace {

bool two_digits(const std::string& s, size_t at, int& value) {
    if (s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9') return false;
    value = (s[at] - '0') * 10 + (s[at + 1] - '0');
    return true;
}

}  // namespace

std::vector<std::chrono::year_month_day> day_file_dates(const std::string& folder) {
    using namespace std::chrono;
    std::vector<year_month_day> dates;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 10 || name[6] != '.') continue;
        std::string ext = name.substr(7);
        for (char& c : ext) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        int d = 0, m = 0, y = 0;
        if (ext != "GPS" || !two_digits(name, 0, d) || !two_digits(name, 2, m) || !two_digits(name, 4, y)) continue;
        const year_month_day date{year{2000 + y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
        if (date.ok()) dates.push_back(date);
    }
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

}  // namespace tripdesk::app
