// The report window: its kept names, "View Total", the report files, "PRINT!", "Save as PDF",
// the printer chosen and the usage chart: which dialog or job each reaches, the words shown, and
// which files were written.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ledger/file_faults.h"
#include "platform/qt_printer.h"
#include "report/report_file.h"
#include "report/report_layout.h"
#include "ui/mainwindow/user_settings.h"
#include "ui/report/frmprinter.h"
#include "ui/review/FrmUsageChart.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using platform::PrinterChoice;

int filesIn(const std::string& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class ReportWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        openSample("NOV2026.rep",
                   {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
                    test::keyed("DD", "01234", Money::cents(2500)), test::bx("102", Money::cents(995)),
                    test::keyed("SX", "11111", Money::cents(1250))});
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(settings.path("xdg")));  // the printer chosen
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedSettings); }
    // Opens the report window as the File menu's "Print" does, its names kept in the test's folder.
    QPointer<frmprinter> openReportWindow() {
        auto* report = new frmprinter(window, QString::fromStdString(settings.path("accounts.dat")));
        report->start();
        return report;
    }
    bool closedAndBack(const QPointer<frmprinter>& report) const {
        return (!report || !report->isVisible()) && window.isVisible();
    }
    QByteArray savedSettings = qgetenv("XDG_CONFIG_HOME");
    test::TestFolder settings;  // the names and the printer chosen
};

TEST_F(ReportWindowTest, OpensWithTheReportBalanceKeepsNamesAndTitlesAndViewTotalCompares) {
    QPointer<frmprinter> report = openReportWindow();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(report->Label8->text(), "Report balance is 1450.80");
    const QStringList typed = {"Ck", "Savings", "", "Petty Cash", "Vault"};
    for (int k = 0; k < kReportAccounts; ++k)
        QTest::keyClicks(report->txtname[k], typed[k]);
    report->TxtAmount[1]->setText("250.00");
    report->TxtcTitle->setText("December 2026");
    QTest::mouseClick(report->Command3, Qt::LeftButton);
    QTest::mouseClick(report->Command2, Qt::LeftButton);
    EXPECT_TRUE(closedAndBack(report));
    const std::pair<long long, const char*> totals[] = {{12345, nullptr}, {12000, "variance was 3.45"}};
    for (const auto& [balanceCents, variance] : totals) {
        window.ledger().Summary[kRemainingBalance] = Money::cents(balanceCents);
        report = openReportWindow();
        const QStringList kept = {"Savings", "Petty Cash", "Vault", "", ""};  // longer than two characters
        for (int k = 0; k < kReportAccounts; ++k)
            EXPECT_EQ(report->txtname[k]->text(), kept[k]) << k;
        EXPECT_EQ(report->TxtAmount[1]->text(), "");
        EXPECT_EQ(report->TxtcTitle->text(), "December 2026");
        report->TxtAmount[0]->setText("100.00");
        report->TxtAmount[3]->setText("23.45");
        QTest::mouseClick(report->CmdTotal, Qt::LeftButton);
        EXPECT_EQ(report->Label6->text(), "123.45");
        EXPECT_EQ(dialogs().messages(), variance ? QStringList{variance} : QStringList{});
        report->Command2_Click();
    }
}

// Cancel once wrote into the file chosen last time, and any file was replaced without a question.
TEST_F(ReportWindowTest, ReportFilesAreWrittenAsTheCoreComposesThemAndReplacedOnlyWhenSaid) {
    const QPointer<frmprinter> report = openReportWindow();
    QTest::keyClicks(report->txtname[0], "Checking");
    report->TxtAmount[0]->setText("1450.8");
    ReportEntries entries;
    entries.titles = {"Treasurer's Report", "", ""};
    entries.accountNames[0] = "Checking";
    entries.accountAmounts[0] = "1450.80";
    const std::string path = folder.path("report.txt");
    const struct {
        QPushButton* button;
        bool chosen;
        std::optional<Answer> replace;
        ReportFileKind inFile;
    } cases[] = {{report->Command4, true, {}, ReportFileKind::Monthly},
                 {report->Command5, false, {}, ReportFileKind::Monthly},
                 {report->Command5, true, Answer::No, ReportFileKind::Monthly},
                 {report->Command5, true, Answer::Yes, ReportFileKind::Annual}};
    for (const auto& c : cases) {
        c.chosen ? dialogs().chooseFileNext(QString::fromStdString(path)) : dialogs().cancelFileNext();
        if (c.replace) dialogs().answerNext(*c.replace);
        QTest::mouseClick(c.button, Qt::LeftButton);
        Ledger ledger = window.ledger();
        EXPECT_EQ(test::readFile(path), reportFileText(ledger, entries, c.inFile));
    }
    const QString replace = QString::fromStdString(path) + " already exists.\nDo you want to replace it?";
    EXPECT_EQ(dialogs().messages(), QStringList(2, replace));
    const testkit::Shown& last = dialogs().shown.rbegin()[1];  // no title or filter, the last name chosen
    EXPECT_EQ(last.file.title + last.file.pattern, "");
    EXPECT_EQ(last.file.initialName, QString::fromStdString(path));
}

TEST_F(ReportWindowTest, WhatCannotBeWrittenIsRefusedOrReportedWithTheWindowOpen) {
    const QPointer<frmprinter> report = openReportWindow();
    const Files untouched = files();
    const QString notWritten = "The report could not be written.",
                  there = "A report may not be written there";
    const auto in = [this](const char* name) { return folder.path(name); };
    const struct {
        std::function<void()> act;
        std::optional<std::string> file;  // empty: the dialog is cancelled; nullopt: none is asked
        QString message;                  // the start of the message, and a part of it; empty: none
        QString part = {};
    } cases[] = {
        {[&] { report->Command5_Click(); }, "", ""},
        {[&] { report->Command4_Click(); }, in("*.txt"), "Invalid file name"},
        {[&] { report->Command4_Click(); }, "a", "file name must be specified"},
        {[&] { report->Command5_Click(); }, in("no folder/report.txt"), notWritten, "no folder/report.txt"},
        {[&] { report->Command5_Click(); }, in("NOV2026.jrn"), notWritten, there},
        {[&] { report->Command5_Click(); }, in("nov2026.REP"), notWritten, there},
        {[&] { report->Command5_Click(); }, in("NOV2026.rep.lock"), notWritten, there},
        {[&] { report->CmdPdf_Click(); }, in("NOV2026.jrn"), "The report could not be saved as PDF.", there},
        {[&] {
             ScopedFileFault failing(
                 [](FileStep s, const std::string&) { return s == FileStep::Sync ? EIO : 0; });
             report->Command4_Click();
         },
         in("report.txt"), notWritten, std::strerror(EIO)},
        {[&] {
             ScopedFileFault failing(
                 [](FileStep s, const std::string&) { return s == FileStep::Rename ? EIO : 0; });
             report->Command3_Click();
         },
         std::nullopt, "Your account names could not be saved.", std::strerror(EIO)},
        {[&] {
             report->TxtAmount[2]->setText("$1,2x");
             report->Command4_Click();
             report->TxtAmount[2]->clear();
         },
         in("report.txt"), "\"$1,2x\" in the box \"Account Amount 3\""},
        {[&] {
             report->TxtcTitle->setText(QString::fromUtf8("Gemeinde \u0141\u00f3d\u017a"));
             report->Command4_Click();
         },
         in("report.txt"), "A title or account name holds a character", "Windows-1252"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.value_or("no file") + " " + c.message.toStdString());
        if (c.file)
            c.file->empty() ? dialogs().cancelFileNext()
                            : dialogs().chooseFileNext(QString::fromStdString(*c.file));
        const QStringList before = dialogs().messages();
        c.act();
        const QStringList shown = dialogs().messages().mid(before.size());
        ASSERT_EQ(shown.size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty())
            EXPECT_TRUE(shown[0].startsWith(c.message) && shown[0].contains(c.part))
                << shown[0].toStdString();
        EXPECT_TRUE(report->isVisible());
    }
    EXPECT_TRUE(files() == untouched);
    EXPECT_EQ(filesIn(folder.root()), 3);  // the month, its journal and its lock
}

TEST_F(ReportWindowTest, PrintsEachCopyAsAJobOfItsOwnAndCloses) {
    const struct {
        const char* copies;
        bool twoSided;
        std::size_t jobs;
    } cases[] = {{"2.5", true, 2} /* halves round to even */,
                 {"1", false, 1},
                 {"0", false, 0},
                 {"-3", false, 0},
                 {"none", false, 0},
                 {"0.5", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copies);
        dialogs().shown.clear();
        const std::size_t before = testPlatform().printJobs().size();
        const QPointer<frmprinter> report = openReportWindow();
        report->TxtPnum->setText(c.copies);
        report->Chkdouble->setChecked(c.twoSided);
        dialogs().answerNext(Answer::Yes);
        QTest::mouseClick(report->Command1, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages(), QStringList{"Is the default printer ready?"});
        const auto& jobs = testPlatform().printJobs();
        ASSERT_EQ(jobs.size() - before, c.jobs);
        for (std::size_t j = before; j < jobs.size(); ++j) {
            EXPECT_TRUE(jobs[j]->ended);
            EXPECT_EQ(jobs[j]->duplex, c.twoSided);
            ASSERT_EQ(jobs[j]->pages.size(), 2u);  // the budget accounts start a page of their own
            EXPECT_EQ(jobs[j]->allText(), jobs[before]->allText());
            EXPECT_EQ(jobs[j]->pages[0][2].font, (testkit::PrintFont{"Courier New", 15, true}));  // the title
        }
        EXPECT_TRUE(closedAndBack(report));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(ReportWindowTest, NoToThePrinterQuestionOrAFailingPrinterKeepsTheWindowOpen) {
    const QString notPrinted = "The report could not be printed.\n\n",
                  none = "No printer is set up on this computer.";
    const struct {
        const char* copies;
        QString failOnBegin, failOnEnd;
        Answer ready, pdfInstead;
        std::size_t jobs;
        QString message;  // empty: only the question
    } cases[] = {
        {"1", "", "", Answer::No, Answer::No, 0, ""},
        {"3", none, "", Answer::Yes, Answer::No, 1, notPrinted + none + "\n\nSave it as PDF instead?"},
        {"3", "", "Offline.", Answer::Yes, Answer::No, 1, notPrinted + "Offline.\n\nSave it as PDF instead?"},
        {"40000", "", "", Answer::Yes, Answer::No, 0, "At most 32767 copies can be printed at once."},
        {"1", none, "", Answer::Yes, Answer::Yes, 1, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copies);
        testPlatform().failPrinterOnBegin(c.failOnBegin);
        testPlatform().failPrinterOnEnd(c.failOnEnd);
        const std::size_t before = testPlatform().printJobs().size();
        const QPointer<frmprinter> report = openReportWindow();
        report->TxtPnum->setText(c.copies);
        dialogs().answerNext(c.ready);
        if (c.jobs != 0) dialogs().answerNext(c.pdfInstead);
        if (c.pdfInstead == Answer::Yes)
            dialogs().chooseFileNext(QString::fromStdString(folder.path("instead.pdf")));
        report->Command1_Click();
        EXPECT_EQ(testPlatform().printJobs().size() - before, c.jobs);
        EXPECT_TRUE(report->isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        if (c.jobs != 0) EXPECT_EQ(report->Label8->text(), "Nothing was printed.");
        if (!c.message.isEmpty()) EXPECT_EQ(lastMessage(), c.message);
        report->Command2_Click();
    }
    EXPECT_EQ(testPlatform().pdfJobs().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(folder.path("instead.pdf")));
}

TEST_F(ReportWindowTest, SaveAsPdfWritesThePrintedReportOnThePaperChosenOrLeavesNoFile) {
    const QPointer<frmprinter> report = openReportWindow();
    for (QLineEdit* title : {report->TxtaTitle, report->TxtcTitle}) {  // what fits on the paper
        title->clear();
        QTest::keyClicks(title, QString(static_cast<int>(longestTitle()) + 3, 'x'));
        EXPECT_EQ(title->text().size(), longestTitle());
    }
    const QString fits = "A title line holds at most %1 characters, so that it fits on the paper.";
    EXPECT_EQ(dialogs().messages(), QStringList{fits.arg(longestTitle())});
    EXPECT_EQ(report->CboPaper->currentData().toInt(), platform::QtPrinter::localePaper().id());
    const auto paper =
        platform::QtPrinter::localePaper().id() == QPageSize::A4 ? QPageSize::Letter : QPageSize::A4;
    report->CboPaper->setCurrentIndex(report->CboPaper->findData(static_cast<int>(paper)));
    const std::string pdf = folder.path("report.pdf");
    dialogs().chooseFileNext(QString::fromStdString(pdf));
    QTest::mouseClick(report->CmdPdf, Qt::LeftButton);
    EXPECT_EQ(dialogs().shown.back().file.initialName, QString::fromStdString(folder.path("*.pdf")));
    ASSERT_EQ(testPlatform().pdfJobs().size(), 1u);
    const auto& job = testPlatform().pdfJobs()[0];
    EXPECT_EQ(job.paper, paper);
    EXPECT_NE(job.path, QString::fromStdString(pdf));  // a temporary file beside it took its place
    EXPECT_EQ(QString::fromUtf8(test::readFile(pdf)), job.document->allText().join('\n'));
    dialogs().answerNext(Answer::Yes);
    report->Command1_Click();
    const testkit::PrintedDocument& printed = testPlatform().onlyPrintJob();
    ASSERT_EQ(job.document->pages.size(), printed.pages.size());
    for (std::size_t p = 0; p < printed.pages.size(); ++p) {
        EXPECT_EQ(job.document->pageText(p), printed.pageText(p)) << "page " << p;
        for (std::size_t l = 0; l < printed.pages[p].size(); ++l)
            EXPECT_EQ(job.document->pages[p].at(l).font, printed.pages[p][l].font);
    }
    const std::string older = test::readFile(pdf);
    const QPointer<frmprinter> again = openReportWindow();
    testPlatform().failPdfOnEnd("The file could not be written.");
    dialogs().cancelFileNext();
    again->CmdPdf_Click();
    dialogs().chooseFileNext(QString::fromStdString(pdf));
    again->CmdPdf_Click();
    EXPECT_TRUE(lastMessage().startsWith("The report could not be saved as PDF."));
    EXPECT_TRUE(lastMessage().contains("The file could not be written."));
    EXPECT_EQ(testPlatform().pdfJobs().size(), 2u);
    EXPECT_EQ(test::readFile(pdf), older);
    EXPECT_EQ(filesIn(folder.root()), 4);  // month, journal, its lock and the report: no temporary left
}

TEST_F(ReportWindowTest, ThePrinterChosenIsRememberedAndPrintedToWhileItIsSetUp) {
    QPointer<frmprinter> report = openReportWindow();
    EXPECT_EQ(report->LblPrinter->text(), "Printing on the default printer, its own paper");
    const PrinterChoice hall{"Hall", QPageSize(QPageSize::Letter)};
    dialogs().choosePrinterNext(hall);
    QTest::mouseClick(report->CmdPrinter, Qt::LeftButton);
    EXPECT_EQ(dialogs().shown.back().printer, PrinterChoice{});  // offered from the default
    report->Command2_Click();
    QFile conf(QString::fromStdString(settings.path("xdg/quorvel-tests/quorvel.conf")));
    ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(conf.readAll().contains("printer=Hall"));
    report = openReportWindow();
    dialogs().answerNext(Answer::Yes);
    report->Command1_Click();
    dialogs().answerNext(Answer::Yes);
    window.CmdPrint_Click();  // the main window's list goes to the same printer
    EXPECT_EQ(dialogs().messages(), QStringList(2, "Is the printer Hall ready?"));
    EXPECT_EQ(testPlatform().printerChoices(), (std::vector<PrinterChoice>{hall, hall}));
    testPlatform().printers = {"Office"};  // taken away: said once, then the default on the paper chosen
    for (const int opening : {1, 2}) {
        dialogs().shown.clear();
        report = openReportWindow();
        EXPECT_EQ(dialogs().messages().size(), opening == 1 ? 1 : 0);
        dialogs().answerNext(Answer::Yes);
        report->Command1_Click();
        EXPECT_EQ(lastMessage(), "Is the default printer ready?");
        EXPECT_EQ(testPlatform().printerChoices().back(), (PrinterChoice{"", QPageSize(QPageSize::Letter)}));
    }
}

// The preview shows the chosen printer's paper, or with no printer to reach (none set up, or
// the print service down) the paper for Save as PDF; a printer chosen before is kept then.
TEST_F(ReportWindowTest, PreviewShowsThePrintersPaperOrThePdfsWhenNoneCanBeReached) {
    const PrinterChoice hall{"Hall", QPageSize(QPageSize::Letter)}, pdfA4{"", QPageSize(QPageSize::A4)};
    const QString own = "The preview shows the printer's paper, its own", on = "Printing on ";
    const struct {
        QStringList printers;
        QList<QPageSize> taken;  // empty: any
        PrinterChoice remembered, previewed;
        QString printing, preview;
    } cases[] = {{{"Office", "Hall"},
                  {},
                  hall,
                  hall,
                  on + "Hall, Letter / ANSI A",
                  "The preview shows the printer's paper, Letter / ANSI A"},
                 {{"Office", "Hall"},
                  {pdfA4.paper},
                  hall,
                  hall,
                  on + "Hall, its own paper, as it does not take Letter / ANSI A",
                  own},
                 {{"Office"}, {}, {}, {}, on + "the default printer, its own paper", own},
                 {{},
                  {},
                  hall,
                  pdfA4,
                  "No printer can be reached now; printing on Hall, Letter / ANSI A when it can",
                  "The preview shows the paper for Save as PDF, A4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printing.toStdString());
        testPlatform().printers = c.printers;
        testPlatform().papersTaken = c.taken;
        rememberPrinterChoice(c.remembered);
        const QPointer<frmprinter> report = openReportWindow();
        report->CboPaper->setCurrentIndex(report->CboPaper->findText("A4"));
        EXPECT_EQ(report->LblPrinter->text(), c.printing);
        EXPECT_EQ(report->LblPreviewPaper->text(), c.preview);
        QTest::mouseClick(report->CmdPreview, Qt::LeftButton);
        EXPECT_EQ(dialogs().shown.back().kind, testkit::Shown::Kind::Preview);
        EXPECT_EQ(dialogs().shown.back().printer, c.previewed);
        EXPECT_EQ(printerChoice(), c.remembered);
        report->Command2_Click();
    }
}

TEST_F(ReportWindowTest, UsageChartOpensFromTheMenuAndSavesAsPng) {
    window.MnuUsageChart->trigger();
    FrmUsageChart* chart = shown<FrmUsageChart>();
    ASSERT_NE(chart, nullptr);
    const QString png = QString::fromStdString(folder.path("chart.png"));
    const struct {
        QString chosen;  // empty: cancelled
        std::optional<Answer> replace;
        QString message;
        bool written;
    } saves[] = {
        {"", {}, "", false},
        {QString::fromStdString(folder.path("NOV2026.jrn")), {}, "The chart could not be saved.", false},
        {png, {}, "", true},
        {png, Answer::No, "already exists", false},
        {png, Answer::Yes, "already exists", true}};
    for (const auto& save : saves) {
        SCOPED_TRACE(save.chosen.toStdString() + " " + save.message.toStdString());
        const bool existed = QFile::exists(png);
        if (existed) test::writeFile(png.toStdString(), "old");
        dialogs().shown.clear();
        save.chosen.isEmpty() ? dialogs().cancelFileNext() : dialogs().chooseFileNext(save.chosen);
        if (save.replace) dialogs().answerNext(*save.replace);
        QTest::mouseClick(chart->CmdSavePng, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().size(), save.message.isEmpty() ? 0 : 1);
        EXPECT_TRUE(lastMessage().contains(save.message));
        EXPECT_EQ(QImage(png, "PNG").width(), save.written ? 1200 : 0);
        EXPECT_EQ(QFile::exists(png), existed || save.written);
    }
    QTest::mouseClick(chart->CmdClose, Qt::LeftButton);
    EXPECT_FALSE(chart->isVisible());
}

}  // namespace
}  // namespace quorvel::ui
