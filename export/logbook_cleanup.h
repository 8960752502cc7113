#pragma once
// Before a logbook export the logbook program's import leftovers are removed
// from the output folder, so the program does not import old data again.
#include <string>

namespace tripdesk::logbook {

enum class CleanupOutcome {
    Cleaned,
    SkippedHoldsDayFiles,   // the folder is a card or a card image
    SkippedCurrentDrive,    // the folder is the drive being exported
};

// Deletes every non-folder entry of `folder` whose name ends (in capitals) in
// LOG, LG2, ~LO, ~TX or GPS; a file that cannot be deleted is left as it is.
// Never runs in the current drive folder or in a folder that holds day files,
// because the names ending in GPS would take the day files with them.
CleanupOutcome clean_logbook_leftovers(const std::string& folder, const std::string& current_drive);

// The status text that tells why a clean-up was skipped; empty for Cleaned.
std::string cleanup_status_text(CleanupOutcome outcome, const std::string& folder);

}  // namespace tripdesk::logbook
