// The report window's preview, printer choice and chart page reach the platform's stand-ins;
// the printer chosen is remembered in the user's settings. Edit/View, "Usage Chart" opens the
// chart, which saves as PNG like any file the program writes for the treasurer.
#include <QFile>
#include <QImage>
#include <QTest>
#include <filesystem>

#include "report/report_window_fixture.h"
#include "ui/review/FrmUsageChart.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using platform::PrinterChoice;

// The user's settings in the test's own folder for as long as it lives.
class SettingsHere {
  public:
    explicit SettingsHere(const std::string& folder) : saved_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder));
    }
    ~SettingsHere() { qputenv("XDG_CONFIG_HOME", saved_); }

  private:
    QByteArray saved_;
};

TEST_F(ReportWindowTest, PreviewPrintAndPdfShowTheSamePagesWithTheChartLastWhenAsked) {
    std::size_t pagesWithoutChart = 0;
    for (const bool chart : {false, true}) {
        dialogs().shown.clear();
        const QPointer<frmprinter> report = openReportWindow();
        report->ChkChart->setChecked(chart);
        QTest::mouseClick(report->CmdPreview, Qt::LeftButton);
        dialogs().chooseFileNext(QString::fromStdString(folder.path("report.pdf")));
        QTest::mouseClick(report->CmdPdf, Qt::LeftButton);
        dialogs().answerNext(Answer::Yes);
        QTest::mouseClick(report->Command1, Qt::LeftButton);
        EXPECT_TRUE(closedAndBack(report));

        EXPECT_EQ(dialogs().shown.front().kind, testkit::Shown::Kind::Preview);
        EXPECT_EQ(dialogs().shown.front().printer, PrinterChoice{});
        const auto preview = dialogs().previews.back();
        for (const auto& [name, document] : {std::pair{"PDF", testPlatform().pdfJobs().back().document},
                                             {"PRINT!", testPlatform().printJobs().back()}}) {
            EXPECT_EQ(document->allText(), preview->allText()) << name;
            EXPECT_EQ(document->drawnPages, preview->drawnPages) << name;
        }
        const std::size_t pages = preview->pages.size();
        EXPECT_EQ(preview->drawnPages,
                  chart ? std::vector<std::size_t>{pages - 1} : std::vector<std::size_t>{});
        EXPECT_EQ(pages, chart ? pagesWithoutChart + 1 : pages);
        pagesWithoutChart = pages;
    }
}

TEST_F(ReportWindowTest, ThePrinterChosenIsRememberedAndPrintedToWhileItIsSetUp) {
    const SettingsHere settings(folder.path("xdg"));
    QPointer<frmprinter> report = openReportWindow();
    EXPECT_EQ(report->LblPrinter->text(), "Printing on the default printer, its own paper");
    const PrinterChoice hall{"Hall", QPageSize(QPageSize::Letter)};
    dialogs().choosePrinterNext(hall);
    QTest::mouseClick(report->CmdPrinter, Qt::LeftButton);
    EXPECT_EQ(dialogs().shown.back().printer, PrinterChoice{});  // offered from the default
    EXPECT_EQ(report->LblPrinter->text(), "Printing on Hall, Letter / ANSI A");
    report->Command2_Click();

    QFile conf(QString::fromStdString(folder.path("xdg/quorvel-tests/quorvel.conf")));
    ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(conf.readAll().contains("printer=Hall"));
    report = openReportWindow();
    EXPECT_EQ(report->LblPrinter->text(), "Printing on Hall, Letter / ANSI A");
    dialogs().answerNext(Answer::Yes);
    report->Command1_Click();
    EXPECT_EQ(dialogs().messages(), QStringList{"Is the printer Hall ready?"});
    EXPECT_EQ(testPlatform().printerChoices(), std::vector<PrinterChoice>{hall});
    dialogs().answerNext(Answer::Yes);
    window.CmdPrint_Click();  // the main window's list goes to the same printer
    EXPECT_EQ(dialogs().messages().back(), "Is the printer Hall ready?");
    EXPECT_EQ(testPlatform().printerChoices(), (std::vector<PrinterChoice>{hall, hall}));

    // The printer taken away: said once, then the default printer on the paper chosen.
    testPlatform().printers = {"Office"};
    for (const int opening : {1, 2}) {
        dialogs().shown.clear();
        report = openReportWindow();
        EXPECT_EQ(dialogs().messages().size(), opening == 1 ? 1 : 0);
        dialogs().answerNext(Answer::Yes);
        report->Command1_Click();
        EXPECT_EQ(dialogs().messages().back(), "Is the default printer ready?");
        EXPECT_EQ(testPlatform().printerChoices().back(), (PrinterChoice{"", QPageSize(QPageSize::Letter)}));
    }
}

TEST_F(ReportWindowTest, UsageChartOpensFromTheMenuAndSavesAsPng) {
    window.MnuUsageChart->trigger();
    FrmUsageChart* chart = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<FrmUsageChart*>(w); c && c->isVisible()) chart = c;
    ASSERT_NE(chart, nullptr);

    const std::string png = folder.path("chart.png");
    const struct {
        QString chosen;
        std::optional<Answer> replace;
        QString message;
        bool written;
    } saves[] = {
        {"", {}, "", false},  // cancelled
        {QString::fromStdString(folder.path("NOV2026.jrn")), {}, "The chart could not be saved.", false},
        {QString::fromStdString(png), {}, "", true},
        {QString::fromStdString(png), Answer::No, "already exists", false},
        {QString::fromStdString(png), Answer::Yes, "already exists", true},
    };
    for (const auto& save : saves) {
        const std::string what = save.chosen.toStdString() + " " + save.message.toStdString();
        const bool existed = std::filesystem::exists(png);
        if (existed) test::writeFile(png, "old");
        dialogs().shown.clear();
        if (save.chosen.isEmpty()) {
            dialogs().cancelFileNext();
        } else {
            dialogs().chooseFileNext(save.chosen);
        }
        if (save.replace) dialogs().answerNext(*save.replace);
        QTest::mouseClick(chart->CmdSavePng, Qt::LeftButton);
        EXPECT_EQ(dialogs().messages().isEmpty(), save.message.isEmpty()) << what;
        if (!save.message.isEmpty()) {
            EXPECT_TRUE(dialogs().messages().back().contains(save.message)) << what;
        }
        EXPECT_EQ(QImage(QString::fromStdString(png), "PNG").width(), save.written ? 1200 : 0) << what;
        if (!save.written) {
            EXPECT_EQ(std::filesystem::exists(png), existed) << what;
        }
    }
    QTest::mouseClick(chart->CmdClose, Qt::LeftButton);
    EXPECT_FALSE(chart->isVisible());
}

}  // namespace
}  // namespace quorvel::ui
