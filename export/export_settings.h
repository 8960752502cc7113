#pragma once
// The settings of the logbook, KML and MRP exports, taken from the program's
// settings object; the program's menus and the command line both start from
// these and add the selection (drive, day files, vehicle, names).
#include "app/settings.h"
#include "export/kml_export.h"
#include "export/logbook_export.h"
#include "export/mrp_export.h"

namespace tripdesk::exports {

// ResolutionKJ, IgnoreSluz, IgnoreKrat, Koeficient, Force20byte.
logbook::LogbookExportOptions logbook_export_settings(const app::Settings& settings);

// ResolutionKML, Koeficient, Force20byte.
kml::KmlExportOptions kml_export_settings(const app::Settings& settings);

// DatabasesMRP, OutputDirKJ, TimeOffMRP, Force20byte, and today's local date
// as the tables' last-update date.
mrp::MrpExportOptions mrp_export_settings(const app::Settings& settings);

}  // namespace tripdesk::exports
