// The printed report of long months on pages: as real PDF files on A4 and on Letter, for the
// benchmark's full month, the same without report sections, and the demo month, every text of
// the print steps reaches the paper, in order, inside the printable area, at the column it was
// asked for; and a table that runs onto a new page begins it with its headings.
#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <algorithm>
#include <filesystem>

#include "core/test_folder.h"
#include "full_month.h"
#include "ledger/journal.h"
#include "ledger/month_file.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/print_replay.h"
#include "print/text_codec.h"
#include "report/pdf_text.h"
#include "report/print_steps.h"
#include "report/report_layout.h"
#include "testkit/recording_printer.h"

namespace quorvel::ui {
namespace {

Ledger loaded(const std::string& path) {
    Ledger ledger;
    Journal journal;
    const Status status = LoadMonthFile(ledger, journal, path, JournalMode::ReadOnly);
    EXPECT_TRUE(status) << status.message();
    return ledger;
}

// The texts of the steps that print whatever the page: not those of page checks or page heads.
std::vector<const PrintStep*> mainTexts(const std::vector<PrintStep>& steps) {
    std::vector<const PrintStep*> texts;
    for (const PrintStep& step : steps)
        if (step.kind == PrintStep::Kind::Text && !step.text.empty()) texts.push_back(&step);
    return texts;
}

void expectEveryTextOnThePaper(const std::vector<PrintStep>& steps, const QPageSize& paper, const std::string& path,
                               const std::string& name) {
    ASSERT_EQ(print::writeReportPdf(
                  steps, [&paper](const QString& file) { return platform::QtPrinter::pdfFile(file, paper); },
                  fromPath(path)),
              QString());
    QFile file(fromPath(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<test::PdfPage> pages = test::readPdfTexts(file.readAll());
    const std::vector<const PrintStep*> wanted = mainTexts(steps);
    std::size_t found = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const test::PdfPage& page = pages[p];
        EXPECT_NEAR(page.paper.width(), paper.size(QPageSize::Point).width(), 1) << name;
        EXPECT_GT(page.printable.left(), 0) << name;
        for (const test::PdfText& text : page) {
            const std::string where = name + ", page " + std::to_string(p + 1) + ": " + text.text.toStdString();
            EXPECT_TRUE(page.printable.contains(text.box)) << where;
            if (found == wanted.size() || QString(text.text).replace('\t', ' ') != fromCp1252(wanted[found]->text))
                continue;
            if (text.advance > 0) {
                EXPECT_NEAR(text.x / text.advance, std::max(wanted[found]->column, 1) - 1, 0.1) << where;
            }
            ++found;
        }
    }
    ASSERT_EQ(found, wanted.size()) << name << ": missing from the paper: " << wanted[found]->text;
}

// The full month is written once: its journal takes a while to reach the disk.
class ReportPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new test::TestFolder;
        const auto written = bench::writeFullMonth(folder->path("full"));
        ASSERT_TRUE(written) << written.message();
        full = new Ledger(loaded(written.value()));
    }
    static void TearDownTestSuite() {
        delete full;
        delete folder;
    }
    void SetUp() override { ASSERT_NE(full, nullptr); }

    static inline test::TestFolder* folder = nullptr;
    static inline Ledger* full = nullptr;
};

TEST_F(ReportPdf, TablesRunningOntoANewPageBeginItWithTheirHeadings) {
    for (const int pageHeight : {14400, 9000}) {
        testkit::RecordingPrinter printer;
        printer.setPageHeight(pageHeight);
        Ledger ledger = *full;
        ASSERT_EQ(print::printJob(printedReport(ledger, {}), printer, false), QString());
        EXPECT_GT(printer.pages().size(), 5u);
        for (std::size_t p = 0; p < printer.pages().size(); ++p) {
            const testkit::PrintedPage& page = printer.pages()[p];
            for (const testkit::PrintedLine& line : page)
                EXPECT_LE(line.y + testkit::RecordingPrinter::lineHeight(line.font.pointSize), pageHeight)
                    << "page " << p + 1 << ": " << line.text.toStdString();
            // Rows of both tables start at column 3; a page never begins with one.
            const auto first = std::find_if(page.begin(), page.end(),
                                             [](const testkit::PrintedLine& l) { return !l.pieces.empty(); });
            ASSERT_NE(first, page.end()) << "page " << p + 1 << " is blank";
            EXPECT_NE(first->pieces.front().column, 3) << "page " << p + 1 << ": " << first->text.toStdString();
        }
    }
}

TEST_F(ReportPdf, EveryLineOfALongReportIsOnThePaperAtItsColumn) {
    std::filesystem::copy(QUORVEL_DEMO_DIR, folder->path("demo"));
    Ledger withoutSections = *full;
    for (int j = 1; j <= kSections; ++j)
        withoutSections.SectionStart[j].clear();
    ReportEntries entries;
    const std::string longest(longestTitle(), 'W');
    entries.titles = {"Treasurer's Report", longest, longest.substr(1)};
    entries.accountNames = {"Checking", "Savings", std::string(28, 'N'), "Safe", "Petty Cash"};
    entries.accountAmounts = {"1000", "", "-12345678.91", "", "9999999999.99"};
    ReportEntries longTitle = entries;  // as the command line may give it
    longTitle.titles[1] = std::string(90, 'W');
    const Ledger demo = loaded(folder->path("demo/DEC2026.rep"));
    const struct {
        std::string name;
        Ledger ledger;
        const ReportEntries& entries;
    } months[] = {
        {"full month", *full, entries},
        {"no sections", withoutSections, entries},
        {"demo month", demo, entries},
        {"demo month with a long title", demo, longTitle},
    };
    for (const auto& month : months) {
        // A5 is too narrow for the widest line at its size: the drawing shrinks to fit.
        for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter, QPageSize::A5}) {
            Ledger ledger = month.ledger;
            const std::vector<PrintStep> steps = printedReport(ledger, month.entries);
            const std::string name = month.name + (" on " + QPageSize::name(paper).toStdString());
            expectEveryTextOnThePaper(steps, QPageSize(paper), folder->path("report.pdf"), name);
        }
    }
}

}  // namespace
}  // namespace quorvel::ui
