#include "app/day_file_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <map>
#include <memory>
#include <tuple>

#include "common/io_error.h"
#include "track/path_lookup.h"

namespace tripdesk::app {

namespace {

int two_digits(const std::string& s, size_t at) {
    const char a = s[at], b = s[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}

bool is_regular_file(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<DayFileName> list_day_files(const std::string& folder) {
    std::map<std::tuple<int, int, int>, DayFileName> days;  // (year, month, day)
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!dir) throw_errno(folder);
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name.size() != 10) continue;
        const std::string upper = track::upper_ascii(name);
        if (upper.compare(6, 4, ".GPS") != 0) continue;
        const int day = two_digits(upper, 0), month = two_digits(upper, 2), year = two_digits(upper, 4);
        if (day < 1 || day > 31 || month < 1 || month > 12 || year < 0) continue;
        if (!is_regular_file(track::join_path(folder, name))) continue;
        auto [it, inserted] = days.emplace(std::make_tuple(year, month, day), DayFileName{day, month, year, name});
        if (!inserted && name == upper) it->second.name = name;  // the upper-case spelling wins
    }
    std::vector<DayFileName> files;
    files.reserve(days.size());
    for (auto& [date, file] : days) files.push_back(std::move(file));
    return files;
}

std::vector<std::chrono::year_month_day> day_file_dates(const std::string& folder) {
    using namespace std::chrono;
    std::vector<year_month_day> dates;
    try {
        for (const DayFileName& f : list_day_files(folder)) {
            const year_month_day date{year{2000 + f.year}, month{static_cast<unsigned>(f.month)},
                                      day{static_cast<unsigned>(f.day)}};
            if (date.ok()) dates.push_back(date);
        }
    } catch (const IoError&) {
        dates.clear();  // a folder that cannot be listed has no period to open at
    }
    return dates;
}

}  // namespace tripdesk::app
