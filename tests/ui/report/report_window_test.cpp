// The report window: its kept names, "View Total", the report files, "PRINT!", "Save as PDF",
// the printer chosen and the usage chart: which dialog or job each reaches, the words shown, and
// which files were written.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ledger/file_faults.h"
#include "platform/qt_printer.h"
#include "report/report_layout.h"
#include "ui/report/frmprinter.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

class ReportWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        openSample("NOV2026.rep",
                   {test::bx("101", Money::cents(4000), "ck 1"), test::keyed("DP", "", Money::cents(50000)),
                    test::keyed("DD", "01234", Money::cents(2500)), test::bx("102", Money::cents(995)),
                    test::keyed("SX", "11111", Money::cents(1250))});
    }
    // Opens the report window as the File menu's "Print" does, its names kept in the test's folder.
    QPointer<frmprinter> openReportWindow() {
        auto* report = new frmprinter(window, QString::fromStdString(settings.path("accounts.dat")));
        report->start();
        return report;
    }
    test::TestFolder settings;  // where the names are kept
};

TEST_F(ReportWindowTest, WhatCannotBeWrittenIsRefusedOrReportedWithTheWindowOpen) {
    const QPointer<frmprinter> report = openReportWindow();
    const Files untouched = files();
    const QString notWritten = "The report could not be written.",
                  there = "A report may not be written there";
    const auto in = [this](const char* name) { return folder.path(name); };
    using F = frmprinter;
    const QString title = QString::fromUtf8("Gemeinde \u0141\u00f3d\u017a");
    // clang-format off
    const struct {
        void (frmprinter::*click)();
        std::optional<std::string> file;  // empty: the dialog is cancelled; nullopt: none is asked
        QString message;                  // the start of the message, and a part of it; empty: none
        QString part = {};
        std::optional<FileStep> failing = {};  // with EIO
        QLineEdit* box = nullptr;              // typed into before, cleared after
        QString typed = {};
    } cases[] = {
        {&F::Command5_Click, "", ""},
        {&F::Command4_Click, in("*.txt"), "Invalid file name"},
        {&F::Command4_Click, "a", "file name must be specified"},
        {&F::Command5_Click, in("no folder/report.txt"), notWritten, "no folder/report.txt"},
        {&F::Command5_Click, in("NOV2026.jrn"), notWritten, there},
        {&F::Command5_Click, in("nov2026.REP"), notWritten, there},
        {&F::Command5_Click, in("NOV2026.rep.lock"), notWritten, there},
        {&F::CmdPdf_Click, in("NOV2026.jrn"), "The report could not be saved as PDF.", there},
        {&F::Command4_Click, in("report.txt"), notWritten, std::strerror(EIO), FileStep::Sync},
        {&F::Command3_Click, std::nullopt, "Your account names could not be saved.", std::strerror(EIO),
         FileStep::Rename},
        {&F::Command4_Click, in("report.txt"), "\"$1,2x\" in the box \"Account Amount 3\"", "", {},
         report->TxtAmount[2], "$1,2x"},
        {&F::Command4_Click, in("report.txt"), "A title or account name holds a character", "Windows-1252",
         {}, report->TxtcTitle, title}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.value_or("no file") + " " + c.message.toStdString());
        if (c.file)
            c.file->empty() ? dialogs().cancelFileNext()
                            : dialogs().chooseFileNext(QString::fromStdString(*c.file));
        const QStringList before = dialogs().messages();
        if (c.box) c.box->setText(c.typed);
        {
            ScopedFileFault fault([&c](FileStep s, const std::string&) { return s == c.failing ? EIO : 0; });
            (report->*c.click)();
        }
        if (c.box) c.box->clear();
        const QStringList shown = dialogs().messages().mid(before.size());
        ASSERT_EQ(shown.size(), c.message.isEmpty() ? 0 : 1);
        EXPECT_TRUE(c.message.isEmpty() || (shown[0].startsWith(c.message) && shown[0].contains(c.part)))
            << shown.join("").toStdString();
        EXPECT_TRUE(report->isVisible());
    }
    EXPECT_TRUE(files() == untouched);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}),
              3);  // the month, its journal and its lock
}

TEST_F(ReportWindowTest, PrintsEachCopyAsAJobOfItsOwnAndCloses) {
    // clang-format off
    const struct {
        const char* copies;
        bool twoSided;
        std::size_t jobs;
    } cases[] = {{"2.5", true, 2} /* halves round to even */,
                 {"1", false, 1}, {"0", false, 0}, {"-3", false, 0}, {"none", false, 0},
                 {"0.5", false, 0}};
    // clang-format on
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
        EXPECT_TRUE((!report || !report->isVisible()) && window.isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
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
    ASSERT_EQ(testPlatform().printJobs().size(), 1u);
    EXPECT_TRUE(job.document->pages == testPlatform().printJobs()[0]->pages);  // texts and fonts
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}),
              4);  // month, journal, its lock and the report: no temporary left
}

}  // namespace
}  // namespace quorvel::ui
