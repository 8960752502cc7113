#include "export/export_settings.h"

#include <ctime>

namespace tripdesk::exports {

namespace {

track::DayFileOptions day_file_options(const app::Settings& s) { return {s.frm_main.Koeficient, s.frm_main.Force20byte}; }

dbase::CalendarDate local_today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace

logbook::LogbookExportOptions logbook_export_settings(const app::Settings& settings) {
    logbook::LogbookExportOptions o;
    o.resolution_m = settings.frm_setexp.ResolutionKJ;
    o.ignore_sluz = settings.frm_setexp.IgnoreSluz;
    o.ignore_krat = settings.frm_setexp.IgnoreKrat;
    o.day_file = day_file_options(settings);
    return o;
}

kml::KmlExportOptions kml_export_settings(const app::Settings& settings) {
    kml::KmlExportOptions o;
    o.resolution_m = settings.frm_setexp.ResolutionKML;
    o.day_file = day_file_options(settings);
    return o;
}

mrp::MrpExportOptions mrp_export_settings(const app::Settings& settings) {
    mrp::MrpExportOptions o;
    o.databases_folder = settings.frm_setexp.DatabasesMRP;
    o.output_dir_kj = settings.frm_setexp.OutputDirKJ;
    o.time_offset = settings.frm_setexp.TimeOffMRP;
    o.force20byte = settings.frm_main.Force20byte;
    o.today = local_today();
    return o;
}

}  // namespace tripdesk::exports
