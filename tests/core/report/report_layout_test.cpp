// The treasurer's report in its two outputs. As print steps, read back through a stand-in
// printer: where each text lands, what starts a page, what the run leaves in the work cells.
// As report files: where they differ from the print, the whole monthly and annual text of the
// report month against golden files (which also pin the files' wording), and writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "report/print_steps.h"
#include "report/report_file.h"
#include "report/report_layout.h"

namespace quorvel {
namespace {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::pair<int, std::string>>;

// The sample month with receipts, a transfer, a source note and expenditures:
//   Memorial Fund (01234): 500.00 at the first, 75.00 received of which 25.00 transferred in,
//                          10.00 spent; Organ, Repair: 0.50 at the first, nothing this month
//   Bake Sale 12.50; deposits 600.00; 101 spent 40.00 this month, 7 spent 2.50.
Ledger reportMonth() {
    Ledger l = test::sampleLedger();
    auto& memorial = l.DesigAmount[1];
    memorial[kReceivedInMonth] = Money::cents(7500);
    memorial[kSpentFromFund] = Money::cents(1000);
    memorial[kFundRemaining] = Money::cents(56500);
    l.TransferAcct[1] = "01234";
    l.TransferAmount[1] = Money::cents(2500);
    l.SourceAmount[1] = Money::cents(1250);
    l.Summary[kTotalReceipts] = Money::cents(60000);
    for (auto [row, spent] : {std::pair{1, 4000}, std::pair{3, 250}}) {
        l.BudgetAmount[row][kSpentInMonth] = Money::cents(spent);
        l.BudgetAmount[row][kSpentInYear] += Money::cents(spent);
    }
    RecomputeTotals(l);
    return l;
}

// Texts at 1-based columns on one line; a text whose column the line has passed starts a new
// line, as on paper. Lines are joined with "\r\n", as in a report file.
std::string placed(const Texts& texts) {
    std::string lines, line;
    for (const auto& [column, text] : texts) {
        const auto start = static_cast<std::size_t>(column - 1);
        if (line.size() > start) {
            lines += line + "\r\n";
            line.clear();
        }
        line.resize(start, ' ');
        line += text;
    }
    return lines + line;
}

// A line of 90 blanks with the texts written over it, as a report file composes it.
std::string composed(const Texts& texts) {
    std::string line(90, ' ');
    for (const auto& [column, text] : texts) line.replace(column - 1, text.size(), text);
    return line.substr(0, 90);
}

std::string field(const char* amount) { return amountField(Money::fromText(amount)); }

std::string amountLine(int labelColumn, const std::string& label, int amountColumn, std::int64_t cents) {
    return placed({{labelColumn, label}, {amountColumn, amountField(Money::cents(cents))}});
}

// A label with its amounts from column 42 on, 13 columns apart, as the two tables print a row.
std::string tableRow(int labelColumn, const std::string& label, const std::vector<const char*>& amounts) {
    Texts texts{{labelColumn, label}};
    for (const char* amount : amounts)
        texts.push_back({13 * static_cast<int>(texts.size()) + 29, field(amount)});
    return placed(texts);
}

// `count` lines from the one equal to `first`, or as many as there are.
Lines linesFrom(const Lines& lines, const std::string& first, std::size_t count) {
    const auto from = std::find(lines.begin(), lines.end(), first);
    return {from, from + std::min(static_cast<std::ptrdiff_t>(count), lines.end() - from)};
}

// The left-hand texts of the funds lines in the report month.
const std::string kUndesignated = "Undesignated Funds " + field("1007.75");
const std::string kDesignated = "  Designated Funds " + field("565.50");
const std::string kTotalFunds = "       Total Funds " + field("1573.25");
const std::string kBudgetHeading = placed({{40, "Budget Accounts"}});
const Lines kBudgetHeadings = {placed({{41, "     Annual     Spent In     Spent In   Remaining"}}),
                               placed({{41, "     Budget         Year        Month       Funds"}})};

// A stand-in printer: a text whose column the line has passed goes on below, each line is as
// high as round(24 x the point size in effect when it ends) twips, and page checks are decided
// against that position. Pages have no bottom, so page heads never print.
struct Line {
    std::string text;    // every text at its column, padded with blanks
    std::string styles;  // of each text: its points and "B" or "-" for bold, as "10B 10- "
    int y;               // twips from the top of the page where the line starts
};
using Page = std::vector<Line>;

struct StandInPrinter {
    int y = 0;  // starts lower when something was printed above
    std::vector<Page> pages = std::vector<Page>(1);
    int points = 10;
    bool bold = false, open = false;

    Line& line() {
        if (!open) pages.back().push_back({{}, {}, y});
        open = true;
        return pages.back().back();
    }
    void endLine() {
        line();
        open = false;
        y += static_cast<int>(std::lround(points * 24.0));
    }
    void run(const std::vector<PrintStep>& steps) {
        using Kind = PrintStep::Kind;
        for (const PrintStep& s : steps) {
            if (s.kind == Kind::Text) {
                const std::size_t start = static_cast<std::size_t>(std::max(s.column, 1)) - 1;
                if (open && line().text.size() > start) endLine();
                Line& l = line();
                l.text.resize(std::max(l.text.size(), start), ' ');
                l.text += s.text;
                l.styles += std::to_string(points) + (bold ? "B " : "- ");
            } else if (s.kind == Kind::EndLine) {
                endLine();
            } else if (s.kind == Kind::Font) {
                points = static_cast<int>(s.value);
            } else if (s.kind == Kind::Bold) {
                bold = s.value != 0;
            } else if (s.kind == Kind::NewPage) {
                pages.emplace_back();
                y = 0;
                open = false;
            } else if (s.kind == Kind::PageCheck && 10L * y > s.value) {
                run(s.onBreak);
            }
        }
    }
};

std::vector<Page> replay(const std::vector<PrintStep>& steps, int startY = 0) {
    StandInPrinter printer{startY};
    printer.run(steps);
    return printer.pages;
}

Lines allLines(const std::vector<Page>& pages) {
    Lines lines;
    for (const Page& page : pages)
        for (const Line& line : page) lines.push_back(line.text);
    return lines;
}

Lines printedLines(Ledger ledger, const ReportEntries& entries = {}) {
    return allLines(replay(printedReport(ledger, entries)));
}

// The file's lines without their CR LF; every line ends in one, and no bare line break hides in a line.
Lines fileLines(const std::string& text) {
    Lines lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "text after the last CR LF";
    for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    return lines;
}

TEST(ReportLayout, AmountFieldsAndTitleColumns) {
    // clang-format off
    const std::pair<Money, const char*> fields[] = {
        {Money::cents(100000000000), "1000000000.0"}, {Money::cents(-500), "       -5.00"},
        {Money::cents(99999999999), "999999999.99"}, {Money::fromUnits(123450), "       12.35"},
        {Money::fromUnits(-49), "        0.00"}, {Money(), "        0.00"},
        {Money::fromUnits(-50), "       -0.01"},
        {Money::fromUnits(995), "        0.10"}, {Money::fromUnits(INT64_MIN), "-92233720368"}};
    // clang-format on
    for (const auto& [amount, text] : fields) EXPECT_EQ(amountField(amount), text);
    // Centred on 70 columns, never left of column 1.
    const std::pair<std::size_t, int> titles[] = {{17, 26}, {1, 34}, {68, 1}, {69, 1}, {70, 1}, {120, 1}};
    for (auto [length, column] : titles) EXPECT_EQ(titleColumn(length), column) << length;
}

// The title block is set in 15 points, bold, below two blank lines, and an empty title is
// left out; the copy is in 10. Of the first funds line only the left-hand text is bold, of
// the total line both.
TEST(PrintedReport, TitleBlockAndTheBoldTexts) {
    ReportEntries entries;
    entries.titles = {"", "First Church", ""};
    entries.accountNames[0] = "Checking";
    entries.accountAmounts = {"10", "", "", "", ""};
    Ledger l = reportMonth();
    const Page page = replay(printedReport(l, entries)).at(0);
    ASSERT_GE(page.size(), 5u);
    EXPECT_EQ(allLines({{page.begin(), page.begin() + 5}}),
              (Lines{"", "", std::string(28, ' ') + "First Church", "",
                     amountLine(15, "Balance on Hand Beginning of Month", 75, 100075)}));
    EXPECT_EQ(page[4].y, 4 * 360);
    Lines styles;  // of the lines with texts down to the balance, and of the funds lines
    for (const Line& line : page) {
        if (!line.styles.empty() && (line.y <= 4 * 360 || line.text.find("Funds ") != std::string::npos))
            styles.push_back(line.styles);
    }
    EXPECT_EQ(styles, (Lines{"15B ", "10B 10B ", "10B 10- ", "10- ", "10B 10B "}));
}

// A fund's receipts print less its transfers in, and only above 0; the transfers print only
// when there are any; the total to be accounted for adds the printed receipt lines.
TEST(PrintedReport, SummaryBlock) {
    const std::string rule60 = placed({{60, "------------"}}), rule75 = placed({{75, "------------"}});
    auto item = [](const std::string& text, std::int64_t cents) { return amountLine(20, text, 60, cents); };
    auto total = [](const std::string& text, std::int64_t cents) { return amountLine(15, text, 75, cents); };
    for (const std::int64_t in : {0, 2500, 7500, 9000}) {
        Ledger l = reportMonth();
        l.TransferAmount[1] = Money::cents(in);
        const std::int64_t fund = std::max<std::int64_t>(0, 7500 - in), other = 60000 - 7500 + in - 1250;
        Lines expected = {total("Balance on Hand Beginning of Month", 100075), "",
                          placed({{15, "Receipts:"}}), item("Undesignated Receipts", other)};
        if (fund) expected.push_back(item("Memorial Fund", fund));
        expected.insert(expected.end(), {item("Bake Sale", 1250), rule60, total("Total Receipts", 60000)});
        if (in) {
            expected.insert(expected.end(), {placed({{15, "Internal Transfers:"}}), item("Memorial Fund", in),
                                             rule60, total("Total Transfers", in)});
        }
        expected.insert(expected.end(),
                        {rule75, total("Total to Be Accounted For", 100075 + other + fund + 1250 + in), "",
                         placed({{15, "Expenditures:"}}), item("Budget Expenditures", 4250),
                         item("Designated Expenditures", 1000), rule60, total("Total Expenditures", 5250),
                         rule75, total("Balance on Hand End of Month", 154825 + in), ""});
        EXPECT_EQ(linesFrom(printedLines(l), expected.front(), expected.size()), expected) << in;
    }
}

// Entries 2 to 4 with an amount are all listed, so the listed amounts add up to the total.
// Each case: the amounts, the entries printed on lines of their own, the total.
TEST(PrintedReport, FundsLinesListEveryEntryThatHoldsAnAmount) {
    const std::tuple<std::array<std::string, 5>, std::vector<int>, const char*> cases[] = {
        {{"1000", "500", "73.25", "0", "40"}, {2, 4}, "1613.25"},
        {{"", "", "30", "40", "50"}, {2, 3, 4}, "120.00"},
        {{"5", "", "", "", "12.35"}, {4}, "17.35"},
        {{"", "", "", "", ""}, {}, nullptr},
    };
    for (const auto& [amounts, extraEntries, sum] : cases) {
        ReportEntries entries;
        entries.accountNames = {"Checking", "Savings", "Petty", "Safe", "Vault"};
        entries.accountAmounts = amounts;
        auto right = [&](int k) {
            const std::string text = entries.accountNames[k] + " " + amountField(entries.amount(k));
            return std::pair{87 - static_cast<int>(text.size()), text};
        };
        auto left = [&](const std::string& text, int k) {
            Texts texts{{15, text}};
            if (!entries.amount(k).isZero()) texts.push_back(right(k));
            return placed(texts);
        };
        Lines expected = {left(kUndesignated, 0), left(kDesignated, 1)};
        for (int k : extraEntries) expected.push_back(placed({right(k)}));
        Texts total{{15, kTotalFunds}};
        if (sum) total.push_back({63, "Total Funds " + field(sum)});
        expected.insert(expected.end(), {placed(total), ""});
        EXPECT_EQ(linesFrom(printedLines(reportMonth(), entries), expected.front(), expected.size()),
                  expected)
            << amounts[0] << "/" << amounts[2];
    }
}

// Sections start strictly in order; the rows above the first section count in its subtotals.
TEST(PrintedReport, BudgetTableSections) {
    const std::string r101 = tableRow(3, "101 Pastor, Salary", {"1200", "340.50", "40", "859.50"});
    const std::string r102 = tableRow(3, "102 Utilities", {"600", "0", "0", "600"});
    const std::string r7 = tableRow(3, "7 Short Number", {"100", "27.75", "2.50", "72.25"});
    const std::string sub1 = tableRow(30, "Subtotals", {"1800", "340.50", "40", "1459.50"});
    const std::string totals = tableRow(30, "Totals", {"1900", "368.25", "42.50", "1531.75"});
    const std::string ops = placed({{13, "Operations"}}), other = placed({{13, "Other"}});
    // name, section starts, whether row "7" keeps its number and amounts but has no name, table
    const std::tuple<const char*, std::array<const char*, 3>, bool, Lines> cases[] = {
        // clang-format off
        // "101" is above the first section's start, so "7" never starts either: starts are kept in order.
        {"out of order", {"102", "101", "7"}, false,
         {r101, ops, r102, r7, tableRow(30, "Subtotals", {"1900", "368.25", "42.50", "1531.75"}), "",
          totals}},
        {"none", {"", "", ""}, false, {r101, r102, r7, totals}},
        {"at a nameless row", {"101", "7", ""}, true,
         {ops, r101, r102, sub1, "", other, tableRow(30, "Subtotals", {"0", "0", "0", "0"}), "",
          tableRow(30, "Totals", {"1800", "340.50", "40", "1459.50"})}},
        // clang-format on
    };
    for (const auto& [name, starts, namelessSeven, table] : cases) {
        Ledger l = reportMonth();
        for (int j = 0; j < 3; ++j) l.SectionStart[j + 1] = starts[j];
        l.SectionTitle[3] = "Third";
        if (namelessSeven) l.BudgetAcctName[3].clear();
        const Lines lines = printedLines(l);
        const auto heading = std::find(lines.begin(), lines.end(), kBudgetHeading);
        ASSERT_GE(lines.end() - heading, 4);
        // After the heading, its blank line and the column headings.
        EXPECT_EQ(Lines(heading + 4, lines.end()), table) << name;
    }
}

// A fund whose four amounts add up to 0 is left out of the designated funds table. Each table
// names the headings that begin the further pages it runs onto, and ends them. The work cells
// keep the funds' transfers in, both tables' totals and the last subtotals (row 101 is not
// cleared after the last section).
TEST(PrintedReport, DesignatedTablePageHeadsAndWorkCells) {
    Ledger l = reportMonth();
    l.DesigAcctNumber[3] = "22222";
    l.DesigAcctName[3] = "Even Fund";
    l.DesigAmount[3] = {Money(), Money::cents(-1000), Money::cents(1000), Money(), Money()};
    const auto steps = printedReport(l, {});
    // The table as the golden files show it, without the even fund.
    const Lines rows = {tableRow(3, "Memorial Fund", {"500", "75", "10", "565"}),
                        tableRow(3, "Organ, Repair", {"0.50", "0", "0", "0.50"}),
                        placed({{68, "------------ ------------"}})};
    EXPECT_EQ(linesFrom(allLines(replay(steps)), rows.front(), rows.size()), rows);

    std::vector<Lines> heads;
    Lines textsBelow;  // the first text under each mark
    for (const PrintStep& step : steps) {
        if (step.kind == PrintStep::Kind::PageHead) {
            heads.push_back(allLines(replay(step.onBreak)));
            textsBelow.emplace_back();
        } else if (step.kind == PrintStep::Kind::Text && !textsBelow.empty() && textsBelow.back().empty()) {
            textsBelow.back() = step.text;
        }
    }
    const Lines fundsHead = {"", "", placed({{45, "Bal First"}, {85, "Bal  End"}}),
                             placed({{45, "Of  Month     Received     Expended     Of Month"}}), ""};
    EXPECT_EQ(heads,
              (std::vector<Lines>{fundsHead, {}, {"", "", kBudgetHeadings[0], kBudgetHeadings[1], ""}, {}}));
    EXPECT_EQ(textsBelow, (Lines{"Memorial Fund", "Budget Accounts", "Operations", ""}));

    // clang-format off
    const Money cells[] = {l.DesigAmount[1][0], l.DesigAmount[2][0], l.DesigAmount[0][3], l.DesigAmount[0][4],
        l.BudgetAmount[0][kBudgeted], l.BudgetAmount[0][kSpentInMonth], l.BudgetAmount[101][kBudgeted],
        l.BudgetAmount[101][kRemaining]};
    // clang-format on
    const std::int64_t cents[] = {2500, 0, 1000, 56550, 190000, 4250, 10000, 7225};
    for (std::size_t i = 0; i < std::size(cells); ++i) EXPECT_EQ(cells[i], Money::cents(cents[i])) << i;
}

// The designated table starts a new page when it would not fit; the budget table always starts
// one, and a section that starts below the mark starts another.
TEST(PrintedReport, PageBreaks) {
    Ledger l = reportMonth();
    const auto steps = printedReport(l, {});
    const std::string heading = placed({{40, "Designated Funds"}});
    // Where the check is made: the line before the blank line above the table's heading.
    int checkedAt = -1;
    const auto unbroken = replay(steps);
    for (const Line& line : unbroken.at(0))
        if (line.text == heading) checkedAt = line.y - 240;
    ASSERT_GT(checkedAt, 0);
    // Two funds: (2 + 9) x 213.6 = 2349.6 twips are needed below the position.
    const int lastFitting = 14000 - 2350 - checkedAt;
    for (const auto& [startY, breaks] : {std::pair{lastFitting, false}, std::pair{lastFitting + 1, true}}) {
        const auto pages = replay(steps, startY);
        ASSERT_GE(pages.at(1).size(), 5u);
        // Three blank lines, then the blank line before the table.
        const Lines top = allLines({{pages[1].begin(), pages[1].begin() + 5}});
        EXPECT_EQ(top == (Lines{"", "", "", "", heading}), breaks) << "position " << startY + checkedAt;
        EXPECT_EQ(pages.size(), breaks ? 3u : 2u);
    }

    for (int i = 4; i <= 60; ++i) {
        l.BudgetAcctNumber[i] = std::to_string(100 + i * 5);
        l.BudgetAcctName[i] = "Account " + std::to_string(i);
    }
    l.SectionStart[2] = "300";  // row 40: lines of 240 twips put it past 10000 twips
    l.SectionTitle[2] = "Later";
    const auto pages = replay(printedReport(l, {}));
    ASSERT_EQ(pages.size(), 3u);
    ASSERT_GE(pages[2].size(), 7u);
    EXPECT_EQ(allLines({{pages[1].begin(), pages[1].begin() + 3}}), (Lines{"", "", kBudgetHeading}));
    EXPECT_GT(pages[1].back().y, 10000);
    EXPECT_EQ(pages[1].back().text, "");  // the blank line after the open section's subtotals
    EXPECT_EQ(allLines({{pages[2].begin(), pages[2].begin() + 7}}),
              (Lines{"", "", kBudgetHeadings[0], kBudgetHeadings[1], "", "", placed({{13, "Later"}})}));
}

// Without entries: the default title from column 1, funds lines with one rule and no accounts'
// total. A column line goes on below a text it would overlap. In a composed line a later text
// overwrites an earlier one and nothing passes column 90; an account text longer than 86
// starts at column 1.
TEST(ReportFile, DefaultEntriesAndLongNames) {
    Ledger l = reportMonth();
    const std::string plain = reportFileText(l, {}, ReportFileKind::Monthly);
    EXPECT_TRUE(plain.starts_with("Treasurer's Report\r\n \r\n")) << plain;
    const Lines funds = {composed({{15, kUndesignated}}), composed({{15, kDesignated}}),
                         placed({{34, "------------"}}), composed({{15, kTotalFunds}}), " "};
    EXPECT_EQ(linesFrom(fileLines(plain), funds.front(), funds.size()), funds);

    l.DesigAcctName[1] = std::string(40, 'M');  // ends at column 42, where the first amount starts
    l.DesigAcctName[2] = std::string(39, 'O');  // ends just before it
    l.SourceName[1] = std::string(120, 'S');
    ReportEntries entries;
    entries.accountNames = {std::string(40, 'c'), std::string(100, 's'), "", "", ""};
    entries.accountAmounts = {"1", "2", "", "", ""};
    const std::string text = reportFileText(l, entries, ReportFileKind::Monthly);
    for (const std::string& lines : {
             tableRow(3, std::string(40, 'M'), {"500", "75", "10", "565"}) + " ",
             tableRow(3, std::string(39, 'O'), {"0.50", "0", "0", "0.50"}) + " ",
             composed({{20, std::string(120, 'S')}, {60, field("12.50")}}),
             composed({{15, kUndesignated}, {34, std::string(40, 'c') + " " + field("1")}}) + "\r\n" +
                 std::string(90, 's'),
         }) {
        EXPECT_NE(text.find("\r\n" + lines + "\r\n"), std::string::npos) << lines;
    }
}

// Writing replaces an older report with the whole text, or leaves nothing.
TEST(ReportFile, WritesTheGoldenMonthlyAndAnnualFiles) {
    test::TestFolder folder;
    const std::string path = folder.path("december.txt");
    ReportEntries entries;
    entries.titles = {"First Church of Quorvel", "December 2026", "Monthly Report"};
    entries.accountNames = {"Checking", "Savings", "Petty Cash", "", ""};
    entries.accountAmounts = {"1000.00", "548.25", "25.00", "", ""};
    for (const auto& [kind, name] : {std::pair{ReportFileKind::Monthly, "sample_monthly.txt"},
                                     std::pair{ReportFileKind::Annual, "sample_annual.txt"}}) {
        test::writeFile(path, "an older report");
        Ledger l = reportMonth();
        ASSERT_TRUE(writeReportFile(path, l, entries, kind).ok());
        EXPECT_EQ(test::readFile(path), test::readFile(std::string(QUORVEL_TEST_DATA) + "/report/" + name))
            << name;
    }
    Ledger l = reportMonth();
    const std::string missing = folder.path("no such folder/december.txt");
    const Status failed = writeReportFile(missing, l, {}, ReportFileKind::Annual);
    EXPECT_NE(failed.message().find(missing), std::string::npos) << failed.message();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

}  // namespace
}  // namespace quorvel
