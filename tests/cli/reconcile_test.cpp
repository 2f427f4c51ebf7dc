#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "core/test_folder.h"

namespace quorvel {
namespace {

// The demo month against its statement in each format, with the fund savings account given
// on the command line: everything matches and the books agree.
TEST(CliReconcile, DemoMonthAgreesWithItsStatementInEitherFormat) {
    test::TestFolder folder;
    const std::string demo = std::string(QUORVEL_SOURCE_DIR) + "/demo";
    const std::string tail =
        "Other accounts (1)\n"
        "  Fund Savings                           53139.60\n"
        "\n"
        "Provisional: 22 proposed matches, not yet confirmed, count as cleared\n"
        "Statement balance                      16213.05\n"
        "+ Deposits in transit                    265.00\n"
        "- Outstanding cheques                    351.55\n"
        "+ Other accounts                       53139.60\n"
        "= Reconciled balance                   69266.10\n"
        "Book balance (remaining balance)       69266.10\n"
        "Difference (the books agree)               0.00\n";
    for (const char* statement : {"DEC2026-statement.csv", "DEC2026-statement.ofx"}) {
        const auto run = test::runCli(folder, {"reconcile", demo + "/DEC2026.rep", demo + "/" + statement,
                                               "--other", "Fund Savings", "53,139.60"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("Matched (22)\n"), std::string::npos) << statement;
        EXPECT_TRUE(run.out.ends_with(tail)) << run.out;
    }
    // Last month's damaged reconciliation is told, and the month still reconciles.
    for (const char* name : {"DEC2026.rep", "DEC2026.jrn"})
        std::filesystem::copy_file(demo + "/" + name, folder.path(name));
    test::writeFile(folder.path("NOV2026.rec"), "damaged\n");
    const auto warned =
        test::runCli(folder, {"reconcile", folder.path("DEC2026.rep"), demo + "/DEC2026-statement.csv",
                              "--other", "Fund Savings", "53,139.60"});
    EXPECT_EQ(warned.status, 0);
    EXPECT_TRUE(warned.out.ends_with(tail)) << warned.out;
    EXPECT_TRUE(warned.err.starts_with("quorvel-cli: warning: " + folder.path("NOV2026.rec") + ": line 1"))
        << warned.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path("DEC2026.rec")));
    test::writeFile(folder.path("bad.csv"), "Date,Amount,Balance\n12/01/2026,abc,1\n");
    const auto bad = test::runCli(folder, {"reconcile", demo + "/DEC2026.rep", folder.path("bad.csv")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "quorvel-cli: line 2 of bad.csv: the amount \"abc\" is not an amount\n");
}

}  // namespace
}  // namespace quorvel
