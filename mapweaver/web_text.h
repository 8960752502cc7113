#pragma once
// Escaping for the texts that go into the page: data from the day file's
// surroundings (the vehicle label, the map key) must never become markup,
// script or a different URL.
#include <string>
#include <string_view>

namespace tripdesk::mapweaver {

// For HTML text and attribute values.
std::string html_escaped(std::string_view text);

// A JSON string literal, quotes included, that is also safe inside a
// <script> element ("<" is written as \u003c).
std::string json_string(std::string_view text);

// Percent-encodes everything but the unreserved characters of RFC 3986.
std::string url_component(std::string_view text);

}  // namespace tripdesk::mapweaver
