// Servers failing in the middle of an exchange: an SMTP server hanging up
// inside the message must be reported as a failure, never as a sent mail;
// an HTTPS geocoding service with an expired certificate or one for another
// host gives the address cell its problem text, and the stop list is still
// written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "common/atomic_file.h"
#include "export/email_delivery.h"
#include "export/geocoder.h"
#include "export/scratch_folder.h"
#include "export/servers/local_server.h"
#include "export/stop_list.h"
#include "faults/fault_card.h"
#include "faults/fault_run.h"

using namespace tripdesk;
using tripdesk::testing::ScratchFolder;
using tripdesk::testing::ServerProcess;
using tripdesk::testing::TempDir;

namespace {

struct RecordingProgress : Progress {
    std::vector<std::string> statuses;
    void status(const std::string& s) override { statuses.push_back(s); }
};

class SmtpHangsUpInTheMessage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tmp = new TempDir;
        std::filesystem::create_directory(tmp->path() + "out");
        server = new ServerProcess("smtp_server.py", {"--close-in-data", "2000", "--out", tmp->path() + "out"},
                                   tmp->path());
    }
    static void TearDownTestSuite() {
        delete server;
        delete tmp;
    }
    static TempDir* tmp;
    static ServerProcess* server;
};
TempDir* SmtpHangsUpInTheMessage::tmp = nullptr;
ServerProcess* SmtpHangsUpInTheMessage::server = nullptr;

TEST_F(SmtpHangsUpInTheMessage, ExportCopyIsAFailure) {
    ScratchFolder scratch("smtp_hangup");
    const std::string file = scratch.file("copy.TXT");
    write_file_atomically(file, std::string(300000, 'x'));
    mail::MailSettings s;
    s.server.host = "127.0.0.1";
    s.server.port = server->port();
    s.address = "kniha@firma.sk";
    s.sender = "jazdy@firma.sk";
    RecordingProgress progress;
    const mail::MailOutcome outcome =
        mail::send_export_copy(mail::ExportCopy::logbook, s, {"BA-123AB", "10-03-09", "10.3.2009 8:00:00"}, file,
                               progress);
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.status.rfind(" - chyba pri odosielaní emailu: ", 0), 0u) << outcome.status;
    EXPECT_EQ(read_whole_file(file), std::string(300000, 'x'));
}

TEST_F(SmtpHangsUpInTheMessage, CommandExitsWithFailureButKeepsTheExport) {
    ScratchFolder scratch("smtp_hangup_cli");
    const std::string card = scratch.folder("card") + "/";
    faults::make_fault_card(card);
    const std::string out = scratch.file("kniha");
    const faults::ProcessRun run = faults::run_tripdesk(
        {"--home", scratch.folder("home"), "--set", "FRM_SETEXP.EmailKJ=1", "--set", "EMAIL.Host=127.0.0.1", "--set",
         "EMAIL.Port=" + std::to_string(server->port()), "--set", "EMAIL.Username=", "export", "logbook", card,
         "--from", "2009-03-10", "--to", "2009-03-12", "-o", out});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("chyba pri odosielaní emailu"), std::string::npos) << run.err;
    EXPECT_FALSE(read_whole_file(out + ".TXT").empty());
}

// A certificate for 127.0.0.1 whose validity ended in 2020, made with the
// openssl command's CA mode (the only one that takes explicit dates).
void make_expired_certificate(const std::string& dir) {
    write_file_atomically(dir + "ca.cnf",
                          "[ca]\ndefault_ca = d\n[d]\ndatabase = index.txt\nnew_certs_dir = .\nserial = serial\n"
                          "default_md = sha256\npolicy = p\ncopy_extensions = copy\n[p]\ncommonName = supplied\n");
    write_file_atomically(dir + "index.txt", "");
    write_file_atomically(dir + "serial", "01\n");
    const std::string script =
        "cd '" + dir + "' && openssl req -new -newkey rsa:2048 -nodes -keyout key.pem -subj /CN=127.0.0.1 "
        "-addext subjectAltName=IP:127.0.0.1 -out req.csr && openssl ca -batch -config ca.cnf -selfsign "
        "-keyfile key.pem -in req.csr -startdate 20200101000000Z -enddate 20200102000000Z -out cert.pem";
    ASSERT_EQ(faults::run_program("/bin/sh", {"-c", script}).status, 0);
}

// A valid certificate, but for another host name.
void make_other_host_certificate(const std::string& dir) {
    ASSERT_EQ(faults::run_program("/usr/bin/openssl",
                                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                                   "/CN=geo.elsewhere.example", "-addext",
                                   "subjectAltName=DNS:geo.elsewhere.example", "-keyout", dir + "key.pem", "-out",
                                   dir + "cert.pem"})
                  .status,
              0);
}

struct CertificateCase {
    const char* name;
    void (*make)(const std::string& dir);
};

class BadCertificate : public ::testing::TestWithParam<CertificateCase> {};

TEST_P(BadCertificate, AddressCellSaysTheServiceFailed) {
    TempDir tmp;
    GetParam().make(tmp.path());
    ServerProcess server("https_server.py",
                         {"--cert", tmp.path() + "cert.pem", "--key", tmp.path() + "key.pem", "--log",
                          tmp.path() + "requests.log"},
                         tmp.path());
    geo::GeoServiceConfig config;
    config.base_url = "https://127.0.0.1:" + std::to_string(server.port()) + "/ok/geocode";
    config.ca_file = tmp.path() + "cert.pem";  // trusted, so only the fault itself can fail
    config.timeout_ms = 5000;
    RecordingProgress progress;
    geo::Geocoder geocoder(config, progress);
    const std::string cell = geocoder.address("KEY", 0, 48.1, 17.1);
    EXPECT_EQ(cell.rfind("Google Maps problem !!! https://127.0.0.1:", 0), 0u) << cell;

    // The whole stop list: every stop's cell tells the same, the file is whole.
    ScratchFolder scratch(std::string("bad_cert_") + GetParam().name);
    const std::string card = scratch.folder("card") + "/";
    faults::make_fault_card(card);
    stops::StopListOptions options;
    options.geo_delay_ms = 0;
    options.ignore_private = false;
    const std::string csv = scratch.file("stops.CSV");
    stops::write_stop_list(csv, "BA-123AB", card, {{"10/03/09", "100309.GPS"}, {"11/03/09", "110309.GPS"}}, options,
                           geocoder, progress);
    const std::string text = read_whole_file(csv);
    size_t problems = 0;
    for (size_t at = text.find("Google Maps problem !!!"); at != std::string::npos;
         at = text.find("Google Maps problem !!!", at + 1))
        ++problems;
    EXPECT_GE(problems, 4u) << text;
    EXPECT_EQ(text.find("Námestie"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Certificates, BadCertificate,
                         ::testing::Values(CertificateCase{"expired", make_expired_certificate},
                                           CertificateCase{"other_host", make_other_host_certificate}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
