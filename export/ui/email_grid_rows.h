#pragma once
// The selected rows of the trip grid as the mail and stop-list handlers take them.
#include <vector>

#include "export/email_delivery.h"
#include "export/stop_list.h"

class Tfrm_main;

namespace tripdesk::ui {

// The selected rows that list a day file, top to bottom, with their cells.
std::vector<mail::DayFileRow> selected_day_file_rows(const Tfrm_main& main);

std::vector<stops::StopListRow> selected_stop_list_rows(const Tfrm_main& main);

// The message context of the window: vehicle label, the selection name
// without the vehicle, and now as the sending time.
mail::MailContext mail_context(const Tfrm_main& main);

}  // namespace tripdesk::ui
