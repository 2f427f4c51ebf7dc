// quorvel-cli report: the built tool writes the same report files as the core composes for the
// window's entries, the PDF through its helper, and refuses what it cannot do without writing.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"
#include "report/report_file.h"

namespace quorvel {
namespace {

using test::readFile;

using ReportRun = test::CliRun;

ReportRun runReport(const test::TestFolder& folder, std::vector<std::string> args) {
    args.insert(args.begin(), "report");
    return test::runCli(folder, std::move(args));
}

class ReportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        month = folder.path("DEC2026.rep");
        test::writeMonth(
            test::sampleLedger(), month,
            {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
             test::keyed("DD", "01234", Money::cents(2500))});
    }

    // The file the window writes for `entries`, from the month as loaded.
    std::string expectedFile(const ReportEntries& entries, ReportFileKind kind) {
        Ledger ledger;
        Journal journal;
        EXPECT_TRUE(LoadMonthFile(ledger, journal, month, JournalMode::ReadOnly).ok());
        return reportFileText(ledger, entries, kind);
    }

    test::TestFolder folder;
    std::string month;
};

TEST_F(ReportCliTest, WritesTheFilesTheWindowWrites) {
    ReportEntries entries;
    entries.titles = {"First Church", "Caf\xE9 Hall \x80", ""};
    entries.accountNames = {"Checking", "Savings", "", "", ""};
    entries.accountAmounts = {"1000.00", "450.81", "", "", ""};  // as the boxes settle them
    for (const auto& [flag, kind] :
         {std::pair{"", ReportFileKind::Monthly}, std::pair{"--annual", ReportFileKind::Annual}}) {
        const std::string out = folder.path(std::string("report") + flag + ".txt");
        std::vector<std::string> args = {
            month,       "--out",    out,    "--title",   "First Church", "--title", "Caf\u00e9 Hall \u20ac",
            "--account", "Checking", "1000", "--account", "Savings",      "450.805"};
        if (*flag) args.push_back(flag);
        const ReportRun run = runReport(folder, args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(readFile(out), expectedFile(entries, kind)) << flag;
    }
}

TEST_F(ReportCliTest, WithoutTitlesTheDefaultTitleIsUsed) {
    const std::string out = folder.path("report.txt");
    test::writeFile(out, "an older report");
    const ReportRun run = runReport(folder, {"--out", out, month});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(out), expectedFile(ReportEntries{}, ReportFileKind::Monthly));
    EXPECT_TRUE(readFile(out).starts_with("Treasurer's Report\r\n \r\n"));
}

TEST_F(ReportCliTest, ErrorsWriteNothing) {
    const std::string out = folder.path("report.txt");
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
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
        {{month, "--out", folder.path("no folder/report.txt")}, "no folder/report.txt"},
    };
    for (const auto& c : cases) {
        const ReportRun run = runReport(folder, c.args);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_TRUE(run.err.starts_with("quorvel-cli: ")) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.message;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 2);
}

// `--out DEC2026.jrn` once replaced the month's journal and exited 0.
TEST_F(ReportCliTest, AMonthsOwnFileIsNeverTheTarget) {
    const std::string journal = folder.path("DEC2026.jrn");
    std::filesystem::create_hard_link(journal, folder.path("linked.txt"));
    const std::string rep = readFile(month);
    const std::string records = readFile(journal);
    for (const char* pdf : {"", "--pdf"}) {
        for (const std::string& out :
             {journal, month, folder.path("dec2026.REP.bak"), folder.path("linked.txt")}) {
            std::vector<std::string> args = {month, "--out", out};
            if (*pdf) args.push_back(pdf);
            const ReportRun run = runReport(folder, args);
            EXPECT_EQ(run.status, 1) << out << pdf;
            EXPECT_NE(run.err.find("A report may not be written there"), std::string::npos) << run.err;
        }
    }
    EXPECT_EQ(readFile(month), rep);
    EXPECT_EQ(readFile(journal), records);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 3);
}

// Page objects, not the page tree ("/Type /Pages").
int pdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at + 11, 1, "s") != 0) ++pages;
    return pages;
}

TEST_F(ReportCliTest, PdfIsThePrintedReport) {
    const std::string rep = readFile(month);
    const std::string out = folder.path("report.pdf");
    const ReportRun run =
        runReport(folder, {month, "--out", out, "--pdf", "--account", "Checking", "1475.75"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string pdf = readFile(out);
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    // The budget accounts always start a page of their own.
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_EQ(readFile(month), rep);

    const ReportRun failed =
        runReport(folder, {folder.path("NOV2026.rep"), "--out", folder.path("other.pdf"), "--pdf"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path("other.pdf")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 3);
}

}  // namespace
}  // namespace quorvel
