#pragma once
// Whole-file routines over day files: the per-file summary the card scan
// shows, the trip-start count the dBase export sizes its progress with, and
// the time shift of one record.
#include <string>
#include <string_view>

#include "track/day_file.h"

namespace tripdesk::track {

// Speed above which a day gets the warning text.
constexpr int kSpeedWarningAbove = 130;
// A single step of this many 0.1 m units (10 km) or more is a jump, not a trip.
constexpr double kMaxStepUnits = 100000.0;
// The warning text of a day whose maximum speed is above 130 km/h.
inline constexpr const char* kSpeedWarning = "Rýchlosť prekročená!";

// The summary of one day file.
struct Tgps_zaznam {
    std::string Pozn;      // speed warning or empty
    int MaxRych = 0;       // maximum speed in km/h
    double Prejd = 0.0;    // distance in km
    double PrejdSukr = 0.0;  // the private part of Prejd in km

    bool operator==(const Tgps_zaznam&) const = default;
};

// Summary of a day file held in memory. Only W1 and W2 take part: a record
// with Speed above 250 adds nothing; otherwise its step Trian x Koeficient is
// added (to the private sum too when Sukr is 1) if under 10 km, and its speed
// raises the maximum even when the step was dropped. Time, date and position
// are not looked at.
Tgps_zaznam analyze_day_bytes(std::string_view file_bytes, const DayFileOptions& options);

// Reads and summarises a day file; throws IoError. The caller checks that the
// file exists.
Tgps_zaznam AnalyzeDayFile(const std::string& path, const DayFileOptions& options);

// Number of records whose New flag is set, whatever their validity.
int count_trip_starts(std::string_view file_bytes, const DayFileOptions& options);
// Reads a day file and counts its trip starts; throws IoError.
int CountTripStarts(const std::string& path, const DayFileOptions& options);

// A copy of the record with Hour:Min:Sec moved by `minutes` (negative =
// earlier), wrapped into one day; the date fields are left as they are, also
// across midnight. Expects a time in range (the callers shift valid records).
Tgps_record ShiftRecordTime(const Tgps_record& record, int minutes);

}  // namespace tripdesk::track
