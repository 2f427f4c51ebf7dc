// quorvel-cli's summary, actions, audit and reconcile commands, run as the user runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/cli_run.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/audit_trail.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

using test::CliRun;
using test::readFile;
using test::runCli;
using test::TestFolder;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        month = folder.path("DEC2026.rep");
        Ledger ledger = test::sampleLedger();
        ledger.BudgetAcctName[2] = "Caf\xE9 \x80 Utility";  // Windows-1252 e-acute and euro sign
        test::writeMonth(
            ledger, month,
            {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
             test::keyed("DD", "01234", Money::cents(2500)), test::bx("102", Money::cents(995), "ck 2"),
             test::keyed("SX", "11111", Money::cents(1250))});
    }

    TestFolder folder;
    std::string month;
};

// The figures are the core's; the command loads the month with its journal, prints, and
// writes nothing, not even a journal for a month without one.
TEST_F(CliTest, SummaryPrintsTheMainWindowsLinesAndChangesNoFile) {
    std::string shown;
    for (const std::string& line : monthSummaryLines(test::loadMonth(month).ledger)) shown += line + "\n";
    const CliRun run = runCli(folder, {"summary", month});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, shown);
    EXPECT_NE(run.out.find("Other sources"), std::string::npos);  // the journal was replayed

    std::filesystem::remove(folder.path("DEC2026.jrn"));
    const std::string before = readFile(month);
    EXPECT_EQ(runCli(folder, {"summary", month}).status, 0);
    EXPECT_EQ(runCli(folder, {"actions", month}).status, 0);
    EXPECT_EQ(readFile(month), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

TEST_F(CliTest, ActionsListAndItsFilters) {
    const std::string heading = "                - Actions Taken for This Report -\n";
    // clang-format off
    const std::string
        l1 = "Budget Expenditure       101 Pastor, Salary                    40.00        ck 1       001\n",
        l2 = "Deposit -                                                     500.00                   002\n",
        l3 = "Designation -                Memorial Fund                     25.00                   003\n",
        l4 = "Budget Expenditure       102 Caf\u00e9 \u20ac Utility                     9.95        ck 2"
             "       004\n",
        l5 = "Note Deposit Source          Bake Sale                         12.50                   005\n";
    // clang-format on
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"actions", month}, heading + l1 + l2 + l3 + l4 + l5},
        {{"actions", month, "--cash"}, heading + l1 + l2 + l4},  // expenditures and deposits only
        {{"actions", "--filter", "102", month}, heading + l4},
        {{"actions", "--filter", "  102", month}, heading + l4},
    };
    for (const auto& [args, out] : runs) {
        const CliRun run = runCli(folder, args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, out) << args[2];
    }
}

TEST_F(CliTest, UnreadableMonthGivesOneMessageAndNoOutput) {
    const std::string damaged = folder.path("BAD.rep");
    test::writeFile(damaged, readFile(month).substr(0, 500));
    // A byte lost in the second record: figures from part of the journal would be wrong.
    const std::string shifted = folder.path("SHIFTED.rep");
    std::filesystem::copy_file(month, shifted);
    test::writeFile(folder.path("SHIFTED.jrn"), readFile(folder.path("DEC2026.jrn")).erase(40, 1));
    const std::string shiftedSays =
        folder.path("SHIFTED.jrn") +
        " is damaged: action record 2 is not an action record, so only the 1 record "
        "before it was read.";
    const struct {
        std::vector<std::string> args;
        std::string expected;
    } cases[] = {
        {{"summary", folder.path("MISSING.rep")}, folder.path("MISSING.rep") + ": No such file or directory"},
        {{"summary", damaged}, damaged + ": not a readable month file: field "},
        {{"actions", damaged}, "the file ends early"},
        {{"summary", shifted}, shiftedSays},
        {{"actions", shifted}, shiftedSays},
        {{"summary"}, "summary takes exactly one month file"},
        {{"actions", month, "--filter", "123456"}, "one to five characters"},
        {{"actions", month, "--bogus"}, "unknown option --bogus"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{}, "no command given"},
    };
    for (const auto& c : cases) test::expectRefused(runCli(folder, c.args), c.expected);
    EXPECT_FALSE(std::filesystem::exists(folder.path("BAD.jrn")));
}

// A month file could send escape sequences to the terminal through its names or its own name.
TEST_F(CliTest, ControlCharactersInNamesPrintEscaped) {
    const std::string named = folder.path("E\x1B[2J.rep");
    std::string bytes = readFile(month);
    bytes.replace(bytes.find("Pastor, Salary"), 14, "Pastor\x1B]0;x\x07\x7F");
    test::writeFile(named, bytes);
    test::writeFile(folder.path("E\x1B[2J.jrn"), readFile(folder.path("DEC2026.jrn")));
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"summary", named}, "E\\x1B[2J.rep"},
        {{"actions", named}, "Pastor\\x1B]0;x\\x07\\x7F"},
        {{"summary", named + "x"}, "E\\x1B[2J.repx"},  // the message on standard error
    };
    for (const auto& [args, escaped] : cases) {
        const CliRun run = runCli(folder, args);
        const std::string shown = run.out + run.err;
        EXPECT_EQ(shown.find_first_of("\x1B\x07\x7F"), std::string::npos) << shown;
        EXPECT_NE(shown.find(escaped), std::string::npos) << shown;
    }
}

TEST_F(CliTest, AuditPrintsTheTrailAndSaysWhatIsMissingOrDamaged) {
    const CliRun missing = runCli(folder, {"audit", month});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("DEC2026.aud does not exist"), std::string::npos) << missing.err;

    const std::string trail = folder.path("DEC2026.aud");
    ASSERT_TRUE(appendAuditEntry(trail, {"2026-12-06 14:03:27 +0100",
                                         "anna\x1B[2J",
                                         "Rename source",
                                         "",
                                         {{"source 11111", "Bake Sale", "Caf\xE9 \x80"}}})
                    .ok());
    const std::string shown =
        "2026-12-06 14:03:27 +0100  anna\\x1B[2J  Rename source\n"
        "    source 11111\n"
        "        before: Bake Sale\n"
        "        after:  Caf\u00e9 \u20ac\n";
    const CliRun whole = runCli(folder, {"audit", month});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(whole.out, shown);
    EXPECT_EQ(whole.err, "");

    test::writeFile(trail, readFile(trail) + "not an entry\n");
    const CliRun damaged = runCli(folder, {"audit", month});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.out, shown);
    EXPECT_NE(damaged.err.find("DEC2026.aud is damaged: line 3 is not an audit entry"), std::string::npos)
        << damaged.err;
}

TEST_F(CliTest, HelpAndVersion) {
    const CliRun help = runCli(folder, {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word :
         {"summary MONTH.rep", "actions MONTH.rep", "audit MONTH.rep", "--cash", "--filter KEY", "--version"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    const CliRun version = runCli(folder, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("quorvel-cli ") + QUORVEL_VERSION + "\n");
}

// The demo month against its statement in each format, with the fund savings account given
// on the command line: everything matches and the books agree.
TEST(CliReconcile, DemoMonthAgreesWithItsStatementInEitherFormat) {
    TestFolder folder;
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
    // Last month's damaged reconciliation is told, and the month still reconciles.
    for (const char* name : {"DEC2026.rep", "DEC2026.jrn"})
        std::filesystem::copy_file(demo + "/" + name, folder.path(name));
    test::writeFile(folder.path("NOV2026.rec"), "damaged\n");
    const struct {
        std::string month, statement, warning;
    } runs[] = {{demo + "/DEC2026.rep", demo + "/DEC2026-statement.csv", ""},
                {demo + "/DEC2026.rep", demo + "/DEC2026-statement.ofx", ""},
                {folder.path("DEC2026.rep"), demo + "/DEC2026-statement.csv",
                 "quorvel-cli: warning: " + folder.path("NOV2026.rec") + ": line 1"}};
    for (const auto& r : runs) {
        const CliRun run =
            runCli(folder, {"reconcile", r.month, r.statement, "--other", "Fund Savings", "53,139.60"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("Matched (22)\n"), std::string::npos) << r.statement;
        EXPECT_TRUE(run.out.ends_with(tail)) << run.out;
        EXPECT_TRUE(run.err.starts_with(r.warning) && run.err.empty() == r.warning.empty()) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path("DEC2026.rec")));
    test::writeFile(folder.path("bad.csv"), "Date,Amount,Balance\n12/01/2026,abc,1\n");
    const auto bad = runCli(folder, {"reconcile", demo + "/DEC2026.rep", folder.path("bad.csv")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "quorvel-cli: line 2 of bad.csv: the amount \"abc\" is not an amount\n");
}

}  // namespace
}  // namespace quorvel
