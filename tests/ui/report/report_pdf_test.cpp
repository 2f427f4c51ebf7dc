// The printed report of a long month on pages: in a real PDF on the narrowest paper every text
// of the print steps reaches the paper, in order, inside the printable area, at its column;
// and a table that runs onto a new page begins it with its headings.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "core/test_folder.h"
#include "full_month.h"
#include "ledger/month_file.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/print_replay.h"
#include "print/text_codec.h"
#include "report/pdf_text.h"
#include "report/print_steps.h"
#include "report/report_layout.h"
#include "testkit/test_platform.h"

namespace quorvel::ui {
namespace {

class ReportPdf : public ::testing::Test {
protected:
    void SetUp() override {
        const auto written = bench::writeFullMonth(folder.path("full"));
        ASSERT_TRUE(written) << written.message();
        Journal journal;
        ASSERT_TRUE(LoadMonthFile(full, journal, written.value(), JournalMode::ReadOnly));
    }
    test::TestFolder folder;
    Ledger full;
};

TEST_F(ReportPdf, EveryLineOfALongReportIsOnThePaperAtItsColumn) {
    ReportEntries entries;
    entries.titles = {"Treasurer's Report", std::string(90, 'W'),
                      std::string(longestTitle() - 1, 'W')};  // as the command line may give it
    entries.accountNames = {"Checking", "Savings", std::string(28, 'N'), "Safe", "Petty Cash"};
    entries.accountAmounts = {"1000", "", "-12345678.91", "", "9999999999.99"};
    const std::vector<PrintStep> steps = printedReport(full, entries);
    // A5 is too narrow for the widest line at its size: the drawing shrinks to fit.
    const QPageSize paper(QPageSize::A5);
    const QString path = fromPath(folder.path("report.pdf"));
    ASSERT_EQ(
        print::writeReportPdf(
            steps, [&paper](const QString& file) { return platform::QtPrinter::pdfFile(file, paper); }, path),
        QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<const PrintStep*> wanted;  // the texts printed whatever the page: not page checks or heads
    for (const PrintStep& step : steps)
        if (step.kind == PrintStep::Kind::Text && !step.text.empty()) wanted.push_back(&step);
    std::size_t found = 0;
    const std::vector<test::PdfPage> pages = test::readPdfTexts(file.readAll());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_NEAR(pages[p].paper.width(), paper.size(QPageSize::Point).width(), 1);
        EXPECT_GT(pages[p].printable.left(), 0);
        for (const test::PdfText& text : pages[p]) {
            const std::string where = "page " + std::to_string(p + 1) + ": " + text.text.toStdString();
            EXPECT_TRUE(pages[p].printable.contains(text.box)) << where;
            if (found == wanted.size() ||
                QString(text.text).replace('\t', ' ') != fromCp1252(wanted[found]->text))
                continue;
            const int column = std::max(wanted[found]->column, 1) - 1;  // a single glyph has no step
            EXPECT_NEAR(text.advance > 0 ? text.x / text.advance : column, column, 0.1) << where;
            ++found;
        }
    }
    ASSERT_EQ(found, wanted.size()) << "missing from the paper: " << wanted[found]->text;
}

}  // namespace
}  // namespace quorvel::ui
