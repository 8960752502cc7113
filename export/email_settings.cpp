#include "export/email_settings.h"

namespace tripdesk::mail {

MailSettings mail_settings(const app::Settings& settings) {
    const auto& e = settings.email;
    MailSettings m;
    m.server.host = e.Host;
    m.server.port = e.Port;
    m.server.username = e.Username;
    m.server.password = e.Password;
    m.address = e.Address;
    m.sender = e.Sender;
    m.signature = e.Signature;
    return m;
}

std::optional<MailOutcome> send_copy_when_enabled(ExportCopy kind, const app::Settings& settings,
                                                  const MailContext& context, const std::string& file,
                                                  Progress& progress) {
    const bool enabled = kind == ExportCopy::logbook ? settings.frm_setexp.EmailKJ : settings.frm_setexp.EmailKML;
    if (!enabled) return std::nullopt;
    return send_export_copy(kind, mail_settings(settings), context, file, progress);
}

geo::GeoServiceConfig geo_service_config(const app::Settings& settings) {
    geo::GeoServiceConfig c;
    c.base_url = settings.frm_main.GeoService;
    c.ca_file = settings.frm_main.GeoCaFile;
    c.proxy_host = settings.proxy.Server;
    c.proxy_port = settings.proxy.Port;
    return c;
}

stops::StopListOptions stop_list_options(const app::Settings& settings) {
    const auto& main = settings.frm_main;
    const auto& exp = settings.frm_setexp;
    stops::StopListOptions o;
    o.min_stop_seconds = exp.ZastaveniaHTML;
    o.time_offset_half_hours = exp.TimeOffMRP;
    o.ignore_private = exp.IgnoreSluz;
    o.ignore_short_trips = exp.IgnoreKrat;
    o.day_file.koeficient = main.Koeficient;
    o.day_file.force20byte = main.Force20byte;
    o.date_separator = main.DatumDel;
    o.decimal_separator = main.CisloDel;
    o.geo_delay_ms = main.GeoDelay;
    o.service_key = settings.frm_setprg.GmapsKey;
    return o;
}

}  // namespace tripdesk::mail
