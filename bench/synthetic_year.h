#pragma once
// The synthetic card the benchmarks share: a year of day files (365 files of
// 30,000 24-byte records each, 263 MB), written once per benchmark program
// into a temporary folder that is removed at exit.
#include <cstddef>
#include <string>
#include <vector>

namespace tripdesk::bench {

constexpr int kYearDays = 365;
constexpr int kRecordsPerDay = 30000;
// The calendar year of the synthetic card (file names end in "10").
constexpr int kSyntheticYear = 2010;

// One day's file: 30,000 records, one every 2 s from 01:00:00, 50 km/h
// (139 units = 13.9 m a step), a new trip every 3,000 records, a private
// stretch in the afternoon, a driver key in every record.
std::string synthetic_day(int day, int month);

struct SyntheticYear {
    std::string folder;              // the card's folder
    std::vector<std::string> names;  // the day files in date order, "DDMMYY.GPS"
    size_t bytes = 0;                // their total size
};

// The year on disk; written at the first call.
const SyntheticYear& synthetic_year();

}  // namespace tripdesk::bench
