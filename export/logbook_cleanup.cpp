#include "export/logbook_cleanup.h"

#include "common/c_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace tripdesk::logbook {

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

// DDMMYY.GPS in any letter case.
bool is_day_file_name(const std::string& name) {
    if (name.size() != 10 || upper(name.substr(6)) != ".GPS") return false;
    return std::all_of(name.begin(), name.begin() + 6, [](unsigned char c) { return std::isdigit(c); });
}

bool is_leftover_name(const std::string& name) {
    if (name.size() < 3) return false;
    static constexpr std::array<std::string_view, 5> kEndings = {"LOG", "LG2", "~LO", "~TX", "GPS"};
    const std::string end = upper(std::string_view(name).substr(name.size() - 3));
    return std::find(kEndings.begin(), kEndings.end(), end) != kEndings.end();
}

bool same_folder(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace

CleanupOutcome clean_logbook_leftovers(const std::string& folder, const std::string& current_drive) {
    if (same_folder(folder, current_drive)) return CleanupOutcome::SkippedCurrentDrive;
    std::error_code ec;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_directory(type_ec)) continue;
        const std::string name = it->path().filename().string();
        if (is_day_file_name(name)) return CleanupOutcome::SkippedHoldsDayFiles;
        if (is_leftover_name(name)) doomed.push_back(it->path());
    }
    for (const auto& path : doomed) {
        std::error_code remove_ec;
        fs::remove(path, remove_ec);
    }
    return CleanupOutcome::Cleaned;
}

std::string cleanup_status_text(CleanupOutcome outcome, const std::string& folder) {
    switch (outcome) {
        case CleanupOutcome::Cleaned:
            return {};
        case CleanupOutcome::SkippedHoldsDayFiles:
            return c_format(" - priečinok \"%s\" obsahuje denné GPS súbory, čistenie vynechané ...", folder.c_str());
        case CleanupOutcome::SkippedCurrentDrive:
            return c_format(" - priečinok \"%s\" je aktuálna jednotka, čistenie vynechané ...", folder.c_str());
    }
    return {};
}

}  // namespace tripdesk::logbook
