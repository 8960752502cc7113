#include "export/email_curl.h"

#include <openssl/ssl.h>

namespace tripdesk::mail {

namespace {

CURLcode load_extra_ca(CURL*, void* ssl_ctx, void* user) {
    const auto* file = static_cast<const std::string*>(user);
    auto* ctx = static_cast<SSL_CTX*>(ssl_ctx);
    return SSL_CTX_load_verify_locations(ctx, file->c_str(), nullptr) == 1 ? CURLE_OK : CURLE_SSL_CACERT_BADFILE;
}

}  // namespace

bool curl_ready() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

void add_extra_ca_file(CURL* curl, const std::string& ca_file) {
    if (ca_file.empty()) return;
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, load_extra_ca);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &ca_file);
}

}  // namespace tripdesk::mail
