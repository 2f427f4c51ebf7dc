// The report window's preview, printer choice and chart page reach the platform's stand-ins;
// the printer chosen is remembered in the user's settings. Edit/View, "Usage Chart" opens the
// chart, which saves as PNG like any file the program writes for the treasurer.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QTest>
#include <filesystem>

#include "report/report_window_fixture.h"
#include "ui/mainwindow/user_settings.h"
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
    testPlatform().setPrinterPageHeight(20 * testkit::RecordingPrinter::lineHeight(10));
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
            EXPECT_EQ(document->pages.size(), preview->pages.size()) << name;
            EXPECT_EQ(document->drawnPages, preview->drawnPages) << name;
        }
        const std::size_t pages = preview->pages.size();
        EXPECT_EQ(preview->drawnPages,
                  chart ? std::vector<std::size_t>{pages - 1} : std::vector<std::size_t>{});
        if (chart) {
            EXPECT_EQ(pages, pagesWithoutChart + 1);
        } else {
            EXPECT_GT(pages, 2u);
            pagesWithoutChart = pages;
        }
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

// The preview shows the chosen printer's paper, or with no printer to reach (none set up, or
// the print service down) the paper for Save as PDF; a printer chosen before is kept then.
TEST_F(ReportWindowTest, PreviewShowsThePrintersPaperOrThePdfsWhenNoneCanBeReached) {
    const SettingsHere settings(folder.path("xdg"));
    const PrinterChoice hall{"Hall", QPageSize(QPageSize::Letter)};
    const PrinterChoice pdfA4{"", QPageSize(QPageSize::A4)};
    const struct {
        QStringList printers;
        QList<QPageSize> taken;  // empty: any
        PrinterChoice remembered, previewed;
        QString printing, preview;
    } cases[] = {
        {{"Office", "Hall"}, {}, hall, hall, "Printing on Hall, Letter / ANSI A",
         "The preview shows the printer's paper, Letter / ANSI A"},
        {{"Office", "Hall"}, {pdfA4.paper}, hall, hall,
         "Printing on Hall, its own paper, as it does not take Letter / ANSI A",
         "The preview shows the printer's paper, its own"},
        {{"Office"}, {}, {}, {}, "Printing on the default printer, its own paper",
         "The preview shows the printer's paper, its own"},
        {{}, {}, hall, pdfA4, "No printer can be reached now; printing on Hall, Letter / ANSI A when it can",
         "The preview shows the paper for Save as PDF, A4"},
    };
    for (const auto& c : cases) {
        dialogs().shown.clear();
        testPlatform().printers = c.printers;
        testPlatform().papersTaken = c.taken;
        rememberPrinterChoice(c.remembered);
        const QPointer<frmprinter> report = openReportWindow();
        report->CboPaper->setCurrentIndex(report->CboPaper->findText("A4"));
        EXPECT_EQ(report->LblPrinter->text(), c.printing);
        EXPECT_EQ(report->LblPreviewPaper->text(), c.preview);
        QTest::mouseClick(report->CmdPreview, Qt::LeftButton);
        EXPECT_EQ(dialogs().shown.back().kind, testkit::Shown::Kind::Preview);
        EXPECT_EQ(dialogs().shown.back().printer, c.previewed) << c.printing.toStdString();
        EXPECT_EQ(printerChoice(), c.remembered) << c.printing.toStdString();
        report->Command2_Click();
    }
}

// The paper is kept by its size, so a printer's own size comes back too; the key form the
// first builds wrote still reads.
TEST(PrinterSettings, PaperComesBackAsChosenAndFromTheOldKeyForm) {
    const test::TestFolder folder;
    const SettingsHere settings(folder.path("xdg"));
    const QPageSize odd(QSizeF(100, 150), QPageSize::Millimeter, "Roll 100", QPageSize::ExactMatch);
    const QPageSize a4(QPageSize::A4), letter(QPageSize::Letter);
    for (const QPageSize& paper : {a4, letter, odd, QPageSize()}) {
        rememberPrinterChoice({"Hall", paper});
        EXPECT_EQ(printerChoice(), (PrinterChoice{"Hall", paper})) << paper.name().toStdString();
    }
    EXPECT_EQ(printerChoice().paper.id(), QPageSize::Custom);
    const std::string conf = folder.path("xdg/quorvel-tests/quorvel.conf");
    for (const auto& [written, paper] : {std::pair{"Letter", letter}, {"A4", a4}, {"", QPageSize()}}) {
        test::writeFile(conf, std::string("[report]\nprinter=Hall\npaper=") + written + "\n");
        EXPECT_EQ(printerChoice(), (PrinterChoice{"Hall", paper})) << written;
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
