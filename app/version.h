#pragma once
// The program's version text: "%.2d.%.2d.%.2d" of the minor, patch and tweak
// numbers of the build's version (CMake project version); empty when the
// build has no version.
#include <string>

namespace tripdesk::app {

std::string program_version_text();
std::string format_version_text(int minor, int patch, int tweak);

}  // namespace tripdesk::app
