// Address lookups against a local HTTPS server with its own certificate.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "export/geocoder.h"
#include "export/mail_recording_progress.h"
#include "export/servers/local_server.h"
#include "export/stop_list.h"
#include "track/day_file_writer.h"

namespace tripdesk::geo {
namespace {

using tripdesk::testing::read_text;
using tripdesk::testing::RecordingProgress;
using tripdesk::testing::ServerProcess;
using tripdesk::testing::TempDir;

TEST(GeocoderUrl, SixDecimalsAndAnEncodedKey) {
    EXPECT_EQ(request_url("https://h/x", "AIzaSy-_.~09", 48.1234567, -17.5),
              "https://h/x?latlng=48.123457,-17.500000&key=AIzaSy-_.~09");
    EXPECT_EQ(request_url("https://h/x", "a b&c=d/é", 0, 0), "https://h/x?latlng=0.000000,0.000000&key=a%20b%26c%3Dd%2F%C3%A9");
    EXPECT_EQ(request_url("https://h/x?lang=sk", "", 1, 2), "https://h/x?lang=sk&latlng=1.000000,2.000000&key=");
}

TEST(GeocoderReply, FirstAddressOrTheFlattenedBody) {
    const struct {
        const char* body;
        const char* address;
    } cases[] = {
        {"<r><formatted_address>Hlavná 1, 811 01 Bratislava</formatted_address>"
         "<formatted_address>two</formatted_address></r>",
         "Hlavná 1, 811 01 Bratislava"},
        {"<formatted_address>A &amp; B &lt;1&gt;</formatted_address>", "A & B <1>"},
        {"<r>\r\n<status>ZERO_RESULTS</status>\n<m a=\"1\"/></r>", "<r><status>ZERO_RESULTS</status><m a='1'/></r>"},
        {"<formatted_address></formatted_address>", "<formatted_address></formatted_address>"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(address_from_reply(c.body), c.address) << c.body;
}

class HttpsService : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tmp = new TempDir;
        tripdesk::testing::make_self_signed_certificate(tmp->path());
        server = new ServerProcess("https_server.py",
                                   {"--cert", tmp->path() + "cert.pem", "--key", tmp->path() + "key.pem", "--log",
                                    tmp->path() + "requests.log", "--slow-seconds", "0.6"},
                                   tmp->path());
    }
    static void TearDownTestSuite() {
        delete server;
        delete tmp;
    }
    static TempDir* tmp;
    static ServerProcess* server;

    static GeoServiceConfig config(const std::string& mode) {
        GeoServiceConfig c;
        c.base_url = "https://127.0.0.1:" + std::to_string(server->port()) + "/" + mode + "/maps/api/geocode/xml";
        c.ca_file = tmp->path() + "cert.pem";
        return c;
    }
    // Request lines logged since the test began.
    std::vector<std::string> requests() const {
        std::vector<std::string> lines;
        const std::string log = read_text(tmp->path() + "requests.log").substr(log_start_);
        size_t pos = 0;
        while (pos < log.size()) {
            const size_t end = log.find('\n', pos);
            lines.push_back(log.substr(pos, end - pos));
            pos = end + 1;
        }
        return lines;
    }
    void SetUp() override { log_start_ = read_text(tmp->path() + "requests.log").size(); }

    RecordingProgress progress;

private:
    size_t log_start_ = 0;
};
TempDir* HttpsService::tmp = nullptr;
ServerProcess* HttpsService::server = nullptr;

TEST_F(HttpsService, AddressOfTheFirstResultWithTheRequestAsTheServiceExpects) {
    Geocoder geocoder(config("ok"), progress);
    EXPECT_EQ(geocoder.address("K3Y", 0, 48.1486f, 17.1077f), "Námestie 48.148602,17.107700 & okolie");
    const auto asked = requests();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0],
              "/ok/maps/api/geocode/xml?latlng=48.148602,17.107700&key=K3Y\t"
              "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0\tapplication/xml");
}

TEST_F(HttpsService, ReplyWithoutAddressGivesTheFlattenedBody) {
    Geocoder geocoder(config("noaddr"), progress);
    EXPECT_EQ(geocoder.address("bad", 0, 1, 2),
              "<GeocodeResponse> <status>REQUEST_DENIED</status> <error_message>The 'key' is invalid.</error_message>"
              "</GeocodeResponse>");
}

TEST_F(HttpsService, ProblemsComeBackAsTextWithTheUrl) {
    GeoServiceConfig untrusted = config("ok");
    untrusted.ca_file.clear();
    const struct {
        const char* what;
        GeoServiceConfig config;
    } cases[] = {
        {"HTTP 500", config("err500")},
        {"certificate not trusted", untrusted},
        {"nothing listens", [] {
             GeoServiceConfig c = config("ok");
             c.base_url = "https://127.0.0.1:" + std::to_string(tripdesk::testing::unused_port()) + "/ok";
             return c;
         }()},
    };
    for (const auto& c : cases) {
        Geocoder geocoder(c.config, progress);
        EXPECT_EQ(geocoder.address("k", 0, 48.5, 17.25),
                  "Google Maps problem !!! " + c.config.base_url + "?latlng=48.500000,17.250000&key=k")
            << c.what;
    }
}

TEST_F(HttpsService, SlowReplyIsWaitedForWhileTheWindowPumps) {
    Geocoder geocoder(config("slow"), progress);
    EXPECT_EQ(geocoder.address("k", 0, 1, 2), "Námestie 1.000000,2.000000 & okolie");
    EXPECT_GT(progress.pumps, 5);
}

TEST_F(HttpsService, ReplyPastTheTimeLimitIsAProblem) {
    GeoServiceConfig c = config("slow");
    c.timeout_ms = 200;
    Geocoder geocoder(c, progress);
    EXPECT_EQ(geocoder.address("k", 0, 1, 2).rfind("Google Maps problem !!! https://127.0.0.1:", 0), 0u);
}

TEST_F(HttpsService, RedirectIsFollowedWithItsCookie) {
    Geocoder geocoder(config("redirect"), progress);
    EXPECT_EQ(geocoder.address("k", 0, 1, 2), "Námestie 1.000000,2.000000 & okolie");
    const auto asked = requests();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].rfind("/ok/maps/api/geocode/xml?latlng=1.000000,2.000000&key=k\t", 0), 0u);
}

TEST_F(HttpsService, EveryRequestWaitsItsPauseFirst) {
    Geocoder geocoder(config("ok"), progress);
    const auto start = std::chrono::steady_clock::now();
    geocoder.address("k", 120, 1, 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(120));
}

TEST_F(HttpsService, StopListAsksOncePerPublicStopAndNeverForAPrivateOne) {
    TempDir card;
    track::DayFileWriter f(track::kMarkerImported);
    f.add(track::fix(8, 1, 2010).time(9, 0, 0).speed(40).lat(48.25f).lon(17.125f));
    f.add(track::fix(8, 1, 2010).time(9, 30, 0).speed(40).trian(100).priv().lat(48.5f).lon(17.5f));
    f.add(track::fix(8, 1, 2010).time(10, 0, 0).speed(40).trian(100).lat(48.75f).lon(17.75f));
    f.save(card.path() + "080110.GPS");
    stops::StopListOptions options;
    options.ignore_private = false;
    options.geo_delay_ms = 5;
    options.service_key = "K";
    Geocoder geocoder(config("ok"), progress);
    stops::write_stop_list(card.path() + "s.CSV", "BA-1", card.path(), {{"08/01/10", "080110.GPS"}}, options,
                           geocoder, progress);
    const std::string csv = read_text(card.path() + "s.CSV");
    EXPECT_NE(csv.find(";\"Námestie 48.250000,17.125000 & okolie\"\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";\"Súkromná jazda !!!\"\r\n"), std::string::npos) << csv;
    const auto asked = requests();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].substr(0, asked[0].find('\t')), "/ok/maps/api/geocode/xml?latlng=48.250000,17.125000&key=K");
    // The stop position moves only with records that continue a trip.
    EXPECT_EQ(asked[1].substr(0, asked[1].find('\t')), "/ok/maps/api/geocode/xml?latlng=48.250000,17.125000&key=K");
}

}  // namespace
}  // namespace tripdesk::geo
