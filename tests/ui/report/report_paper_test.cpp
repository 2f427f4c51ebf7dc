// The printed report through Qt's print system. In a real PDF of a long month on the narrowest
// paper every text of the print steps reaches the paper, in order, inside the printable area, at
// its column: pdftotext (Debian poppler-utils, installed by ./test) reads back each word with its
// box. Qt's print preview of the demo month shows as many pages as its PDF on the same paper, and
// the usage chart adds its pages to both.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QXmlStreamReader>
#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "full_month.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/print_replay.h"
#include "print/text_codec.h"
#include "report/print_steps.h"
#include "report/report_layout.h"
#include "review/usage_chart.h"
#include "ui/review/usage_chart_view.h"

namespace quorvel::ui {
namespace {

struct Glyph {
    QChar c;
    double column;  // from the printable area's left edge, in glyph widths
    std::size_t page;
};

// The report as the program writes it to a PDF file, and Qt's PDF printer, on `paper`.
QString writePdf(const std::vector<PrintStep>& steps, const QPageSize& paper, const QString& path,
                 const std::vector<platform::PagePainter>& last = {}) {
    return print::writeReportPdf(
        steps, [&paper](const QString& file) { return platform::QtPrinter::pdfFile(file, paper); }, path,
        last);
}
std::unique_ptr<QPrinter> pdfPrinter(const QPageSize& paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(paper);
    return printer;
}

TEST(ReportPdf, EveryLineOfALongReportIsOnThePaperAtItsColumn) {
    test::TestFolder folder;
    const auto written = bench::writeFullMonth(folder.path("full"));
    ASSERT_TRUE(written) << written.message();
    Ledger full = test::loadMonth(written.value()).ledger;
    ReportEntries entries;
    entries.titles = {"Treasurer's Report", std::string(90, 'W'),
                      std::string(longestTitle() - 1, 'W')};  // as the command line may give it
    entries.accountNames = {"Checking", "Savings", std::string(28, 'N'), "Safe", "Petty Cash"};
    entries.accountAmounts = {"1000", "", "-12345678.91", "", "9999999999.99"};
    const std::vector<PrintStep> steps = printedReport(full, entries);
    // A5 is too narrow for the widest line at its size: the drawing shrinks to fit.
    const QPageSize paper(QPageSize::A5);
    const QString path = fromPath(folder.path("report.pdf"));
    ASSERT_EQ(writePdf(steps, paper, path), QString());
    // The margins Qt keeps on a PDF page of that paper.
    const QRectF printable = pdfPrinter(paper)->pageLayout().paintRect(QPageLayout::Point);
    ASSERT_GT(printable.left(), 0);

    QProcess pdftotext;  // -raw: the words in drawing order
    pdftotext.start("pdftotext", {"-raw", "-bbox", "-enc", "UTF-8", path, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished()) << "pdftotext (Debian poppler-utils, installed by ./test)";
    ASSERT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
    std::vector<Glyph> glyphs;
    std::size_t pages = 0;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        const QXmlStreamAttributes a = xml.attributes();
        const auto at = [&a](const char* name) { return a.value(QLatin1String(name)).toDouble(); };
        if (xml.name() == u"page" && xml.isStartElement()) {
            ++pages;
            EXPECT_NEAR(at("width"), paper.size(QPageSize::Point).width(), 1);
            EXPECT_NEAR(at("height"), paper.size(QPageSize::Point).height(), 1);
        }
        if (xml.name() != u"word" || !xml.isStartElement()) continue;
        const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        const QString word = xml.readElementText();
        EXPECT_TRUE(printable.contains(box)) << "page " << pages << ": " << word.toStdString();
        const double width = box.width() / word.size();
        for (qsizetype i = 0; i < word.size(); ++i)
            glyphs.push_back({word[i], (box.left() - printable.left()) / width + i, pages});
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    // Each text printed whatever the page (not page checks or heads) is the next run of glyphs
    // that spells it, spaces aside, each glyph at its column.
    std::size_t next = 0;
    for (const PrintStep& step : steps) {
        if (step.kind != PrintStep::Kind::Text) continue;
        std::vector<std::pair<QChar, int>> wanted;
        const QString text = fromCp1252(step.text);
        for (qsizetype i = 0; i < text.size(); ++i)
            if (!text[i].isSpace()) wanted.emplace_back(text[i], std::max(step.column, 1) - 1 + i);
        if (wanted.empty()) continue;
        const auto spells = [&](std::size_t from) {
            for (std::size_t i = 0; i < wanted.size(); ++i)
                if (from + i >= glyphs.size() || glyphs[from + i].c != wanted[i].first) return false;
            return true;
        };
        while (next < glyphs.size() && !spells(next)) ++next;
        ASSERT_LT(next, glyphs.size()) << "missing from the paper: " << step.text;
        for (const auto& [c, column] : wanted) {
            EXPECT_NEAR(glyphs[next].column, column, 0.1)
                << "page " << glyphs[next].page << ": " << step.text;
            ++next;
        }
    }
}

TEST(ReportPreview, ShowsThePdfsPagesWithTheChartPageLast) {
    test::TestFolder folder;
    std::filesystem::copy(QUORVEL_DEMO_DIR, folder.path("demo"));
    Ledger ledger = test::loadMonth(folder.path("demo/DEC2026.rep")).ledger;
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
        ASSERT_EQ(writePdf(steps, paper, pdf, last), QString());
        const int pages = static_cast<int>(
            QByteArray::fromStdString(test::readFile(folder.path("report.pdf"))).count("/Type /Page\n"));
        const std::unique_ptr<QPrinter> printer = pdfPrinter(paper);
        QString error;
        const platform::DocumentDrawing draw = [&](platform::Printer& p) {
            return print::printJob(steps, p, false, last);
        };
        const auto dialog = platform::QtDialogs::previewDialog(*printer, draw, nullptr, error);
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
