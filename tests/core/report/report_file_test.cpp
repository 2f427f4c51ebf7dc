// The report files: where they differ from the printed report, the annual variant, the
// whole text of the sample month against golden files (which also pin the files' wording),
// and writing them safely.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/report/report_month.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "report/report_file.h"
#include "report/report_layout.h"

namespace quorvel {
namespace {

using test::composed;
using test::placed;

// The file's lines without their CR LF; fails when a line ends any other way.
std::vector<std::string> fileLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text.substr(start);
            break;
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare line break in: " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> reportLines(Ledger ledger, const ReportEntries& entries = {},
                                     ReportFileKind kind = ReportFileKind::Monthly) {
    return fileLines(reportFileText(ledger, entries, kind));
}

std::string field(const char* amount) { return amountField(Money::fromText(amount)); }

std::vector<std::string> linesFrom(const std::vector<std::string>& lines, const std::string& first,
                                   std::size_t count) {
    const auto from = std::find(lines.begin(), lines.end(), first);
    if (from == lines.end() || static_cast<std::size_t>(lines.end() - from) < count) {
        ADD_FAILURE() << "no " << count << " lines from: " << first;
        return {};
    }
    return {from, from + static_cast<std::ptrdiff_t>(count)};
}

TEST(ReportFile, StartsWithTheTitlesFromColumnOne) {
    const auto lines = reportLines(test::sampleLedger());
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Treasurer's Report");
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], composed({{15, "Balance on Hand Beginning of Month"}, {75, field("1000.75")}}));
    EXPECT_EQ(lines[2].size(), 90u);
    EXPECT_EQ(lines[3], placed({{15, "Receipts:"}}));  // no blank line in between

    ReportEntries entries;
    entries.titles = {"", "First Church", "December 2026"};
    const auto titled = reportLines(test::sampleLedger(), entries);
    EXPECT_EQ(std::vector<std::string>(titled.begin(), titled.begin() + 3),
              (std::vector<std::string>{"First Church", "December 2026", " "}));
}

TEST(ReportFile, FundsLinesAndTheirSeparator) {
    const std::string undesignated = "Undesignated Funds " + field("1007.75");
    const std::string designated = "  Designated Funds " + field("565.50");
    const std::string total = "       Total Funds " + field("1573.25");
    const struct {
        const char* name;
        std::array<std::string, 5> names;
        std::array<std::string, 5> amounts;
        std::vector<std::string> expected;
    } cases[] = {
        {"no amounts",
         {"Checking", "", "", "", ""},
         {"", "", "", "", ""},
         {composed({{15, undesignated}}), composed({{15, designated}}), placed({{34, "------------"}}),
          composed({{15, total}}), " "}},
        // A right-hand text reaching left of column 46 overwrites the end of the left-hand one;
        // one longer than 86 starts at column 1 and is cut at column 90.
        {"long names",
         {std::string(40, 'c'), std::string(100, 's'), "", "", ""},
         {"1", "2", "", "", ""},
         {composed({{15, undesignated}, {34, std::string(40, 'c') + " " + field("1")}}), std::string(90, 's'),
          placed({{34, "------------"}, {75, "------------"}}),
          composed({{15, total}, {63, "Total Funds " + field("3")}}), " "}},
    };
    for (const auto& c : cases) {
        ReportEntries entries;
        entries.accountNames = c.names;
        entries.accountAmounts = c.amounts;
        EXPECT_EQ(linesFrom(reportLines(test::reportMonth(), entries), c.expected.front(), c.expected.size()),
                  c.expected)
            << c.name;
    }
}

TEST(ReportFile, ComposedLinesAreAlwaysNinetyCharacters) {
    ReportEntries entries;
    entries.accountNames = {"A", std::string(200, 'b'), "Cc", "", ""};
    entries.accountAmounts = {"1", "2", "3", "", ""};
    Ledger l = test::reportMonth();
    l.DesigAcctName[1] = std::string(120, 'M');
    l.SourceName[1] = std::string(70, 'S');
    const auto lines = reportLines(l, entries);
    // From the opening balance to the funds total every line is composed, but the headings,
    // the rules and the blank lines.
    const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("Beginning") != std::string::npos;
    });
    const auto last = std::find_if(first, lines.end(), [](const std::string& line) {
        return line.find("Total Funds ") != std::string::npos;
    });
    ASSERT_NE(last, lines.end());
    int composedLines = 0;
    for (auto line = first; line <= last; ++line) {
        const bool heading = *line == placed({{15, "Receipts:"}}) ||
                             *line == placed({{15, "Internal Transfers:"}}) ||
                             *line == placed({{15, "Expenditures:"}});
        if (heading || line->find_first_not_of(" -") == std::string::npos) continue;
        ++composedLines;
        EXPECT_EQ(line->size(), 90u) << *line;
    }
    EXPECT_EQ(composedLines, 16);
}

TEST(ReportFile, AnnualFileShowsThreeBudgetColumnsAndAddsUpAllFour) {
    Ledger l = test::reportMonth();
    l.BudgetAmount[1] = {Money(), Money::cents(10000), Money::cents(4000), Money::cents(500), Money()};
    const auto lines = reportLines(l, {}, ReportFileKind::Annual);
    auto row = [](int labelColumn, const std::string& label, std::vector<const char*> amounts) {
        std::vector<std::pair<int, std::string>> texts{{labelColumn, label}};
        int p = 0;
        for (const char* a : amounts) texts.push_back({13 * ++p + 29, field(a)});
        return placed(texts) + " ";
    };
    const std::vector<std::string> expected = {
        placed({{41, "     Annual     Spent In     Remaining"}}),
        placed({{41, "     Budget         Year     Funds"}}),
        placed({{13, "Operations"}}),
        row(3, "101 Pastor, Salary", {"100", "40", "60"}),
        row(3, "102 Utilities", {"600", "0", "600"}),
        // The subtotal's remaining funds are its budget less its spending.
        row(30, "Subtotals", {"700", "40", "660"}),
        placed({{13, "Other"}}),
        row(3, "7 Short Number", {"100", "27.75", "72.25"}),
        row(30, "Subtotals", {"100", "27.75", "72.25"}),
        " ",
        row(30, "Totals", {"800", "67.75", "732.25"}),
    };
    EXPECT_EQ(linesFrom(lines, expected.front(), expected.size()), expected);
    // The month's spending is left out of the rows, not out of the totals.
    reportFileText(l, {}, ReportFileKind::Annual);
    EXPECT_EQ(l.BudgetAmount[0][kSpentInMonth], Money::cents(500 + 250));
}

TEST(ReportFile, GoldenMonthlyAndAnnualFiles) {
    ReportEntries entries;
    entries.titles = {"First Church of Quorvel", "December 2026", "Monthly Report"};
    entries.accountNames = {"Checking", "Savings", "Petty Cash", "", ""};
    entries.accountAmounts = {"1000.00", "548.25", "25.00", "", ""};
    for (const auto& [kind, name] : {std::pair{ReportFileKind::Monthly, "sample_monthly.txt"},
                                     std::pair{ReportFileKind::Annual, "sample_annual.txt"}}) {
        Ledger l = test::reportMonth();
        EXPECT_EQ(reportFileText(l, entries, kind),
                  test::readFile(std::string(QUORVEL_TEST_DATA) + "/report/" + name))
            << name;
    }
}

TEST(ReportFile, WritingReplacesTheFileOrLeavesNothing) {
    test::TestFolder folder;
    Ledger l = test::reportMonth();
    const std::string path = folder.path("december.txt");
    test::writeFile(path, "an older report");
    ASSERT_TRUE(writeReportFile(path, l, {}, ReportFileKind::Monthly).ok());
    EXPECT_EQ(test::readFile(path), reportFileText(l, {}, ReportFileKind::Monthly));

    const std::string missing = folder.path("no such folder/december.txt");
    const Status failed = writeReportFile(missing, l, {}, ReportFileKind::Annual);
    EXPECT_FALSE(failed.ok());
    EXPECT_NE(failed.message().find(missing), std::string::npos) << failed.message();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

}  // namespace
}  // namespace quorvel
