// quorvel-cli report: the built tool writes the same report files as the core composes for the
// window's entries, the PDF through its helper, and refuses what it cannot do without writing.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "report/report_file.h"

namespace quorvel {
namespace {

using test::readFile;

class ReportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        month = folder.path("DEC2026.rep");
        test::writeMonth(
            test::sampleLedger(), month,
            {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
             test::keyed("DD", "01234", Money::cents(2500))});
    }

    test::CliRun runReport(std::vector<std::string> args) {
        args.insert(args.begin(), "report");
        return test::runCli(folder, std::move(args));
    }

    test::TestFolder folder;
    std::string month;
};

// Over an older file, without titles the default title is used.
TEST_F(ReportCliTest, WritesTheFilesTheWindowWrites) {
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
        const test::CliRun run = runReport(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        Ledger ledger =
            test::loadMonth(month).ledger;  // the file the window writes, from the month as loaded
        EXPECT_EQ(readFile(out), reportFileText(ledger, c.entries, c.kind)) << c.options.size();
    }
}

// Nothing is written on a refusal; `--out DEC2026.jrn` once replaced the month's journal.
TEST_F(ReportCliTest, RefusalsWriteNothing) {
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
        test::expectRefused(runReport(args), says);
        EXPECT_FALSE(std::filesystem::exists(out)) << says;
    }
    EXPECT_EQ(readFile(month), rep);
    EXPECT_EQ(readFile(journal), records);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 3);
}

TEST_F(ReportCliTest, PdfIsThePrintedReport) {
    const std::string rep = readFile(month);
    const std::string out = folder.path("report.pdf");
    const test::CliRun run = runReport({month, "--out", out, "--pdf", "--account", "Checking", "1475.75"});
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

}  // namespace
}  // namespace quorvel
