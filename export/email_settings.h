#pragma once
// The settings of the mail and stop-list runs, taken from the program's
// settings object; the program and the command line both use these.
#include <optional>
#include <string>

#include "app/settings.h"
#include "export/email_delivery.h"
#include "export/geocoder.h"
#include "export/stop_list.h"

namespace tripdesk::mail {

// [EMAIL]: server, port, login, recipients, sender, signature.
MailSettings mail_settings(const app::Settings& settings);

// The e-mail copy of a written logbook or KML file, sent when its option
// (EmailKJ, EmailKML) is on; nullopt when the option is off.
std::optional<MailOutcome> send_copy_when_enabled(ExportCopy kind, const app::Settings& settings,
                                                  const MailContext& context, const std::string& file,
                                                  Progress& progress);

// [FRM_MAIN] GeoService and GeoCaFile, [PROXY] Server and Port.
geo::GeoServiceConfig geo_service_config(const app::Settings& settings);

// The export settings the stop list reads.
stops::StopListOptions stop_list_options(const app::Settings& settings);

}  // namespace tripdesk::mail
