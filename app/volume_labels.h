#pragma once
// The five volume texts the main window shows for the current drive, in the
// order the card-image information file "_image.inf" stores them.
#include <string>

namespace tripdesk::app {

// Stands for the vehicle when a card has no volume label.
inline constexpr const char* kNoCarId = "NO_CARID";

struct VolumeLabels {
    std::string label;        // vyp_inf00: the volume label, i.e. the vehicle's plate
    std::string free_space;   // vyp_inf01
    std::string total_space;  // vyp_inf02
    std::string serial;       // vyp_inf03: volume serial as signed 32-bit decimal
    std::string file_system;  // vyp_inf04

    bool operator==(const VolumeLabels&) const = default;
};

// The vehicle label of a card: its volume label, or "NO_CARID" when empty.
inline std::string vehicle_label(const VolumeLabels& v) { return v.label.empty() ? kNoCarId : v.label; }

}  // namespace tripdesk::app
