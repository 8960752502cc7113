#pragma once
// libcurl set-up shared by the mail and the geocoding clients.
#include <curl/curl.h>

#include <string>

namespace tripdesk::mail {

// Initialises libcurl once per process; false when that failed.
bool curl_ready();

// Trusts the certificates of `ca_file` in addition to the system's (a
// company CA, or a test server's own certificate). Nothing when empty.
// The string must outlive the transfer.
void add_extra_ca_file(CURL* curl, const std::string& ca_file);

}  // namespace tripdesk::mail
