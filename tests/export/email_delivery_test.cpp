// The four kinds of message against a real SMTP server (aiosmtpd) that
// records what it receives and decodes the MIME independently.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "export/email_delivery.h"
#include "export/email_settings.h"
#include "export/mail_recording_progress.h"
#include "export/servers/local_server.h"

namespace tripdesk::mail {
namespace {

using tripdesk::testing::read_text;
using tripdesk::testing::RecordingProgress;
using tripdesk::testing::ServerProcess;
using tripdesk::testing::TempDir;
namespace fs = std::filesystem;

const std::string kFooter =
    "Tento email bol vygenerovaný automaticky programom MARVEK7 Tripdesk\r\n"
    "www.marvek7-tripdesk.sk, podpora@marvek7-tripdesk.sk, tel.: +421 2 4000 4700";

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// One received message as the server decoded it.
struct Received {
    std::string dir;
    std::string envelope() const { return read_text(dir + "envelope.txt"); }
    std::string subject() const { return read_text(dir + "subject.txt"); }
    std::string content_type() const { return read_text(dir + "content_type.txt"); }
    std::string body() const { return read_text(dir + "body.txt"); }
    std::string raw() const { return read_text(dir + "raw.eml"); }
    // "name<TAB>type<TAB>encoding" lines in attachment order.
    std::string attachment_list() const { return read_text(dir + "attachments.txt"); }
    std::string attachment(int index, const std::string& name) const {
        return read_text(dir + "attachments/" + std::to_string(index) + "_" + name);
    }
};

// One server per auth configuration; each test reads the messages it caused.
class SmtpServerFixture {
public:
    explicit SmtpServerFixture(std::vector<std::string> args) {
        fs::create_directory(tmp_.path() + "out");
        args.insert(args.end(), {"--out", tmp_.path() + "out"});
        server_ = std::make_unique<ServerProcess>("smtp_server.py", args, tmp_.path());
    }
    int port() const { return server_->port(); }
    int count() const {
        const std::string c = read_text(tmp_.path() + "out/count");
        return c.empty() ? 0 : std::stoi(c);
    }
    Received message(int index) const { return {tmp_.path() + "out/" + std::to_string(index) + "/"}; }
    const std::string& work() const { return tmp_.path(); }

private:
    TempDir tmp_;
    std::unique_ptr<ServerProcess> server_;
};

MailSettings settings_for(int port, const std::string& username = "", const std::string& password = "") {
    MailSettings s;
    s.server.host = "127.0.0.1";
    s.server.port = port;
    s.server.username = username;
    s.server.password = password;
    s.address = "jazdy@firma.sk, uctaren@firma.sk";
    s.sender = "tripdesk@firma.sk";
    s.signature = "Ján Vodič";
    return s;
}

const MailContext kContext{"BA-123AB", "od 01-03-09 do 15-03-09", "15.3.2009 14:05:09"};

class NoAuthServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new SmtpServerFixture({"--auth", "none"}); }
    static void TearDownTestSuite() { delete server; }
    static SmtpServerFixture* server;
    TempDir card;
};
SmtpServerFixture* NoAuthServer::server = nullptr;

TEST_F(NoAuthServer, DayFilesGoWithTheirNotesToEveryAddress) {
    const std::string day1(300, '\x11'), day3 = std::string("\x00\x01\x02\xff\r\n.\r\n", 9) + std::string(5000, 'x');
    write_file(card.path() + "010309.GPS", day1);
    write_file(card.path() + "010309.TXT", "Bratislava - Trnava\r\n\r\nnávrat večer\r\n");
    write_file(card.path() + "020309.txt", "poznámka k chýbajúcemu dňu\n");  // day file missing
    write_file(card.path() + "030309.GPS", day3);
    write_file(card.path() + "030309.TXT", "\r\n\r\n");  // only empty lines
    const std::vector<DayFileRow> rows = {
        {"01/03/09", "010309.GPS", "12.35 km", "87 km/h", ""},
        {"02/03/09", "020309.GPS", "0.00 km", "0 km/h", ""},
        {"03/03/09", "030309.GPS", "101.00 km", "131 km/h", "!!!"},
    };
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome = send_day_files(settings_for(server->port()), kContext, card.path(), rows, progress);

    EXPECT_TRUE(outcome.ok()) << outcome.error;
    EXPECT_EQ(outcome.status, " - email so 3 GPS súbormi (1 vynechaných) bol úspešne odoslaný na email ...");
    EXPECT_EQ(progress.last_status(), outcome.status);
    EXPECT_EQ(progress.titles,
              (std::vector<std::string>{"Posielanie záznamov na email ...", "Čakajte prosím na dokončenie !!"}));
    EXPECT_EQ(progress.max, 5);
    EXPECT_EQ(progress.statuses.at(0), " - pridávanie prílohy do emailu: \"" + card.path() + "010309.GPS\" ...");
    EXPECT_EQ(progress.statuses.at(3), " - prebieha odosielanie emailu na adresu: jazdy@firma.sk, uctaren@firma.sk");

    ASSERT_EQ(server->count(), before + 1);
    const Received m = server->message(before);
    EXPECT_EQ(m.envelope(), "from tripdesk@firma.sk\nto jazdy@firma.sk\nto uctaren@firma.sk\nauth none\n");
    EXPECT_EQ(m.subject(), "SPZ [BA-123AB] - záznamy z MARVEK7");
    EXPECT_EQ(m.content_type(), "multipart/mixed");
    EXPECT_EQ(m.body(),
              "ŠPZ vozidla: BA-123AB, dátum a čas odoslania: 15.3.2009 14:05:09\r\n\r\n"
              "010309.GPS - 01/03/09    Najazdené km: 12.35 km (max. rýchlosť: 87 km/h) \r\n"
              "030309.GPS - 03/03/09    Najazdené km: 101.00 km (max. rýchlosť: 131 km/h) !!!\r\n"
              "\r\n"
              "Komentár k dátumu: 01/03/09\r\nBratislava - Trnava\r\nnávrat večer\r\n\r\n"
              "Komentár k dátumu: 02/03/09\r\npoznámka k chýbajúcemu dňu\r\n"
              "\r\nS pozdravom ...\r\nJán Vodič\r\n\r\n" +
                  kFooter);
    // Note before its day file; a missing day's note is not attached.
    EXPECT_EQ(m.attachment_list(),
              "010309.TXT\tapplication/octet-stream\tbase64\n"
              "010309.GPS\tapplication/octet-stream\tbase64\n"
              "030309.TXT\tapplication/octet-stream\tbase64\n"
              "030309.GPS\tapplication/octet-stream\tbase64\n");
    EXPECT_EQ(m.attachment(1, "010309.GPS"), day1);
    EXPECT_EQ(m.attachment(3, "030309.GPS"), day3);
    EXPECT_EQ(m.attachment(0, "010309.TXT"), "Bratislava - Trnava\r\n\r\nnávrat večer\r\n");
}

TEST_F(NoAuthServer, SelectionWithoutDayFilesSendsPlainTextCountingAllSkipped) {
    write_file(card.path() + "050309.TXT", "\n\n");
    const std::vector<DayFileRow> rows = {{"05/03/09", "050309.GPS", "", "", ""},
                                          {"06/03/09", "060309.GPS", "", "", ""}};
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome = send_day_files(settings_for(server->port()), kContext, card.path(), rows, progress);

    EXPECT_EQ(outcome.status, " - email so 2 GPS súbormi (2 vynechaných) bol úspešne odoslaný na email ...");
    ASSERT_EQ(server->count(), before + 1);
    const Received m = server->message(before);
    EXPECT_EQ(m.content_type(), "text/plain");
    EXPECT_EQ(m.body(),
              "ŠPZ vozidla: BA-123AB, dátum a čas odoslania: 15.3.2009 14:05:09\r\n\r\n"
              "\r\nS pozdravom ...\r\nJán Vodič\r\n\r\n" +
                  kFooter);
}

TEST_F(NoAuthServer, MissingExportFileIsReportedButTheMessageStillGoes) {
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome = send_export_copy(ExportCopy::kml, settings_for(server->port()), kContext,
                                                 card.path() + "BA-123AB_(01-03-09_15-03-09).kml", progress);
    EXPECT_EQ(outcome.status, " - chyba pri odosielaní emailu: Chyba pri vkladaní prílohy!");
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(progress.titles, std::vector<std::string>{"Posielanie KML výstupu na email"});
    ASSERT_EQ(server->count(), before + 1);
    const Received m = server->message(before);
    EXPECT_EQ(m.subject(), "SPZ [BA-123AB] - výstup pre Google Earth");
    EXPECT_EQ(m.content_type(), "text/plain");
    EXPECT_EQ(m.body(),
              "ŠPZ vozidla: BA-123AB, dátum a čas odoslania: 15.3.2009 14:05:09\r\n\r\n"
              "Súbor obsahuje údaje za obdobie: od 01-03-09 do 15-03-09\r\n"
              "Názov súboru v prílohe: BA-123AB_(01-03-09_15-03-09).kml\r\n\r\n"
              "S pozdravom ...\r\nJán Vodič\r\n\r\n" +
                  kFooter);
}

TEST_F(NoAuthServer, HtmlPagesThatExistAreAttachedAndAllAreCounted) {
    write_file(card.path() + "BA-123AB_010309.html", "<html>één</html>");
    const std::vector<std::string> pages = {card.path() + "BA-123AB_010309.html", card.path() + "BA-123AB_020309.html"};
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome = send_html_pages(settings_for(server->port()), kContext, pages, progress);
    EXPECT_EQ(outcome.status, " - email so 2 súbormi bol úspešne odoslaný ...");
    EXPECT_EQ(progress.max, 4);
    ASSERT_EQ(server->count(), before + 1);
    const Received m = server->message(before);
    EXPECT_EQ(m.subject(), "SPZ [BA-123AB] - výstup Google Maps");
    EXPECT_EQ(m.body(),
              "ŠPZ vozidla: BA-123AB, dátum a čas odoslania: 15.3.2009 14:05:09\r\n"
              "Súbor obsahuje údaje za obdobie: od 01-03-09 do 15-03-09\r\n\r\n"
              "S pozdravom ...\r\nJán Vodič\r\n\r\n" +
                  kFooter);
    EXPECT_EQ(m.attachment_list(), "BA-123AB_010309.html\tapplication/octet-stream\tbase64\n");
    EXPECT_EQ(m.attachment(0, "BA-123AB_010309.html"), "<html>één</html>");
}

TEST_F(NoAuthServer, ExportCopyGoesOnlyWhenItsOptionIsOn) {
    write_file(card.path() + "a.kml", "<kml/>");
    app::Settings settings;
    settings.email.Host = "127.0.0.1";
    settings.email.Port = server->port();
    settings.email.Username.clear();
    settings.email.Address = "x@firma.sk";
    settings.frm_setexp.EmailKJ = true;  // the logbook's option says nothing about KML
    const int before = server->count();
    RecordingProgress progress;
    EXPECT_FALSE(send_copy_when_enabled(ExportCopy::kml, settings, kContext, card.path() + "a.kml", progress));
    EXPECT_EQ(server->count(), before);
    settings.frm_setexp.EmailKML = true;
    const auto outcome = send_copy_when_enabled(ExportCopy::kml, settings, kContext, card.path() + "a.kml", progress);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->status, " - email so súborom a.kml bol úspešne odoslaný ...");
    ASSERT_EQ(server->count(), before + 1);
    EXPECT_EQ(server->message(before).envelope(), "from " + settings.email.Sender + "\nto x@firma.sk\nauth none\n");
}

TEST_F(NoAuthServer, LabelFromTheCardCannotAddHeaders) {
    const int before = server->count();
    RecordingProgress progress;
    MailContext context = kContext;
    context.vehicle = "ŽA-1\r\nBcc: evil@example.com";
    send_day_files(settings_for(server->port()), context, card.path(), {}, progress);
    ASSERT_EQ(server->count(), before + 1);
    const Received m = server->message(before);
    EXPECT_EQ(m.subject(), "SPZ [ŽA-1Bcc: evil@example.com] - záznamy z MARVEK7");
    EXPECT_EQ(m.raw().find("\r\nBcc:"), std::string::npos);
    EXPECT_EQ(m.envelope(), "from tripdesk@firma.sk\nto jazdy@firma.sk\nto uctaren@firma.sk\nauth none\n");
}

TEST_F(NoAuthServer, UserNameWithoutAuthOnTheServerSendsWithoutLogin) {
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome =
        send_html_pages(settings_for(server->port(), "user", "secret"), kContext, {}, progress);
    EXPECT_TRUE(outcome.ok()) << outcome.error;
    ASSERT_EQ(server->count(), before + 1);
    EXPECT_NE(server->message(before).envelope().find("auth none"), std::string::npos);
}

TEST(SmtpFailures, ServerDownIsAConnectionFailure) {
    RecordingProgress progress;
    const MailOutcome outcome =
        send_html_pages(settings_for(tripdesk::testing::unused_port()), kContext, {}, progress);
    EXPECT_EQ(outcome.status, " - chyba pri odosielaní emailu: zlyhalo spojenie s SMTP !!!");
}

class LoginServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new SmtpServerFixture({"--auth", "login", "--user", "jan", "--password", "tajné"}); }
    static void TearDownTestSuite() { delete server; }
    static SmtpServerFixture* server;
    TempDir card;
};
SmtpServerFixture* LoginServer::server = nullptr;

TEST_F(LoginServer, LogbookCopyLogsInWithAuthLogin) {
    write_file(card.path() + "kj.txt", "1;2;3\r\n");
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome = send_export_copy(ExportCopy::logbook, settings_for(server->port(), "jan", "tajné"),
                                                 kContext, card.path() + "kj.txt", progress);
    EXPECT_EQ(outcome.status, " - email so súborom kj.txt bol úspešne odoslaný ...");
    EXPECT_EQ(progress.titles, std::vector<std::string>{"Posielanie KJ výstupu na email ..."});
    ASSERT_EQ(server->count(), before + 1);
    const Received m = server->message(before);
    EXPECT_EQ(m.envelope(), "from tripdesk@firma.sk\nto jazdy@firma.sk\nto uctaren@firma.sk\nauth LOGIN jan\n");
    EXPECT_EQ(m.subject(), "SPZ [BA-123AB] - výstup pre Knihu Jázd");
    EXPECT_EQ(m.attachment(0, "kj.txt"), "1;2;3\r\n");
}

TEST_F(LoginServer, RefusedLoginIsReportedAndNothingIsSent) {
    const int before = server->count();
    RecordingProgress progress;
    const MailOutcome outcome =
        send_html_pages(settings_for(server->port(), "jan", "zlé heslo"), kContext, {}, progress);
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.status.rfind(" - chyba pri odosielaní emailu: ", 0), 0u);
    EXPECT_GT(outcome.error.size(), 0u);
    EXPECT_EQ(server->count(), before);
}

TEST_F(LoginServer, NoUserNameSendsWithoutLogin) {
    const int before = server->count();
    RecordingProgress progress;
    EXPECT_TRUE(send_html_pages(settings_for(server->port()), kContext, {}, progress).ok());
    ASSERT_EQ(server->count(), before + 1);
    EXPECT_NE(server->message(before).envelope().find("auth none"), std::string::npos);
}

TEST(SmtpAuthMechanisms, ServerWithoutLoginMechanismGetsTheMessageWithoutLogin) {
    SmtpServerFixture server({"--auth", "plain"});
    RecordingProgress progress;
    const MailOutcome outcome = send_html_pages(settings_for(server.port(), "user", "secret"), kContext, {}, progress);
    EXPECT_TRUE(outcome.ok()) << outcome.error;
    ASSERT_EQ(server.count(), 1);
    EXPECT_NE(server.message(0).envelope().find("auth none"), std::string::npos);
}

TEST(SmtpStartTls, LoginGoesOverStartTlsWhenTheServerOffersIt) {
    TempDir certs;
    tripdesk::testing::make_self_signed_certificate(certs.path());
    // The server offers AUTH only after STARTTLS and refuses mail before it.
    SmtpServerFixture server({"--auth", "login", "--user", "jan", "--password", "tajné", "--tls-cert",
                              certs.path() + "cert.pem", "--tls-key", certs.path() + "key.pem"});
    MailSettings settings = settings_for(server.port(), "jan", "tajné");
    settings.server.ca_file = certs.path() + "cert.pem";
    RecordingProgress progress;
    const MailOutcome outcome = send_html_pages(settings, kContext, {}, progress);
    EXPECT_TRUE(outcome.ok()) << outcome.error;
    ASSERT_EQ(server.count(), 1);
    EXPECT_NE(server.message(0).envelope().find("auth LOGIN jan"), std::string::npos);
}

}  // namespace
}  // namespace tripdesk::mail
