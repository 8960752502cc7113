#pragma once
// The HTML export's settings, taken from the program's settings object; the
// program and the command line both use this.
#include "app/settings.h"
#include "export/html_export.h"

namespace tripdesk {

HtmlExportSettings html_export_settings(const app::Settings& settings);

}  // namespace tripdesk
