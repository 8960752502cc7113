#pragma once
// The scripts that turn the page's track data (the JSON element "track-data")
// into an interactive map. Both show a note in "map-note" when the map cannot
// be shown (no network, refused key); the SVG sketch stays in any case.
namespace tripdesk::mapweaver {

// Needs Leaflet (inlined before it); OpenStreetMap tiles.
extern const char* const kLeafletMapScript;

// Defines the callback `initMap` of the Google Maps JavaScript API.
extern const char* const kGoogleMapScript;

}  // namespace tripdesk::mapweaver
