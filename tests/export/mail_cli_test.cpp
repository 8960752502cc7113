// `tripdesk mail` and `tripdesk export stops` run as the user runs them,
// against the recording SMTP server and the local HTTPS server.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "export/servers/local_server.h"
#include "track/day_file_writer.h"

namespace tripdesk {
namespace {

using tripdesk::testing::read_text;
using tripdesk::testing::ServerProcess;
using tripdesk::testing::TempDir;
using track::DayFileWriter;
using track::fix;

struct CommandRun {
    int status = -1;
    std::string out, err;
};

CommandRun tripdesk(const std::string& work, std::vector<std::string> args) {
    const std::string out = work + "stdout.txt", err = work + "stderr.txt";
    std::string command = std::string(TRIPDESK_BIN_DIR) + "/tripdesk";
    for (const auto& a : args) command += " '" + a + "'";
    command += " >'" + out + "' 2>'" + err + "' </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_text(out), read_text(err)};
}

class Commands : public ::testing::Test {
protected:
    TempDir home, card, work;

    void SetUp() override {
        for (int day : {1, 2}) {
            DayFileWriter f(track::kMarkerWithKey);
            f.add(fix(day, 3, 2009).time(8, 0, 0).speed(30).lat(48.25f).lon(17.5f));
            f.add(fix(day, 3, 2009).time(8, 30, 0).speed(50).trian(123456).lat(48.5f).lon(17.75f));
            f.save(card.path() + track::day_file_name(day, 3, 9));
        }
        std::ofstream(card.path() + "_image.inf") << "BA-123AB\n";
    }

    std::vector<std::string> base(std::vector<std::string> sets) const {
        std::vector<std::string> args = {"--home", home.path()};
        for (auto& s : sets) args.insert(args.end(), {"--set", s});
        return args;
    }
};

TEST_F(Commands, MailSendsTheSelectedDayFiles) {
    TempDir spool;
    std::filesystem::create_directory(spool.path() + "out");
    ServerProcess server("smtp_server.py", {"--out", spool.path() + "out"}, spool.path());
    auto args = base({"EMAIL.Host=127.0.0.1", "EMAIL.Port=" + std::to_string(server.port()), "EMAIL.Username=",
                      "EMAIL.Address=a@firma.sk,b@firma.sk", "EMAIL.Sender=t@firma.sk"});
    args.insert(args.end(), {"mail", card.path(), "--from", "2009-03-01", "--to", "2009-03-03"});
    const CommandRun run = tripdesk(work.path(), args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " - email so 2 GPS súbormi (0 vynechaných) bol úspešne odoslaný na email ...\n");
    EXPECT_EQ(read_text(spool.path() + "out/0/subject.txt"), "SPZ [BA-123AB] - záznamy z MARVEK7");
    EXPECT_EQ(read_text(spool.path() + "out/0/attachments.txt"),
              "010309.GPS\tapplication/octet-stream\tbase64\n020309.GPS\tapplication/octet-stream\tbase64\n");
}

TEST_F(Commands, MailFailureIsExitStatusOneWithTheErrorText) {
    auto args = base({"EMAIL.Host=127.0.0.1", "EMAIL.Port=" + std::to_string(testing::unused_port())});
    args.insert(args.end(), {"mail", card.path(), "--from", "2009-03-01", "--to", "2009-03-01"});
    const CommandRun run = tripdesk(work.path(), args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, " - chyba pri odosielaní emailu: zlyhalo spojenie s SMTP !!!\n");
}

TEST_F(Commands, LogbookAndKmlExportsSendTheirCopyWhenTheOptionIsOn) {
    TempDir spool;
    std::filesystem::create_directory(spool.path() + "out");
    ServerProcess server("smtp_server.py", {"--out", spool.path() + "out"}, spool.path());
    const struct {
        const char* kind;
        const char* option;
        const char* subject;
    } cases[] = {{"logbook", "FRM_SETEXP.EmailKJ=1", "SPZ [BA-123AB] - výstup pre Knihu Jázd"},
                 {"kml", "FRM_SETEXP.EmailKML=1", "SPZ [BA-123AB] - výstup pre Google Earth"}};
    int sent = 0;
    for (const auto& c : cases) {
        const std::string file = work.path() + c.kind + ".out";
        auto args = base({"EMAIL.Host=127.0.0.1", "EMAIL.Port=" + std::to_string(server.port()), "EMAIL.Username=",
                          c.option});
        args.insert(args.end(), {"export", c.kind, card.path(), "--from", "2009-03-01", "--to", "2009-03-02", "-o", file});
        CommandRun run = tripdesk(work.path(), args);
        ASSERT_EQ(run.status, 0) << c.kind << run.err;
        const std::string written = run.out.substr(0, run.out.find('\n'));
        const std::string name = written.substr(written.rfind('/') + 1);
        EXPECT_EQ(run.out, written + "\n - email so súborom " + name + " bol úspešne odoslaný ...\n");
        const std::string dir = spool.path() + "out/" + std::to_string(sent++) + "/";
        EXPECT_EQ(read_text(dir + "subject.txt"), c.subject);
        EXPECT_EQ(read_text(dir + "attachments/0_" + name), read_text(written));

        // A failed copy leaves the file and makes the exit status 1.
        args = base({"EMAIL.Host=127.0.0.1", "EMAIL.Port=" + std::to_string(tripdesk::testing::unused_port()), c.option});
        args.insert(args.end(), {"export", c.kind, card.path(), "--from", "2009-03-01", "--to", "2009-03-02", "-o", file});
        run = tripdesk(work.path(), args);
        EXPECT_EQ(run.status, 1) << c.kind;
        EXPECT_EQ(run.out, written + "\n - chyba pri odosielaní emailu: zlyhalo spojenie s SMTP !!!\n");
    }
    // Off (the default): no message.
    auto args = base({"EMAIL.Host=127.0.0.1", "EMAIL.Port=" + std::to_string(server.port())});
    args.insert(args.end(), {"export", "kml", card.path(), "--from", "2009-03-01", "--to", "2009-03-02", "-o",
                             work.path() + "off.kml"});
    EXPECT_EQ(tripdesk(work.path(), args).status, 0);
    EXPECT_FALSE(std::filesystem::exists(spool.path() + "out/2"));
}

TEST_F(Commands, StopListWithAddressesFromTheService) {
    TempDir certs;
    testing::make_self_signed_certificate(certs.path());
    ServerProcess server("https_server.py",
                         {"--cert", certs.path() + "cert.pem", "--key", certs.path() + "key.pem", "--log",
                          certs.path() + "log"},
                         certs.path());
    auto args = base({"FRM_MAIN.GeoService=https://127.0.0.1:" + std::to_string(server.port()) + "/ok/geo",
                      "FRM_MAIN.GeoCaFile=" + certs.path() + "cert.pem", "FRM_MAIN.GeoDelay=1",
                      "FRM_MAIN.CisloDel=,", "FRM_MAIN.DatumDel=.", "FRM_SETEXP.TimeOffMRP=0",
                      "FRM_SETPRG.GmapsKey=K", "FRM_SETEXP.OutputDirHTML=" + work.path() + "html"});
    std::filesystem::create_directory(work.path() + "html");
    args.insert(args.end(), {"export", "stops", card.path(), "--from", "2009-03-02", "--to", "2009-03-02"});
    const CommandRun run = tripdesk(work.path(), args);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string path = work.path() + "html/BA-123AB_(02-03-09).CSV";
    EXPECT_EQ(run.out, path + "\n");
    const std::string csv = read_text(path);
    EXPECT_NE(csv.find("\r\n001;02.03.2009;00:00:00;08:00:00;08:00:00;28800;00:00:00;0;0,00;0,00;30;30;"
                       "\"Námestie 48.250000,17.500000 & okolie\"\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n002;02.03.2009;08:00:00;08:30:00;00:30:00;1800;00:00:00;0;12,35;0,00;50;50;"),
              std::string::npos)
        << csv;
    const std::string log = read_text(certs.path() + "log");
    EXPECT_EQ(log.substr(0, log.find('\t')), "/ok/geo?latlng=48.250000,17.500000&key=K");
}

}  // namespace
}  // namespace tripdesk
