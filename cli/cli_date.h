#pragma once
// Small helpers for dates and folders given on the command line.
#include <string>

namespace tripdesk::cli {

// A number that orders dates: YYYYMMDD.
inline int date_number(int year, int month, int day) { return year * 10000 + month * 100 + day; }

// A folder with a trailing "/", as the program keeps the current drive.
inline std::string with_trailing_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

}  // namespace tripdesk::cli
