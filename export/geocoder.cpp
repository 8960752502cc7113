#include "export/geocoder.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <thread>

#include "common/c_format.h"
#include "export/email_curl.h"

namespace tripdesk::geo {

namespace {

constexpr const char* kUserAgent = "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0";

std::string percent_encoded(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        const bool safe = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
                          u == '.' || u == '_' || u == '~';
        out += safe ? std::string(1, c) : c_format("%%%02X", u);
    }
    return out;
}

// The five entities XML escapes text with; others stay as they are.
std::string xml_unescaped(std::string_view text) {
    static const std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& [entity, c] : entities) {
                if (text.substr(i, entity.size()) == entity) {
                    out += c;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

size_t collect_body(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

int pump_progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    static_cast<Progress*>(user)->pump();
    return 0;
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// The pause keeps the window live: it pumps in short slices.
void paced_wait(int ms, Progress& progress) {
    using clock = std::chrono::steady_clock;
    const auto until = clock::now() + std::chrono::milliseconds(ms);
    progress.pump();
    while (clock::now() < until) {
        const auto left = until - clock::now();
        std::this_thread::sleep_for(std::min<clock::duration>(left, std::chrono::milliseconds(20)));
        progress.pump();
    }
}

}  // namespace

std::string request_url(const std::string& base_url, const std::string& key, double latitude, double longitude) {
    const char* joint = base_url.find('?') == std::string::npos ? "?" : "&";
    return base_url + joint + c_format("latlng=%.6f,%.6f&key=", latitude, longitude) + percent_encoded(key);
}

std::string address_from_reply(std::string_view body) {
    static constexpr std::string_view open = "<formatted_address>";
    static constexpr std::string_view close = "</formatted_address>";
    const size_t start = body.find(open);
    const size_t end = body.find(close);
    std::string address;
    if (start != std::string_view::npos && end != std::string_view::npos && end > start + open.size())
        address = xml_unescaped(body.substr(start + open.size(), end - start - open.size()));
    if (!address.empty()) return address;
    for (const char c : body) {
        if (c == '\r' || c == '\n') continue;
        address += c == '"' ? '\'' : c;
    }
    return address;
}

Geocoder::Geocoder(GeoServiceConfig config, Progress& progress) : config_(std::move(config)), progress_(progress) {}

std::string Geocoder::address(const std::string& key, int pause_ms, double latitude, double longitude) {
    paced_wait(pause_ms, progress_);
    const std::string url = request_url(config_.base_url, key, latitude, longitude);
    const std::string problem = "Google Maps problem !!! " + url;

    // A fresh client per request: nothing is carried from one stop to the next.
    if (!mail::curl_ready()) return problem;
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return problem;
    CURL* c = curl.get();
    std::unique_ptr<curl_slist, CurlDeleter> headers(curl_slist_append(nullptr, "Content-Type: application/xml"));
    std::string body;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // cookie engine on, nothing stored
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, config_.timeout_ms);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect_body);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, pump_progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &progress_);
    mail::add_extra_ca_file(c, config_.ca_file);
    std::string proxy;
    if (!config_.proxy_host.empty()) {
        proxy = config_.proxy_port > 0 ? c_format("%s:%d", config_.proxy_host.c_str(), config_.proxy_port)
                                       : config_.proxy_host;
        curl_easy_setopt(c, CURLOPT_PROXY, proxy.c_str());
    } else {
        curl_easy_setopt(c, CURLOPT_PROXY, "");  // not from the environment either
    }
    const CURLcode code = curl_easy_perform(c);
    progress_.pump();
    if (code != CURLE_OK) return problem;
    return address_from_reply(body);
}

}  // namespace tripdesk::geo
