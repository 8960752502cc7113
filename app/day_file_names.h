#pragma once
// The day files a folder holds, named "DDMMYY.GPS" in any letter case (the
// tracker writes 150309.GPS, the logger import 150309.gps). Saving a card
// image and opening a card at its period both start from this list.
#include <chrono>
#include <string>
#include <vector>

namespace tripdesk::app {

struct DayFileName {
    int day = 0, month = 0, year = 0;  // as the name spells them; year is two-digit
    std::string name;                  // as it is in the folder
};

// The folder's regular files named "DDMMYY.GPS" with day 1-31 and month 1-12
// (31 February included: the tracker's name is taken as it stands), ordered
// by year, month and day. When two names differ only in letter case the
// upper-case one is taken. Throws IoError when the folder cannot be listed.
std::vector<DayFileName> list_day_files(const std::string& folder);

// The calendar dates named by the folder's day files, oldest first; names
// that give no calendar date are left out; empty when the folder cannot be
// listed.
std::vector<std::chrono::year_month_day> day_file_dates(const std::string& folder);

}  // namespace tripdesk::app
