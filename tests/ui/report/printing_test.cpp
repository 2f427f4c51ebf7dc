// "PRINT!" and "Save as PDF" from the report window: copies, two-sided printing, a failing
// printer, and a PDF that holds exactly the printed report.
#include <QComboBox>
#include <QFile>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "platform/qt_printer.h"
#include "report/pdf_text.h"
#include "report/report_layout.h"
#include "report/report_window_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;


// Every text of a printed document, page by page, as printAt placed it.
std::vector<std::vector<testkit::PrintedText>> printedTexts(const testkit::PrintedDocument& document) {
    std::vector<std::vector<testkit::PrintedText>> pages;
    for (const testkit::PrintedPage& page : document.pages) {
        pages.emplace_back();
        for (const testkit::PrintedLine& line : page)
            for (const testkit::PrintedText& piece : line.pieces)
                pages.back().push_back(piece);
    }
    return pages;
}

std::size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST_F(ReportWindowTest, PrintsEachCopyAsAJobOfItsOwnAndCloses) {
    const QPointer<frmprinter> report = openReportWindow();
    report->TxtPnum->setText("2.5");  // halves round to even: two copies
    report->Chkdouble->setChecked(true);
    QTest::keyClicks(report->TxtbTitle, "December 2026");
    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(report->Command1, Qt::LeftButton);

    EXPECT_EQ(dialogs().messages(), QStringList{"Is the default printer ready?"});
    EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
    const auto& jobs = testPlatform().printJobs();
    ASSERT_EQ(jobs.size(), 2u);
    for (const auto& job : jobs) {
        EXPECT_TRUE(job->ended);
        EXPECT_TRUE(job->duplex);
        ASSERT_EQ(job->pages.size(), 2u);  // the budget accounts start a page of their own
        EXPECT_EQ(job->pageText(0), jobs[0]->pageText(0));
        EXPECT_EQ(job->pageText(1), jobs[0]->pageText(1));
    }
    const QStringList first = jobs[0]->pageText(0);
    ASSERT_GE(first.size(), 6);
    EXPECT_EQ(first.mid(0, 6), (QStringList{"", "", QString(25, ' ') + "Treasurer's Report",
                                            QString(27, ' ') + "December 2026", "",
                                            QString(14, ' ') + "Balance on Hand Beginning of Month" +
                                                QString(26, ' ') + "     1000.75"}));
    const testkit::PrintedLine& title = jobs[0]->pages[0][2];
    EXPECT_EQ(title.font, (testkit::PrintFont{"Courier New", 15, true}));
    EXPECT_EQ(jobs[0]->pages[0][5].font.pointSize, 10);
    EXPECT_EQ(jobs[0]->pageText(1).at(2), QString(39, ' ') + "Budget Accounts");

    EXPECT_TRUE(closedAndBack(report));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindowTest, OneSidedUnlessTicked) {
    const QPointer<frmprinter> report = openReportWindow();
    dialogs().answerNext(Answer::Yes);
    report->Command1_Click();
    EXPECT_FALSE(testPlatform().onlyPrintJob().duplex);
}

TEST_F(ReportWindowTest, NoToThePrinterQuestionKeepsTheWindowOpen) {
    const QPointer<frmprinter> report = openReportWindow();
    QTest::keyClicks(report->txtname[0], "Checking");
    dialogs().answerNext(Answer::No);
    report->Command1_Click();
    EXPECT_TRUE(testPlatform().printJobs().empty());
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->txtname[0]->text(), "Checking");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReportWindowTest, NoCopiesPrintNothingAndClose) {
    for (const char* copies : {"0", "-3", "none", "0.5"}) {
        const QPointer<frmprinter> report = openReportWindow();
        report->TxtPnum->setText(copies);
        dialogs().answerNext(Answer::Yes);
        report->Command1_Click();
        EXPECT_TRUE(testPlatform().printJobs().empty()) << copies;
        EXPECT_TRUE(closedAndBack(report)) << copies;
        EXPECT_EQ(dialogs().messages().size(), 1) << copies;
        dialogs().shown.clear();
    }
}

TEST_F(ReportWindowTest, AFailingPrinterEndsTheRunWithTheWindowOpen) {
    const struct {
        const char* name;
        const char* copies;
        bool failOnBegin;
        bool failOnEnd;
        std::size_t jobs;
        QString message;
    } cases[] = {
        {"no printer", "3", true, false, 1,
         "The report could not be printed.\n\nNo printer is set up on this computer.\n\nSave it as PDF instead?"},
        {"printer fails at the end", "3", false, true, 1,
         "The report could not be printed.\n\nThe printer went offline.\n\nSave it as PDF instead?"},
        {"copies beyond 16 bits", "40000", false, false, 0, "At most 32767 copies can be printed at once."},
    };
    for (const auto& c : cases) {
        testkit::TestPlatform& test = testPlatform();
        test.failPrinterOnBegin(c.failOnBegin ? "No printer is set up on this computer." : "");
        test.failPrinterOnEnd(c.failOnEnd ? "The printer went offline." : "");
        const std::size_t before = test.printJobs().size();
        const QPointer<frmprinter> report = openReportWindow();
        report->TxtPnum->setText(c.copies);
        QTest::keyClicks(report->txtname[0], "Checking");
        dialogs().answerNext(Answer::Yes);
        if (c.jobs != 0) dialogs().answerNext(Answer::No);  // no PDF instead
        report->Command1_Click();

        EXPECT_EQ(dialogs().messages().back(), c.message) << c.name;
        EXPECT_EQ(report->Label8->text(), "Nothing was printed.") << c.name;
        EXPECT_EQ(test.printJobs().size() - before, c.jobs) << c.name;
        EXPECT_TRUE(report->isVisible()) << c.name;
        EXPECT_FALSE(window.isVisible()) << c.name;
        EXPECT_EQ(report->txtname[0]->text(), "Checking") << c.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.name;

        // "View Total" still compares with the balance, though the status label changed.
        report->TxtAmount[0]->setText("1450.80");
        report->CmdTotal_Click();
        EXPECT_EQ(dialogs().messages().back(), c.message) << c.name;
        report->Command2_Click();
    }
}

TEST_F(ReportWindowTest, WithoutAPrinterAPdfIsOfferedInstead) {
    testPlatform().failPrinterOnBegin("No printer is set up on this computer.");
    const QPointer<frmprinter> report = openReportWindow();
    dialogs().answerNext(Answer::Yes);
    dialogs().answerNext(Answer::Yes);
    const std::string path = folder.path("instead.pdf");
    dialogs().chooseFileNext(QString::fromStdString(path));
    report->Command1_Click();
    EXPECT_EQ(dialogs().shown.back().kind, testkit::Shown::Kind::SaveFile);
    ASSERT_EQ(testPlatform().pdfJobs().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(report->Label8->text(), "Nothing was printed.");
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindowTest, TitleBoxesHoldWhatFitsOnThePaper) {
    const QPointer<frmprinter> report = openReportWindow();
    for (QLineEdit* title : {report->TxtaTitle, report->TxtcTitle}) {
        title->clear();
        QTest::keyClicks(title, QString(static_cast<int>(longestTitle()) + 3, 'x'));
        EXPECT_EQ(title->text().size(), longestTitle());
    }
    EXPECT_EQ(dialogs().messages(),
              QStringList{QString("A title line holds at most %1 characters, so that it fits on the paper.")
                              .arg(longestTitle())});
}

TEST_F(ReportWindowTest, SaveAsPdfWritesThePrintedReport) {
    const QPointer<frmprinter> report = openReportWindow();
    QTest::keyClicks(report->txtname[1], "Savings");
    report->TxtAmount[1]->setText("1450.80");
    const std::string path = folder.path("report.pdf");
    dialogs().chooseFileNext(QString::fromStdString(path));
    QTest::mouseClick(report->CmdPdf, Qt::LeftButton);

    const testkit::Shown& dialog = dialogs().shown.back();
    EXPECT_EQ(dialog.kind, testkit::Shown::Kind::SaveFile);
    EXPECT_EQ(dialog.file.pattern, "*.pdf");
    EXPECT_EQ(dialog.file.initialName, QString::fromStdString(folder.path("*.pdf")));
    ASSERT_EQ(testPlatform().pdfJobs().size(), 1u);
    const testkit::PrintedDocument& pdf = *testPlatform().pdfJobs()[0].document;
    EXPECT_TRUE(pdf.ended);
    // The document went to a temporary file beside the target, which then took its place.
    EXPECT_NE(testPlatform().pdfJobs()[0].path, QString::fromStdString(path));
    EXPECT_EQ(QString::fromUtf8(test::readFile(path)), pdf.allText().join('\n'));
    EXPECT_EQ(filesIn(folder.root()), 4u);  // month, journal, its lock and the report
    EXPECT_TRUE(report->isVisible());
    EXPECT_TRUE(dialogs().messages().isEmpty());

    dialogs().answerNext(Answer::Yes);
    report->Command1_Click();
    const testkit::PrintedDocument& printed = testPlatform().onlyPrintJob();
    ASSERT_EQ(pdf.pages.size(), printed.pages.size());
    for (std::size_t p = 0; p < pdf.pages.size(); ++p) {
        EXPECT_EQ(pdf.pageText(p), printed.pageText(p)) << "page " << p;
        ASSERT_EQ(pdf.pages[p].size(), printed.pages[p].size());
        for (std::size_t l = 0; l < pdf.pages[p].size(); ++l)
            EXPECT_EQ(pdf.pages[p][l].font, printed.pages[p][l].font);
    }
}

TEST_F(ReportWindowTest, SaveAsPdfCancelledOrFailingLeavesNoFile) {
    const QPointer<frmprinter> report = openReportWindow();
    dialogs().cancelFileNext();
    report->CmdPdf_Click();
    EXPECT_TRUE(testPlatform().pdfJobs().empty());
    EXPECT_TRUE(dialogs().messages().isEmpty());

    const std::string path = folder.path("report.pdf");
    test::writeFile(path, "the older report");
    testPlatform().failPdfOnEnd("The file could not be written.");
    dialogs().chooseFileNext(QString::fromStdString(path));
    report->CmdPdf_Click();
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_TRUE(dialogs().messages()[0].startsWith("The report could not be saved as PDF."));
    EXPECT_TRUE(dialogs().messages()[0].contains("The file could not be written."));
    EXPECT_EQ(test::readFile(path), "the older report");
    EXPECT_EQ(filesIn(folder.root()), 4u);  // month, journal, its lock, the older report: no temporary left
    EXPECT_TRUE(report->isVisible());
}

TEST_F(ReportWindowTest, TheRealPdfHoldsThePrintedTextsAtTheirColumns) {
    testPlatform().platform.pdfPrinter = [](const QString& file, const QPageSize& paper) {
        return platform::QtPrinter::pdfFile(file, paper);
    };
    const QPointer<frmprinter> report = openReportWindow();
    report->TxtcTitle->setText(QString::fromUtf8("Caf\u00e9 & Co."));
    QTest::keyClicks(report->txtname[0], "Checking");
    report->TxtAmount[0]->setText("1000");
    const std::string path = folder.path("december.pdf");
    dialogs().chooseFileNext(QString::fromStdString(path));
    report->CmdPdf_Click();
    ASSERT_TRUE(dialogs().messages().isEmpty()) << dialogs().messages().join('\n').toStdString();
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<test::PdfPage> pdf = test::readPdfTexts(file.readAll());

    dialogs().answerNext(Answer::Yes);
    report->Command1_Click();
    const auto printed = printedTexts(testPlatform().onlyPrintJob());
    ASSERT_EQ(pdf.size(), printed.size());
    for (std::size_t p = 0; p < pdf.size(); ++p) {
        ASSERT_EQ(pdf[p].size(), printed[p].size()) << "page " << p;
        for (std::size_t t = 0; t < pdf[p].size(); ++t) {
            QString text = pdf[p][t].text;
            text.replace('\t', ' ');  // the space glyph may map back to a tab
            EXPECT_EQ(text, printed[p][t].text) << "page " << p << " text " << t;
            if (pdf[p][t].advance > 0) {
                EXPECT_NEAR(pdf[p][t].x / pdf[p][t].advance, std::max(printed[p][t].column, 1) - 1, 0.1)
                    << printed[p][t].text.toStdString();
            }
        }
    }
}

TEST_F(ReportWindowTest, SaveAsPdfUsesThePaperChosenInTheWindow) {
    const QPointer<frmprinter> report = openReportWindow();
    EXPECT_EQ(report->CboPaper->currentData().toInt(), platform::QtPrinter::localePaper().id());
    for (QPageSize::PageSizeId paper : {QPageSize::Letter, QPageSize::A4}) {
        report->CboPaper->setCurrentIndex(report->CboPaper->findData(static_cast<int>(paper)));
        dialogs().chooseFileNext(QString::fromStdString(folder.path("report.pdf")));
        report->CmdPdf_Click();
        ASSERT_FALSE(testPlatform().pdfJobs().empty());
        EXPECT_EQ(testPlatform().pdfJobs().back().paper, paper);
    }
}

}  // namespace
}  // namespace quorvel::ui
