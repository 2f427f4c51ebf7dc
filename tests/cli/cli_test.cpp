// quorvel-cli's commands, run as the user runs them: summary, actions, audit, report, export and
// reconcile. The report and export files are those the core composes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "cli/cli_run.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "export/export_file.h"
#include "export/ledger_export.h"
#include "ledger/audit_trail.h"
#include "ledger/text_fields.h"
#include "report/report_file.h"
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

    CliRun report(std::vector<std::string> args) {
        args.insert(args.begin(), "report");
        return runCli(folder, std::move(args));
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
    const std::string shiftedSays = folder.path("SHIFTED.jrn") +
                                    " is damaged: action record 2 is not an action record, so only the 1 "
                                    "record before it was read.";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
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
    for (const auto& [args, says] : cases) test::expectRefused(runCli(folder, args), says);
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
    const auto audit = [this](int status, const std::string& out, const std::string& says) {
        const CliRun run = runCli(folder, {"audit", month});
        EXPECT_EQ(run.status, status) << run.err;
        EXPECT_EQ(run.out, out);
        EXPECT_TRUE(says.empty() ? run.err.empty() : run.err.find(says) != std::string::npos) << run.err;
    };
    audit(0, "", "DEC2026.aud does not exist");
    const std::string trail = folder.path("DEC2026.aud");
    // clang-format off
    ASSERT_TRUE(appendAuditEntry(trail, {"2026-12-06 14:03:27 +0100", "anna\x1B[2J", "Rename source", "",
                                         {{"source 11111", "Bake Sale", "Caf\xE9 \x80"}}}).ok());
    // clang-format on
    const std::string shown =
        "2026-12-06 14:03:27 +0100  anna\\x1B[2J  Rename source\n"
        "    source 11111\n"
        "        before: Bake Sale\n"
        "        after:  Caf\u00e9 \u20ac\n";
    audit(0, shown, "");
    test::writeFile(trail, readFile(trail) + "not an entry\n");
    audit(1, shown, "DEC2026.aud is damaged: line 3 is not an audit entry");
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

// Over an older file, without titles the default title is used.
TEST_F(CliTest, ReportWritesTheFilesTheWindowWrites) {
    ReportEntries entries;
    entries.titles = {"First Church", "Caf\xE9 Hall \x80", ""};
    entries.accountNames = {"Checking", "Savings", "", "", ""};
    entries.accountAmounts = {"1000.00", "450.81", "", "", ""};  // as the boxes settle them
    const std::vector<std::string> titled = {"--title",   "First Church", "--title", "Caf\u00e9 Hall \u20ac",
                                             "--account", "Checking",     "1000",    "--account",
                                             "Savings",   "450.805"};
    const struct {
        std::vector<std::string> options;
        ReportEntries entries;
        ReportFileKind kind;
    } cases[] = {
        {titled, entries, ReportFileKind::Monthly},
        {{"--annual"}, {}, ReportFileKind::Annual},
        {{}, {}, ReportFileKind::Monthly},
    };
    const std::string out = folder.path("report.txt");
    for (const auto& c : cases) {
        test::writeFile(out, "an older report");
        std::vector<std::string> args = {month, "--out", out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun run = report(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        Ledger ledger =
            test::loadMonth(month).ledger;  // the file the window writes, from the month as loaded
        EXPECT_EQ(readFile(out), reportFileText(ledger, c.entries, c.kind)) << c.options.size();
    }
}

// Nothing is written on a refusal; `--out DEC2026.jrn` once replaced the month's journal.
TEST_F(CliTest, ReportAndExportRefusalsWriteNothing) {
    const std::string out = folder.path("report.txt");
    const std::string journal = folder.path("DEC2026.jrn");
    std::filesystem::create_hard_link(journal, folder.path("linked.txt"));
    const std::string rep = readFile(month);
    const std::string records = readFile(journal);
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{month}, "report needs --out FILE"},
        {{"--out", out}, "report needs a month file"},
        {{month, "--out"}, "--out needs a file name"},
        {{month, "--out", out, "--title", "1", "--title", "2", "--title", "3", "--title", "4"},
         "at most three --title lines"},
        {{month,       "--out", out, "--account", "a", "1", "--account", "b", "2", "--account", "c", "3",
          "--account", "d",     "4", "--account", "e", "5", "--account", "f", "6"},
         "at most five --account entries"},
        {{month, "--out", out, "--account", "Checking"}, "--account needs a name and an amount"},
        {{month, "--out", out, "--title", "\u0141\u00f3d\u017a"}, "Windows-1252"},
        {{month, "--out", out, "--title", "\xff\xfe"}, "Windows-1252"},
        {{month, "--out", out, "--copies", "2"}, "unknown option --copies"},
        {{month, month, "--out", out}, "report takes one month file"},
        {{month, "--out", out, "--pdf", "--annual"}, "no annual form"},
        {{folder.path("NOV2026.rep"), "--out", out}, "NOV2026.rep"},
        {{folder.path("NOV2026.rep"), "--out", out, "--pdf"}, "NOV2026.rep"},
        {{month, "--out", folder.path("no folder/report.txt")}, "no folder/report.txt"},
    };
    for (const char* pdf : {"", "--pdf"}) {
        for (const std::string& own :
             {journal, month, folder.path("dec2026.REP.bak"), folder.path("linked.txt")}) {
            cases.push_back({{month, "--out", own}, "A report may not be written there"});
            if (*pdf) cases.back().first.push_back(pdf);
        }
    }
    for (const auto& [args, says] : cases) {
        test::expectRefused(report(args), says);
        EXPECT_FALSE(std::filesystem::exists(out)) << says;
    }
    const std::string csv = folder.path("out.csv");
    const std::pair<std::vector<std::string>, std::string> exports[] = {
        {{"export", month}, "export needs one of --actions"},
        {{"export", "--funds"}, "export needs a month file"},
        {{"export", month, "--funds", "--ledger"}, "export writes one of"},
        {{"export", month, "--funds", "--out"}, "--out needs a file name"},
        {{"export", month, "--funds", "--csv"}, "unknown option --csv"},
        {{"export", month, month, "--funds"}, "export takes one month file"},
        {{"export", folder.path("NOV2026.rep"), "--funds", "--out", csv}, "NOV2026.rep"},
        {{"export", month, "--funds", "--out", folder.path("no folder/out.csv")}, "no folder/out.csv"},
        {{"export", month, "--ledger", "--out", journal}, "may not be written there"},
        {{"export", month, "--actions", "--out", month}, "may not be written there"},
        {{"export", month, "--budget", "--out", folder.path("dec2026.REP.bak")}, "may not be written there"},
    };
    for (const auto& [args, says] : exports) test::expectRefused(runCli(folder, args), says);
    EXPECT_FALSE(std::filesystem::exists(csv));
    EXPECT_EQ(readFile(month), rep);
    EXPECT_EQ(readFile(journal), records);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 3);
}

TEST_F(CliTest, ReportPdfIsThePrintedReport) {
    const std::string rep = readFile(month);
    const std::string out = folder.path("report.pdf");
    const CliRun run = report({month, "--out", out, "--pdf", "--account", "Checking", "1475.75"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const std::string pdf = readFile(out);
    EXPECT_TRUE(pdf.starts_with("%PDF-") && pdf.ends_with("%%EOF\n")) << pdf.substr(pdf.size() - 10);
    int pages = 0;  // page objects, not the page tree ("/Type /Pages")
    for (auto at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_EQ(pages, 2);  // the budget accounts always start a page of their own
    EXPECT_EQ(readFile(month), rep);
}

// export: each export as the core writes it, and the ledger journal read by ledger itself,
// whose balances must be the month summary's and the budget table's figures.
class ExportCliTest : public CliTest {
protected:
    void SetUp() override {
        month = folder.path("DEC2026.rep");
        std::filesystem::copy(std::string(QUORVEL_SOURCE_DIR) + "/demo", folder.path("demo"));
        Ledger awkward = test::sampleLedger();
        awkward.BudgetAcctName[2] = "Utilities; Gas: Water  (Hall)";
        awkward.BudgetAcctName[3] = "Caf\xE9 \x80uro";
        awkward.DesigAcctName[1] = "Memorial  Fund: A";
        test::writeMonth(
            awkward, month,
            {test::bx("101", Money::cents(4000), "ck \"7\";x"), test::keyed("DP", "", Money::cents(50000)),
             test::keyed("DD", "01234", Money::cents(2500)),
             test::keyed("SX", "11111", Money::fromUnits(123456)), test::to("102", Money::cents(1000)),
             test::keyed("TI", "20000", Money::cents(1000)), cancelledRecord(CancelReason::Canceled),
             test::bx("999", Money::cents(500)), test::keyed("DX", "20000", Money::cents(50)),
             test::bx("7", Money::fromUnits(33)), test::to("7", Money::cents(300))});
    }

    // Account -> balance as ledger reports it, alone (no init file, no environment).
    std::map<std::string, Money> balances(const std::string& journal, std::vector<std::string> query) {
        const std::string format = "%(scrub(display_total))|%(account)\n";
        std::vector<std::string> args = {"ledger",     "--args-only",      "-f",   journal,  "--flat",
                                         "--no-total", "--balance-format", format, "balance"};
        args.insert(args.end(), query.begin(), query.end());
        const CliRun run = test::runProgram(folder, args);
        EXPECT_EQ(run.status, 0) << "ledger (Debian package ledger, installed by ./test): " << run.err;
        EXPECT_EQ(run.err, "");
        std::map<std::string, Money> result;
        for (std::size_t at = 0, end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1) {
            const std::string line = run.out.substr(at, end - at);
            const std::size_t bar = line.find('|');
            const auto amount = Money::parseExact(line.substr(0, bar));
            EXPECT_TRUE(bar != std::string::npos && amount) << line;
            if (amount) result[line.substr(bar + 1)] = *amount;
        }
        return result;
    }
    static Money sum(const std::map<std::string, Money>& balances, const std::string& prefix = "") {
        Money total;
        for (const auto& [account, amount] : balances)
            if (account.starts_with(prefix)) total += amount;
        return total;
    }
};

TEST_F(ExportCliTest, WritesEachExportToStandardOutputOrAFile) {
    const test::LoadedMonth m = test::loadMonth(month);
    for (const ExportInfo& info : kExports) {
        const std::string expected = exportText(m.ledger, m.records, info.kind);
        const CliRun shown = runCli(folder, {"export", month, std::string("--") + info.option});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, expected) << info.option;
        const std::string out = folder.path(std::string("out.") + info.extension);
        test::writeFile(out, "an older export");
        const CliRun written =
            runCli(folder, {"export", "--out", out, std::string("--") + info.option, month});
        EXPECT_EQ(written.status, 0) << written.err;
        EXPECT_EQ(written.out + written.err, "");
        EXPECT_EQ(readFile(out), expected) << info.option;
    }
}

// ledger's balances of the journal: cash, funds, receipts and expenditures as the month
// summary shows them, every fund's remaining funds and every budget account's spending.
TEST_F(ExportCliTest, LedgersBalancesAreTheMonthsFigures) {
    for (const std::string& path : {folder.path("demo/DEC2026.rep"), month}) {
        const std::string journal = folder.path("month.journal");
        const CliRun run = runCli(folder, {"export", path, "--ledger", "--out", journal});
        ASSERT_EQ(run.status, 0) << run.err;
        const test::LoadedMonth m = test::loadMonth(path);
        const Ledger& l = m.ledger;
        std::map<std::string, std::string> summary;  // label -> amount as shown
        for (const std::string& line : monthSummaryLines(l))
            summary[std::string(trimBlanks(slice(line, 1, 35)))] = trimBlanks(slice(line, 36, 12));

        const std::string first = "2026-12-01";
        const auto all = balances(journal, {});
        const auto month = balances(journal, {"-b", first});
        const auto shown = [](Money amount) { return amount.format00(); };
        const struct {
            const char* label;
            Money balance;
        } figures[] = {
            {"Beginning Balance", balances(journal, {"-e", first})["Assets:Cash"]},
            {"Undesignated Receipts", -month.at("Income:Undesignated Receipts")},
            {"Other sources", -sum(month, "Income:Sources:")},
            {"Designated Receipts", -sum(balances(journal, {"-b", first, "Funds", "and", "@Designation"}))},
            {"Internal Transfers", -sum(balances(journal, {"-b", first, "Funds", "and", "@Transfer"}))},
            {"Budget Expenditures", sum(month, "Expenses:Budget:")},
            {"Designated Expenditures", sum(balances(journal, {"-b", first, "Funds", "and", "@Designated"}))},
            {"Remaining Balance", all.at("Assets:Cash")},
            {"Undesignated Funds remaining", all.at("Assets:Cash") + sum(all, "Funds:")},
            {"Designated Fund Totals", -sum(all, "Funds:")},
        };
        for (const auto& f : figures) {
            if (summary.contains(f.label)) {
                EXPECT_EQ(shown(f.balance), summary[f.label]) << f.label << " " << path;
            }
        }
        EXPECT_EQ(summary.size(), 12u);  // the file line, the blank line, and ten figures at most
        const auto of = [](const auto& balances, const std::string& account) {
            return balances.contains(account) ? balances.at(account) : Money();
        };
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            const std::string budget =
                "Expenses:Budget:" + ledgerAccountPart(l.BudgetAcctNumber[i] + " " + l.BudgetAcctName[i]);
            const std::string fund =
                "Funds:" + ledgerAccountPart(l.DesigAcctNumber[i] + " " + l.DesigAcctName[i]);
            if (!l.BudgetAcctNumber[i].empty()) {
                EXPECT_EQ(of(all, budget), l.BudgetAmount[i][kSpentInYear]) << budget;
                EXPECT_EQ(of(month, budget), l.BudgetAmount[i][kSpentInMonth]) << budget;
            }
            if (!l.DesigAcctNumber[i].empty()) {
                EXPECT_EQ(of(all, fund), -l.DesigAmount[i][kFundRemaining]) << fund;
            }
        }
    }
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
