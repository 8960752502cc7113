#pragma once
// Small helpers for the --json output of the commands: the texts are UTF-8
// already, so only quotes, backslashes and control characters need escaping.
#include <string>
#include <string_view>
#include <vector>

namespace tripdesk::cli {

// `text` as a JSON string literal, quotes included.
std::string json_string(std::string_view text);

// A JSON array of string literals.
std::string json_string_array(const std::vector<std::string>& texts);

}  // namespace tripdesk::cli
