// SMTP delivery through libcurl: login, STARTTLS, MIME and base64 are curl's;
// this file only sets up the headers and the parts.
#include <curl/curl.h>
#include <openssl/evp.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <random>

#include "common/c_format.h"
#include "export/email_curl.h"
#include "export/mail_header.h"
#include "export/mail_message.h"

namespace tripdesk::mail {

std::vector<std::string> split_addresses(std::string_view list) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view item = list.substr(start, end - start);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
        const std::string address = header_safe(item);
        if (!address.empty()) out.push_back(address);
        start = end + 1;
    }
    return out;
}

namespace {

constexpr const char* kConnectFailed = "zlyhalo spojenie s SMTP !!!";

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using CurlList = std::unique_ptr<curl_slist, CurlDeleter>;
using CurlMime = std::unique_ptr<curl_mime, CurlDeleter>;

void append(CurlList& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (!grown) throw std::bad_alloc();
    list.release();
    list.reset(grown);
}

// RFC 5322 date in UTC; names written out so the locale cannot change them.
std::string mail_date(std::time_t now) {
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm t{};
    gmtime_r(&now, &t);
    return c_format("%s, %02d %s %04d %02d:%02d:%02d +0000", days[t.tm_wday], t.tm_mday, months[t.tm_mon],
                    t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
}

std::string message_id(const std::string& sender, std::time_t now) {
    std::random_device random;
    const auto at = sender.rfind('@');
    std::string domain = at == std::string::npos ? "" : sender.substr(at + 1);
    if (domain.empty() || domain.find_first_of("<> ") != std::string::npos) domain = "tripdesk.invalid";
    return c_format("<%lld.%08x%08x@%s>", static_cast<long long>(now), random(), random(), domain.c_str());
}

std::vector<std::string> common_headers(const MailMessage& message) {
    const std::time_t now = std::time(nullptr);
    const std::string sender = header_safe(message.sender);
    std::string to;
    for (const auto& r : message.recipients) to += (to.empty() ? "" : ", ") + header_safe(r);
    return {
        "Date: " + mail_date(now),
        "From: " + sender,
        "To: " + to,
        "Subject: " + encode_header_text(header_safe(message.subject)),
        "Message-ID: " + message_id(sender, now),
        "MIME-Version: 1.0",
    };
}

// The whole text of a message without attachments: headers, then the body
// in base64 lines, so no line limit or 8-bit path of a server can hurt it.
std::string plain_text_message(const MailMessage& message) {
    std::string text;
    for (const auto& h : common_headers(message)) text += h + "\r\n";
    text += "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    constexpr size_t kBytesPerLine = 57;  // 76 base64 characters
    std::vector<unsigned char> line(4 * kBytesPerLine / 3 + 1);
    for (size_t pos = 0; pos < message.body.size(); pos += kBytesPerLine) {
        const size_t n = std::min(kBytesPerLine, message.body.size() - pos);
        const int len = EVP_EncodeBlock(line.data(), reinterpret_cast<const unsigned char*>(message.body.data() + pos),
                                        static_cast<int>(n));
        text.append(reinterpret_cast<const char*>(line.data()), static_cast<size_t>(len));
        text += "\r\n";
    }
    return text;
}

std::string base_name(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct Upload {
    const std::string* text;
    size_t pos = 0;
};

size_t read_upload(char* buffer, size_t size, size_t count, void* user) {
    auto* upload = static_cast<Upload*>(user);
    const size_t n = std::min(size * count, upload->text->size() - upload->pos);
    std::memcpy(buffer, upload->text->data() + upload->pos, n);
    upload->pos += n;
    return n;
}

int pump_progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    static_cast<Progress*>(user)->pump();
    return 0;
}

// Notes whether curl sent an AUTH command: a login refused by the server
// differs from one that was never tried because LOGIN was not offered.
int watch_commands(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    if (type == CURLINFO_HEADER_OUT && size >= 4 && std::strncmp(data, "AUTH", 4) == 0)
        *static_cast<bool*>(user) = true;
    return 0;
}

struct Attempt {
    CURLcode code = CURLE_OK;
    std::string error;
    bool auth_sent = false;
};

Attempt attempt(const SmtpServer& server, const MailMessage& message, bool with_login, Progress& progress) {
    Attempt result;
    CurlHandle curl(curl_easy_init());
    if (!curl) return {CURLE_FAILED_INIT, "curl_easy_init failed", false};
    CURL* c = curl.get();
    char error_buffer[CURL_ERROR_SIZE] = {};

    const std::string url = c_format("smtp://%s:%d", header_safe(server.host).c_str(), server.port);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error_buffer);
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    add_extra_ca_file(c, server.ca_file);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, pump_progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &progress);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, watch_commands);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &result.auth_sent);
    if (with_login) {
        curl_easy_setopt(c, CURLOPT_USERNAME, server.username.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, server.password.c_str());
        curl_easy_setopt(c, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }

    const std::string from = "<" + header_safe(message.sender) + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    CurlList recipients;
    for (const auto& r : message.recipients) append(recipients, "<" + header_safe(r) + ">");
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());

    CurlList headers;
    CurlMime mime;
    std::string text;
    Upload upload{&text};
    if (message.attachments.empty()) {
        text = plain_text_message(message);
        curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(c, CURLOPT_READFUNCTION, read_upload);
        curl_easy_setopt(c, CURLOPT_READDATA, &upload);
        curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(text.size()));
    } else {
        for (const auto& h : common_headers(message)) append(headers, h);
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
        mime.reset(curl_mime_init(c));
        curl_mimepart* body = curl_mime_addpart(mime.get());
        curl_mime_data(body, message.body.data(), message.body.size());
        curl_mime_type(body, "text/plain; charset=UTF-8");
        curl_mime_encoder(body, "quoted-printable");
        for (const auto& a : message.attachments) {
            curl_mimepart* part = curl_mime_addpart(mime.get());
            if (const CURLcode code = curl_mime_filedata(part, a.path.c_str()); code != CURLE_OK)
                return {code, curl_easy_strerror(code), false};
            const std::string name = header_safe(base_name(a.path));
            curl_mime_filename(part, name.c_str());
            curl_mime_type(part, "application/octet-stream");
            curl_mime_encoder(part, "base64");
        }
        curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    }

    result.code = curl_easy_perform(c);
    if (result.code == CURLE_COULDNT_CONNECT || result.code == CURLE_COULDNT_RESOLVE_HOST) {
        result.error = kConnectFailed;
    } else if (result.code != CURLE_OK) {
        result.error = error_buffer[0] ? error_buffer : curl_easy_strerror(result.code);
    }
    return result;
}

}  // namespace

std::string send_message(const SmtpServer& server, const MailMessage& message, Progress& progress) {
    if (!curl_ready()) return "curl_global_init failed";
    const bool login = !server.username.empty();
    Attempt result = attempt(server, message, login, progress);
    // The server offers no LOGIN mechanism: send without logging in.
    if (login && result.code == CURLE_LOGIN_DENIED && !result.auth_sent)
        result = attempt(server, message, false, progress);
    return result.error;
}

}  // namespace tripdesk::mail
