// `tripdesk scan` run as a program, as a user or script runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "card_fixture.h"

using tripdesk::testing::TempFolder;

namespace {

struct RunResult {
    int status;
    std::string out;
};

// Runs tripdesk with the arguments; stderr goes to the same pipe when asked.
RunResult run_tripdesk(const std::string& args, bool with_stderr = false) {
    TempFolder home;
    const std::string cmd = std::string(TRIPDESK_BIN_DIR) + "/tripdesk --home " + home.path() + " " + args +
                            (with_stderr ? " 2>&1" : " 2>/dev/null");
    std::FILE* p = ::popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int rc = ::pclose(p);
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

}  // namespace

TEST(ScanCommand, TextShowsRowsTotalsAndCountLine) {
    TempFolder card;
    tripdesk::testing::make_card(card);
    const RunResult r = run_tripdesk("scan " + card.path() + " --date 2009-03-20");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "01/03/09\t010309.GPS\t\t12.30 km\t87 km/h\t\n"
              "05/03/09\t050309.gps\tSlužobná cesta\t0.50 km\t140 km/h\tRýchlosť prekročená!\n"
              "15/03/09\t150309.GPS\t\t1.00 km\t50 km/h\t\n"
              "02/04/09\t020409.GPS\t\t2.00 km\t50 km/h\t\n"
              "Celkom: 15.8 km\n"
              "Súkromné: 0.0 km\n"
              "Počet záznamov: 4 (vybraných: 1)\n");
}

TEST(ScanCommand, JsonMonthOnlyAndSettings) {
    TempFolder card;
    tripdesk::testing::make_card(card);
    const RunResult r = run_tripdesk("--set FRM_SETEXP.IgnoreSluz=0 --set FRM_MAIN.Koeficient=2 scan " + card.path() +
                           " --date 2009-04-01 --month-only --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"label\":\"BA-123AB\",\"rows\":[{\"date\":\"02/04/09\",\"file\":\"020409.GPS\",\"note\":\"\","
              "\"distance\":\"4.00 km\",\"max_speed\":\"50 km/h\",\"warning\":\"\"}],\"total_km\":4.0,"
              "\"private_km\":0.0,\"count_line\":\"Počet záznamov: 1 (vybraných: 1)\"}\n");
    const RunResult priv = run_tripdesk("--set FRM_SETEXP.IgnoreSluz=0 scan " + card.path() + " --date 2009-03-01 --json");
    EXPECT_NE(priv.out.find("\"private_km\":0.5,"), std::string::npos) << priv.out;
}

TEST(ScanCommand, EmptyAndMissingCards) {
    TempFolder card;
    const RunResult empty = run_tripdesk("scan " + card.path() + " --date 2009-03-01");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "Celkom: 0.0 km\nSúkromné: 0.0 km\nPočet záznamov: 0 (vybraných: 0)\n");

    const RunResult missing = run_tripdesk("scan " + card.file("gone") + " --date 2009-03-01", true);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, " - jednotka: \"" + card.file("gone/") + "\"  nieje dostupná !!!\n");

    EXPECT_EQ(run_tripdesk("scan " + card.path() + " --date 2009-02-30").status, 2);
    EXPECT_EQ(run_tripdesk("scan").status, 2);
}
