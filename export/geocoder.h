#pragma once
// Reverse geocoding of a stop's position over HTTPS: one GET per stop, the
// first <formatted_address> of the XML reply. Never fails: problems come
// back as the address text.
#include <string>
#include <string_view>

#include "common/progress.h"

namespace tripdesk::geo {

inline constexpr const char* kDefaultService = "https://maps.googleapis.com/maps/api/geocode/xml";

struct GeoServiceConfig {
    std::string base_url = kDefaultService;  // [FRM_MAIN] GeoService
    std::string ca_file;                     // [FRM_MAIN] GeoCaFile: trusted besides the system's CAs
    std::string proxy_host;                  // [PROXY] Server; no proxy when empty
    int proxy_port = 0;                      // [PROXY] Port; 0 = the proxy's default port
    long timeout_ms = 30000;                 // a reply slower than this is a problem
};

// What the stop list asks for each stop; tests and front ends inject it.
class AddressLookup {
public:
    virtual ~AddressLookup() = default;
    // Waits `pause_ms` (a rate limit for the service), then looks the
    // position up with the service key.
    virtual std::string address(const std::string& key, int pause_ms, double latitude, double longitude) = 0;
};

class Geocoder final : public AddressLookup {
public:
    // `progress.pump()` runs during the pause and while the request waits.
    Geocoder(GeoServiceConfig config, Progress& progress);
    std::string address(const std::string& key, int pause_ms, double latitude, double longitude) override;

private:
    GeoServiceConfig config_;
    Progress& progress_;
};

// base + "?latlng=%.6f,%.6f&key=" + the key with every character outside the
// URL-safe set percent-encoded.
std::string request_url(const std::string& base_url, const std::string& key, double latitude, double longitude);

// The text of the first <formatted_address> element; when there is none or
// it is empty, the whole body with CR and LF removed and double quotes
// turned into single ones.
std::string address_from_reply(std::string_view body);

}  // namespace tripdesk::geo
