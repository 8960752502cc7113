#pragma once
// Colours of the page's drawings, shared by the sketch, the interactive map
// and the tests that look for the track on a rendered page.
namespace tripdesk::mapweaver {

inline constexpr const char* kBusinessColour = "#1c64d6";
inline constexpr const char* kPrivateColour = "#e8590c";
inline constexpr const char* kStopColour = "#c2255c";
inline constexpr const char* kTripStartColour = "#2b8a3e";

}  // namespace tripdesk::mapweaver
