// Qt's print preview of the demo month's report shows as many pages as its PDF on the same
// paper, and the usage chart adds its pages to both.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <filesystem>

#include "core/test_folder.h"
#include "ledger/journal.h"
#include "ledger/month_file.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/print_replay.h"
#include "print/text_codec.h"
#include "report/print_steps.h"
#include "review/usage_chart.h"
#include "ui/review/usage_chart_view.h"

namespace quorvel::ui {
namespace {

int pdfPages(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return static_cast<int>(file.readAll().count("/Type /Page\n"));
}

TEST(ReportPreview, ShowsThePdfsPagesWithTheChartPageLast) {
    test::TestFolder folder;
    std::filesystem::copy(QUORVEL_DEMO_DIR, folder.path("demo"));
    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, folder.path("demo/DEC2026.rep"), JournalMode::ReadOnly).ok());
    const std::vector<PrintStep> steps = printedReport(ledger, {});
    // The demo's chart fits one page; one of many accounts runs over several.
    const UsageChart chart = usageChart(ledger);
    UsageChart many = chart;
    while (usageChartRows(many) <= 2 * kUsageChartPageRows)
        many.groups.insert(many.groups.end(), chart.groups.begin(), chart.groups.end());
    const QString pdf = fromPath(folder.path("report.pdf"));
    const QPageSize paper(QPageSize::A4);
    int withoutChart = 0;
    for (const UsageChart* withChart : std::vector<const UsageChart*>{nullptr, &chart, &many}) {
        const std::vector<platform::PagePainter> last =
            withChart ? usageChartPrintedPages(*withChart) : std::vector<platform::PagePainter>{};
        ASSERT_EQ(
            print::writeReportPdf(
                steps, [&paper](const QString& path) { return platform::QtPrinter::pdfFile(path, paper); },
                pdf, last),
            QString());
        const int pages = pdfPages(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(paper);
        QString error;
        const platform::DocumentDrawing draw = [&](platform::Printer& p) {
            return print::printJob(steps, p, false, last);
        };
        const auto dialog = platform::QtDialogs::previewDialog(printer, draw, nullptr, error);
        QStringList hidden;
        for (const QActionGroup* group : platform::QtDialogs::previewHiddenActions(*dialog)) {
            EXPECT_FALSE(group->isVisible());
            for (const QAction* action : group->actions()) hidden << action->text();
        }
        EXPECT_EQ(hidden, (QStringList{"Portrait", "Landscape", "Print", "Page setup"}));
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        const int chartPages =
            withChart ? static_cast<int>(usageChartPages(*withChart, kUsageChartPageRows).size()) : 0;
        SCOPED_TRACE(chartPages);
        EXPECT_EQ(error, QString());
        EXPECT_EQ(preview->pageCount(), pages);
        if (withChart) {
            EXPECT_EQ(pages, withoutChart + chartPages);
            EXPECT_EQ(chartPages > 2, withChart == &many);
        } else {
            EXPECT_GT(pages, 1);
            withoutChart = pages;
        }
    }
}

}  // namespace
}  // namespace quorvel::ui
