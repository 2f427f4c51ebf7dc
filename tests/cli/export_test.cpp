// quorvel-cli export: the options, the month's own files refused, and the ledger journal read
// by ledger itself, whose balances must be the month summary's and the budget table's figures.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/cli_run.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "export/export_file.h"
#include "export/ledger_export.h"
#include "ledger/text_fields.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

using test::readFile;

class ExportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
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
        const test::CliRun run = test::runProgram(folder, args);
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

    test::TestFolder folder;
    const std::string month = folder.path("DEC2026.rep");
};

TEST_F(ExportCliTest, WritesEachExportToStandardOutputOrAFile) {
    const test::LoadedMonth m = test::loadMonth(month);
    for (const ExportInfo& info : kExports) {
        const std::string expected = exportText(m.ledger, m.records, info.kind);
        const test::CliRun shown = test::runCli(folder, {"export", month, std::string("--") + info.option});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, expected) << info.option;
        const std::string out = folder.path(std::string("out.") + info.extension);
        test::writeFile(out, "an older export");
        const test::CliRun written =
            test::runCli(folder, {"export", "--out", out, std::string("--") + info.option, month});
        EXPECT_EQ(written.status, 0) << written.err;
        EXPECT_EQ(written.out + written.err, "");
        EXPECT_EQ(readFile(out), expected) << info.option;
    }
}

TEST_F(ExportCliTest, RefusalsWriteNothing) {
    const std::string journal = folder.path("DEC2026.jrn");
    const std::string rep = readFile(month);
    const std::string records = readFile(journal);
    const std::string out = folder.path("out.csv");
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{month}, "export needs one of --actions"},
        {{"--funds"}, "export needs a month file"},
        {{month, "--funds", "--ledger"}, "export writes one of"},
        {{month, "--funds", "--out"}, "--out needs a file name"},
        {{month, "--funds", "--csv"}, "unknown option --csv"},
        {{month, month, "--funds"}, "export takes one month file"},
        {{folder.path("NOV2026.rep"), "--funds", "--out", out}, "NOV2026.rep"},
        {{month, "--funds", "--out", folder.path("no folder/out.csv")}, "no folder/out.csv"},
        {{month, "--ledger", "--out", journal}, "may not be written there"},
        {{month, "--actions", "--out", month}, "may not be written there"},
        {{month, "--budget", "--out", folder.path("dec2026.REP.bak")}, "may not be written there"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"export"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        test::expectRefused(test::runCli(folder, args), c.message);
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(readFile(month), rep);
    EXPECT_EQ(readFile(journal), records);
}

// ledger's balances of the journal: cash, funds, receipts and expenditures as the month
// summary shows them, every fund's remaining funds and every budget account's spending.
TEST_F(ExportCliTest, LedgersBalancesAreTheMonthsFigures) {
    for (const std::string& path : {folder.path("demo/DEC2026.rep"), month}) {
        const std::string journal = folder.path("month.journal");
        const test::CliRun run = test::runCli(folder, {"export", path, "--ledger", "--out", journal});
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

}  // namespace
}  // namespace quorvel
