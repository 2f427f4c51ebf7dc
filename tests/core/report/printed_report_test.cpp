// The printed report as print steps, read back through a stand-in printer: where each text
// lands, what starts a page, and what the run leaves in the work cells.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/report/report_month.h"
#include "core/report/step_pages.h"
#include "core/sample_month.h"
#include "report/print_steps.h"
#include "report/report_layout.h"

namespace quorvel {
namespace {

using test::placed;

std::vector<std::string> printedLines(Ledger ledger, const ReportEntries& entries = {}) {
    return test::allLines(test::replaySteps(printedReport(ledger, entries)));
}

// Lines from the one equal to `first` up to (not including) the one equal to `last`.
std::vector<std::string> between(const std::vector<std::string>& lines, const std::string& first,
                                 const std::string& last) {
    const auto from = std::find(lines.begin(), lines.end(), first);
    const auto to = std::find(from, lines.end(), last);
    EXPECT_NE(from, lines.end()) << "no line: " << first;
    EXPECT_NE(to, lines.end()) << "no line: " << last;
    return {from, to};
}

std::string amountLine(int labelColumn, const std::string& label, int amountColumn,
                       const std::string& amount) {
    return placed({{labelColumn, label}, {amountColumn, std::string(12 - amount.size(), ' ') + amount}});
}

// A label with four amounts at columns 42, 55, 68 and 81, as the two tables print a row.
std::string tableRow(int labelColumn, const std::string& label, const std::array<const char*, 4>& amounts) {
    std::vector<std::pair<int, std::string>> texts{{labelColumn, label}};
    for (int j = 0; j < 4; ++j)
        texts.push_back({13 * (j + 1) + 29, amountField(Money::fromText(amounts[j]))});
    return placed(texts);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The left-hand texts of the funds lines in the report month.
const std::string kUndesignated = "Undesignated Funds " + amountField(Money::cents(100775));
const std::string kDesignated = "  Designated Funds " + amountField(Money::cents(56550));
const std::string kTotalFunds = "       Total Funds " + amountField(Money::cents(157325));

TEST(PrintedReport, TitlesAreCentredOnSeventyColumns) {
    const struct {
        std::size_t length;
        int column;
    } cases[] = {{17, 26}, {1, 34}, {68, 1}, {69, 1}, {70, 1}, {120, 1}};
    for (const auto& c : cases) {
        ReportEntries entries;
        entries.titles = {std::string(c.length, 'T'), "", ""};
        Ledger l = test::sampleLedger();
        const auto steps = printedReport(l, entries);
        const auto title = std::find_if(steps.begin(), steps.end(),
                                        [](const PrintStep& s) { return s.kind == PrintStep::Kind::Text; });
        ASSERT_NE(title, steps.end());
        EXPECT_EQ(title->text, entries.titles[0]);
        EXPECT_EQ(title->column, c.column) << "title of " << c.length << " characters";
    }
}

// The title block is set in 15 points, bold, the copy in 10; of the first funds line only
// the left-hand text is bold, of the total line the right-hand one too.
TEST(PrintedReport, TitleBlockWithOnlyTheSecondTitleAndTheBoldTexts) {
    ReportEntries entries;
    entries.titles = {"", "First Church", ""};
    entries.accountNames[0] = "Checking";
    entries.accountAmounts = {"10", "", "", "", ""};
    Ledger l = test::reportMonth();
    const test::SteppedPage page = test::replaySteps(printedReport(l, entries)).at(0);
    ASSERT_GE(page.size(), 5u);
    EXPECT_EQ(page[0].text, "");
    EXPECT_EQ(page[1].text, "");
    EXPECT_EQ(page[2].text, std::string(28, ' ') + "First Church");
    EXPECT_EQ(page[3].text, "");
    EXPECT_EQ(page[4].text, amountLine(15, "Balance on Hand Beginning of Month", 75, "1000.75"));
    EXPECT_EQ(page[2].pieces.at(0).points, 15);
    EXPECT_TRUE(page[2].pieces.at(0).bold);
    EXPECT_EQ(page[4].y, 4 * 360);
    EXPECT_EQ(page[4].pieces.at(0).points, 10);
    int fundsLines = 0;
    for (const test::SteppedLine& line : page) {
        if (line.pieces.empty()) continue;
        if (line.pieces[0].text.starts_with("Undesignated Funds")) {
            ASSERT_EQ(line.pieces.size(), 2u);
            EXPECT_TRUE(line.pieces[0].bold);
            EXPECT_FALSE(line.pieces[1].bold);
            ++fundsLines;
        }
        if (line.pieces[0].text.starts_with("       Total Funds")) {
            ASSERT_EQ(line.pieces.size(), 2u);
            EXPECT_TRUE(line.pieces[1].bold);
            ++fundsLines;
        }
    }
    EXPECT_EQ(fundsLines, 2);
}

TEST(PrintedReport, AmountFieldsAreTwelveCharactersCutOnTheLeft) {
    const struct {
        Money amount;
        const char* field;
    } cases[] = {
        {Money::cents(100000000000), "1000000000.0"},  {Money::cents(-500), "       -5.00"},
        {Money::cents(99999999999), "999999999.99"},   {Money::fromUnits(123450), "       12.35"},
        {Money::fromUnits(-49), "        0.00"},       {Money(), "        0.00"},
        {Money::fromUnits(-50), "       -0.01"},       {Money::fromUnits(995), "        0.10"},
        {Money::fromUnits(INT64_MIN), "-92233720368"},
    };
    for (const auto& c : cases) EXPECT_EQ(amountField(c.amount), c.field);
}

TEST(PrintedReport, SummaryBlockWithTransfersInAndSources) {
    const auto lines = printedLines(test::reportMonth());
    const std::vector<std::string> expected = {
        amountLine(15, "Balance on Hand Beginning of Month", 75, "1000.75"),
        "",
        placed({{15, "Receipts:"}}),
        amountLine(20, "Undesignated Receipts", 60, "537.50"),
        amountLine(20, "Memorial Fund", 60, "50.00"),  // 75.00 received less 25.00 transferred in
        amountLine(20, "Bake Sale", 60, "12.50"),
        placed({{60, "------------"}}),
        amountLine(15, "Total Receipts", 75, "600.00"),
        placed({{15, "Internal Transfers:"}}),
        amountLine(20, "Memorial Fund", 60, "25.00"),
        placed({{60, "------------"}}),
        amountLine(15, "Total Transfers", 75, "25.00"),
        placed({{75, "------------"}}),
        amountLine(15, "Total to Be Accounted For", 75, "1625.75"),
        "",
        placed({{15, "Expenditures:"}}),
        amountLine(20, "Budget Expenditures", 60, "42.50"),
        amountLine(20, "Designated Expenditures", 60, "10.00"),
        placed({{60, "------------"}}),
        amountLine(15, "Total Expenditures", 75, "52.50"),
        placed({{75, "------------"}}),
        amountLine(15, "Balance on Hand End of Month", 75, "1573.25"),
        "",
    };
    EXPECT_EQ(between(lines, expected.front(), placed({{15, kUndesignated}})), expected);
}

// A fund's receipts print less its transfers in, and only above 0; the total to be accounted
// for adds the printed receipt lines and the transfers, whose block prints only when there are any.
TEST(PrintedReport, FundReceiptsLessTheirTransfersAndTheTotalToBeAccountedFor) {
    for (const long long transferred : {0, 2500, 7500, 9000}) {
        Ledger l = test::reportMonth();
        l.TransferAmount[1] = Money::cents(transferred);
        const auto lines = printedLines(l);
        const auto receipts = between(lines, placed({{15, "Receipts:"}}), placed({{60, "------------"}}));
        const long long fundLine = std::max(0LL, 7500 - transferred);
        // The heading, undesignated receipts, the fund's line if any, and Bake Sale.
        EXPECT_EQ(receipts.size(), fundLine ? 4u : 3u) << "transfer " << transferred;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), placed({{15, "Internal Transfers:"}})),
                  transferred ? 1 : 0);
        const Money undesignated = Money::cents(60000 - 7500 + transferred - 1250);
        const Money accounted = Money::cents(100075 + fundLine + 1250 + transferred) + undesignated;
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            amountLine(15, "Total to Be Accounted For", 75, accounted.format00())),
                  lines.end())
            << "transfer " << transferred;
    }
}

// From the undesignated funds line to the blank line before the designated funds table.
std::vector<std::string> fundsLines(const ReportEntries& entries) {
    const auto lines = printedLines(test::reportMonth(), entries);
    const auto from = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with(placed({{15, kUndesignated}}));
    });
    return {from, std::find(from, lines.end(), "")};
}

// Entries 2 to 4 with an amount are all listed, so the listed amounts add up to the total.
TEST(PrintedReport, FundsLinesListEveryEntryTwoToFourThatHoldsAnAmount) {
    const struct {
        std::array<std::string, 5> amounts;
        std::vector<int> extraEntries;  // entries printed on lines of their own
        const char* total;
    } cases[] = {
        {{"1000", "500", "73.25", "0", "40"}, {2, 4}, "1613.25"},
        {{"", "", "30", "40", "50"}, {2, 3, 4}, "120.00"},
        {{"", "", "", "10", "20"}, {3, 4}, "30.00"},
        {{"5", "", "", "", "12.35"}, {4}, "17.35"},
        {{"", "", "", "", ""}, {}, nullptr},
    };
    for (const auto& c : cases) {
        ReportEntries entries;
        entries.accountNames = {"Checking", "Savings", "Petty", "Safe", "Vault"};
        entries.accountAmounts = c.amounts;
        std::vector<std::string> expected;
        auto right = [&](int k) {
            const std::string text = entries.accountNames[k] + " " + amountField(entries.amount(k));
            return std::pair{87 - static_cast<int>(text.size()), text};
        };
        auto left = [&](const std::string& text, int k) {
            std::vector<std::pair<int, std::string>> texts{{15, text}};
            if (!entries.amount(k).isZero()) texts.push_back(right(k));
            return placed(texts);
        };
        expected.push_back(left(kUndesignated, 0));
        expected.push_back(left(kDesignated, 1));
        for (int k : c.extraEntries) expected.push_back(placed({right(k)}));
        std::vector<std::pair<int, std::string>> total{{15, kTotalFunds}};
        if (c.total) total.push_back({63, "Total Funds " + amountField(Money::fromText(c.total))});
        expected.push_back(placed(total));
        EXPECT_EQ(fundsLines(entries), expected) << "amounts " << c.amounts[0] << "/" << c.amounts[2];
    }
}

TEST(PrintedReport, LongNamesPushTheirAmountsToTheNextLine) {
    ReportEntries entries;
    entries.accountNames[0] = std::string(29, 'c');  // right-hand text 42 wide: column 45
    entries.accountNames[1] = std::string(28, 's');  // 41 wide: column 46, still on the line
    entries.accountNames[2] = std::string(100, 'x');
    entries.accountAmounts = {"1", "2", "3", "", ""};
    Ledger l = test::reportMonth();
    l.BudgetAcctName[2] = std::string(36, 'U');  // with "102 " it reaches column 42
    l.BudgetAcctName[3] = std::string(35, 'S');  // "7 " is shorter: still on the line
    l.DesigAcctName[1] = std::string(40, 'M');
    l.DesigAcctName[2] = std::string(39, 'O');
    const auto lines = printedLines(l, entries);

    std::vector<std::string> funds =
        splitLines(placed({{15, kUndesignated}, {45, std::string(29, 'c') + "         1.00"}}));
    ASSERT_EQ(funds.size(), 2u);
    funds.push_back(placed({{15, kDesignated}, {46, std::string(28, 's') + "         2.00"}}));
    funds.push_back(std::string(90, 'x'));  // from column 1, cut at column 90
    EXPECT_EQ(between(lines, funds.front(), placed({{15, kTotalFunds}, {63, "Total Funds         6.00"}})),
              funds);

    for (const std::string& twoLines : {tableRow(3, "102 " + std::string(36, 'U'), {"600", "0", "0", "600"}),
                                        tableRow(3, std::string(40, 'M'), {"500", "75", "10", "565"})}) {
        const std::vector<std::string> expected = splitLines(twoLines);
        ASSERT_EQ(expected.size(), 2u);
        const auto first = std::find(lines.begin(), lines.end(), expected[0]);
        ASSERT_NE(first, lines.end()) << expected[0];
        ASSERT_NE(first + 1, lines.end());
        EXPECT_EQ(*(first + 1), expected[1]);
    }
    for (const std::string& oneLine :
         {tableRow(3, "7 " + std::string(35, 'S'), {"100", "27.75", "2.50", "72.25"}),
          tableRow(3, std::string(39, 'O'), {"0.50", "0", "0", "0.50"})}) {
        EXPECT_EQ(splitLines(oneLine).size(), 1u);
        EXPECT_NE(std::find(lines.begin(), lines.end(), oneLine), lines.end()) << oneLine;
    }
}

TEST(PrintedReport, DesignatedFundsTable) {
    Ledger l = test::reportMonth();
    // Four amounts that add up to 0 leave the fund out.
    l.DesigAcctNumber[3] = "22222";
    l.DesigAcctName[3] = "Even Fund";
    l.DesigAmount[3] = {Money(), Money::cents(-1000), Money::cents(1000), Money(), Money()};
    const auto lines = printedLines(l);
    const std::vector<std::string> expected = {
        placed({{40, "Designated Funds"}}),
        "",
        placed({{45, "Bal First"}, {85, "Bal  End"}}),
        placed({{45, "Of  Month     Received     Expended     Of Month"}}),
        "",
        tableRow(3, "Memorial Fund", {"500", "75", "10", "565"}),
        tableRow(3, "Organ, Repair", {"0.50", "0", "0", "0.50"}),
        placed({{68, "------------ ------------"}}),
        placed({{15, "Totals -"}, {68, "       10.00"}, {81, "      565.50"}}),
    };
    const auto table = between(lines, expected.front(), placed({{40, "Budget Accounts"}}));
    ASSERT_GE(table.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(table.begin(), table.begin() + expected.size()), expected);
}

// The budget table from its heading to the end of the copy.
std::vector<std::string> budgetTable(const Ledger& ledger) {
    const auto lines = printedLines(ledger);
    const auto from = std::find(lines.begin(), lines.end(), placed({{40, "Budget Accounts"}}));
    EXPECT_NE(from, lines.end());
    return {from + 4, lines.end()};  // after the heading, its blank line and the column headings
}

TEST(PrintedReport, BudgetSectionsStartStrictlyInOrder) {
    const std::string r101 = tableRow(3, "101 Pastor, Salary", {"1200", "340.50", "40", "859.50"});
    const std::string r102 = tableRow(3, "102 Utilities", {"600", "0", "0", "600"});
    const std::string r7 = tableRow(3, "7 Short Number", {"100", "27.75", "2.50", "72.25"});
    const std::string totals = tableRow(30, "Totals", {"1900", "368.25", "42.50", "1531.75"});
    const struct {
        const char* name;
        std::array<const char*, 3> starts;
        std::vector<std::string> table;
    } cases[] = {
        {"in order",
         {"101", "7", ""},
         {placed({{13, "Operations"}}), r101, r102,
          tableRow(30, "Subtotals", {"1800", "340.50", "40", "1459.50"}), "", placed({{13, "Other"}}), r7,
          tableRow(30, "Subtotals", {"100", "27.75", "2.50", "72.25"}), "", totals}},
        // "101" is above the first section's start, so "7" never starts either; the rows above
        // the first section count in its subtotals.
        {"out of order",
         {"102", "101", "7"},
         {r101, placed({{13, "Operations"}}), r102, r7,
          tableRow(30, "Subtotals", {"1900", "368.25", "42.50", "1531.75"}), "", totals}},
        {"none", {"", "", ""}, {r101, r102, r7, totals}},
        {"first not found", {"999", "7", ""}, {r101, r102, r7, totals}},
    };
    for (const auto& c : cases) {
        Ledger l = test::reportMonth();
        for (int j = 0; j < 3; ++j) l.SectionStart[j + 1] = c.starts[j];
        l.SectionTitle[3] = "Third";
        EXPECT_EQ(budgetTable(l), c.table) << c.name;
    }
}

TEST(PrintedReport, SectionMayStartAtANamelessRow) {
    Ledger l = test::reportMonth();
    l.BudgetAcctName[3].clear();  // row "7" keeps its number and amounts, but has no name
    const auto table = budgetTable(l);
    const std::vector<std::string> tail = {
        placed({{13, "Other"}}),
        tableRow(30, "Subtotals", {"0", "0", "0", "0"}),
        "",
        tableRow(30, "Totals", {"1800", "340.50", "40", "1459.50"}),
    };
    ASSERT_GE(table.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(table.end() - 4, table.end()), tail);
}

// The funds' transfers in, both tables' totals, and the last subtotals (row 101 is not
// cleared after the last section).
TEST(PrintedReport, WorkCellsKeepTheTotalsAndTheLastSubtotals) {
    Ledger l = test::reportMonth();
    printedReport(l, {});
    EXPECT_EQ(l.DesigAmount[1][0], Money::cents(2500));
    EXPECT_EQ(l.DesigAmount[2][0], Money());
    EXPECT_EQ(l.DesigAmount[0][3], Money::cents(1000));
    EXPECT_EQ(l.DesigAmount[0][4], Money::cents(56550));
    EXPECT_EQ(l.BudgetAmount[0][kBudgeted], Money::cents(190000));
    EXPECT_EQ(l.BudgetAmount[0][kSpentInMonth], Money::cents(4250));
    EXPECT_EQ(l.BudgetAmount[101][kBudgeted], Money::cents(10000));
    EXPECT_EQ(l.BudgetAmount[101][kRemaining], Money::cents(7225));
}

// Each table names the headings that begin the further pages it runs onto, and ends them.
TEST(PrintedReport, TablesMarkTheHeadingsOfTheirFurtherPages) {
    Ledger l = test::reportMonth();
    const auto steps = printedReport(l, {});
    std::vector<std::vector<std::string>> heads;
    std::vector<std::string> textsBetween;
    for (const PrintStep& step : steps) {
        if (step.kind == PrintStep::Kind::PageHead) {
            heads.push_back(test::allLines(test::replaySteps(step.onBreak)));
            textsBetween.emplace_back();
        } else if (step.kind == PrintStep::Kind::Text && !textsBetween.empty() &&
                   textsBetween.back().empty()) {
            textsBetween.back() = step.text;  // the first text under the mark
        }
    }
    const std::vector<std::vector<std::string>> expected = {
        {"", "", placed({{45, "Bal First"}, {85, "Bal  End"}}),
         placed({{45, "Of  Month     Received     Expended     Of Month"}}), ""},
        {},
        {"", "", placed({{41, "     Annual     Spent In     Spent In   Remaining"}}),
         placed({{41, "     Budget         Year        Month       Funds"}}), ""},
        {},
    };
    EXPECT_EQ(heads, expected);
    EXPECT_EQ(textsBetween, (std::vector<std::string>{"Memorial Fund", "Budget Accounts", "Operations", ""}));
}

TEST(PrintedReport, DesignatedTableStartsANewPageWhenItWouldNotFit) {
    Ledger l = test::reportMonth();
    const auto steps = printedReport(l, {});
    // Where the check is made: the line before the blank line above the table's heading.
    const auto unbroken = test::replaySteps(steps);
    int checkedAt = -1;
    for (const test::SteppedLine& line : unbroken.at(0)) {
        if (line.text == placed({{40, "Designated Funds"}})) checkedAt = line.y - 240;
    }
    ASSERT_GT(checkedAt, 0);
    // Two funds: (2 + 9) x 213.6 = 2349.6 twips are needed below the position.
    const int lastFitting = 14000 - 2350 - checkedAt;
    for (const auto& [startY, breaks] : {std::pair{lastFitting, false}, std::pair{lastFitting + 1, true}}) {
        const auto pages = test::replaySteps(steps, startY);
        const test::SteppedPage& second = pages.at(1);
        ASSERT_GE(second.size(), 5u);
        const bool tableOnSecondPage = second[4].text == placed({{40, "Designated Funds"}});
        EXPECT_EQ(tableOnSecondPage, breaks) << "position " << startY + checkedAt;
        if (breaks) {
            EXPECT_EQ(second[0].text, "");  // three blank lines, then the blank line before the table
            EXPECT_EQ(second[3].text, "");
            EXPECT_EQ(pages.size(), 3u);
        } else {
            EXPECT_EQ(pages.size(), 2u);
        }
    }
}

TEST(PrintedReport, BudgetTableStartsAPageAndASectionBelowTheMarkStartsAnother) {
    Ledger l = test::reportMonth();
    for (int i = 4; i <= 60; ++i) {
        l.BudgetAcctNumber[i] = std::to_string(100 + i * 5);
        l.BudgetAcctName[i] = "Account " + std::to_string(i);
    }
    l.SectionStart[2] = "300";  // row 40: lines of 240 twips put it past 10000 twips
    l.SectionTitle[2] = "Later";
    const auto pages = test::replaySteps(printedReport(l, {}));
    ASSERT_EQ(pages.size(), 3u);
    const test::SteppedPage& budget = pages[1];
    EXPECT_EQ(budget[0].text, "");
    EXPECT_EQ(budget[1].text, "");
    EXPECT_EQ(budget[2].text, placed({{40, "Budget Accounts"}}));
    EXPECT_GT(budget.back().y, 10000);
    EXPECT_EQ(budget.back().text, "");  // the blank line after the open section's subtotals

    const std::vector<std::string> top = {
        "",
        "",
        placed({{41, "     Annual     Spent In     Spent In   Remaining"}}),
        placed({{41, "     Budget         Year        Month       Funds"}}),
        "",
        "",
        placed({{13, "Later"}}),
    };
    std::vector<std::string> third;
    for (std::size_t n = 0; n < top.size(); ++n) third.push_back(pages[2].at(n).text);
    EXPECT_EQ(third, top);
}

}  // namespace
}  // namespace quorvel
