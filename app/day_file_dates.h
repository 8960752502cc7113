#pragma once
// The dates of the day files a folder holds ("DDMMYY.GPS", any letter case),
// for opening a card at the period it covers.
#include <chrono>
#include <string>
#include <vector>

namespace tripdesk::app {

// The valid dates named by the folder's day files, oldest first; empty when
// the folder cannot be listed.
std::vector<std::chrono::year_month_day> day_file_dates(const std::string& folder);

}  // namespace tripdesk::app
