#pragma once
// Deleting the selected day files of the current drive, the one place where
// day files are removed. Note files beside them stay.
#include <string>
#include <vector>

#include "app/card_image.h"
#include "common/progress.h"

namespace tripdesk::app {

inline constexpr const char* kDeleteTitle = "Mazanie binárnych GPS súborov";
inline constexpr const char* kNothingSelectedText = "Žiadne vybrané súbory !!!";
// The two line breaks are two carriage returns.
inline constexpr const char* kDeleteQuestion = "Skutočne zmazať vybrané súbory?\r\rTIETO ÚDAJE BUDÚ ÚPLNE ZMAZANÉ !!!";

// Deletes folder + name for each name, in order. Progress: the title
// kDeleteTitle, a maximum of the name count, and for each file the status
// ` - mazanie súboru: "<path>" ...`, a step, a pump and a 200 ms readability
// pause. A file that is no longer there is passed over; a file that cannot be
// deleted is listed in the result (path and the system's reason) and the
// others are still deleted.
std::vector<FailedFile> delete_day_files(const std::string& folder, const std::vector<std::string>& names,
                                         Progress& progress);

}  // namespace tripdesk::app
