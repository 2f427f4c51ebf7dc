// The report window driven as the treasurer drives it: its boxes and account names, "View
// Total", the amount boxes, and the two report files.
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "core/report/report_month.h"
#include "ledger/file_faults.h"
#include "ledger/month_file.h"
#include "print/text_codec.h"
#include "report/account_names.h"
#include "report/report_file.h"
#include "report/report_window_fixture.h"
#include "ui/report/report_commands.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

TEST_F(ReportWindowTest, OpensWithItsBoxesAndTheReportBalance) {
    const QPointer<frmprinter> report = openReportWindow();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->windowTitle(), " Printer Setup ");
    EXPECT_EQ(report->TxtaTitle->text(), "Treasurer's Report");
    EXPECT_EQ(report->TxtbTitle->text(), "");
    EXPECT_EQ(report->TxtcTitle->text(), "");
    EXPECT_EQ(report->TxtPnum->text(), "1");
    EXPECT_FALSE(report->Chkdouble->isChecked());
    EXPECT_EQ(report->Chkdouble->text(), "Print 2 sided pages");
    EXPECT_EQ(report->Label8->text(), "Report balance is 1450.80");
    EXPECT_EQ(report->Label6->text(), "");
    for (int k = 0; k < kReportAccounts; ++k) {
        EXPECT_EQ(report->txtname[k]->text(), "") << k;
        EXPECT_EQ(report->TxtAmount[k]->text(), "") << k;
        EXPECT_EQ(report->TxtAmount[k]->property("Index").toInt(), k);
    }
    EXPECT_EQ(report->findChildren<QLineEdit*>("txtname").size(), kReportAccounts);
    const std::pair<const char*, const char*> captions[] = {
        {"Command1", "PRINT!"},        {"Command2", "Cancel"},         {"Command3", "Save my names!"},
        {"Command4", "Print to File"}, {"Command5", "Annual to File"}, {"CmdTotal", "View Total"},
        {"CmdPdf", "Save as PDF"},
    };
    for (const auto& [name, caption] : captions) {
        const auto* b = report->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), caption);
    }
    EXPECT_EQ(report->findChild<QLabel*>("Label7")->text(), "Number of Copies");
    EXPECT_TRUE(dialogs().messages().isEmpty());

    QTest::mouseClick(report->Command2, Qt::LeftButton);
    EXPECT_TRUE(closedAndBack(report));
    EXPECT_EQ(window.listLines().at(1), "Beginning Balance                       1000.75");
}

TEST_F(ReportWindowTest, AccountNamesAreKeptBetweenOpenings) {
    QPointer<frmprinter> report = openReportWindow();
    const QStringList typed = {"Ck", "Savings", "", "Petty Cash", "Vault"};
    for (int k = 0; k < kReportAccounts; ++k)
        QTest::keyClicks(report->txtname[k], typed[k]);
    report->TxtAmount[1]->setText("250.00");
    QTest::mouseClick(report->Command3, Qt::LeftButton);
    EXPECT_TRUE(dialogs().messages().isEmpty());
    EXPECT_TRUE(report->isVisible());
    // Only names longer than two characters, in box order; the amounts are not kept.
    EXPECT_EQ(test::readFile(folder.path("config/accounts.dat")),
              "\"Savings\"\r\n\"Petty Cash\"\r\n\"Vault\"\r\n");

    report->Command2_Click();
    report = openReportWindow();
    const QStringList shown = {"Savings", "Petty Cash", "Vault", "", ""};
    for (int k = 0; k < kReportAccounts; ++k) {
        EXPECT_EQ(report->txtname[k]->text(), shown[k]) << k;
        EXPECT_EQ(report->TxtAmount[k]->text(), "") << k;
    }
}

TEST_F(ReportWindowTest, TitleLinesAreKeptWithTheNames) {
    QPointer<frmprinter> report = openReportWindow();
    report->TxtbTitle->setText("St. Mark's");
    report->TxtcTitle->setText("December 2026");
    QTest::keyClicks(report->txtname[0], "Checking");
    report->Command3_Click();
    EXPECT_EQ(test::readFile(folder.path("config/accounts.dat")), "\"Checking\"\r\n");
    EXPECT_EQ(test::readFile(folder.path("config/titles.dat")),
              "\"Treasurer's Report\"\r\n\"St. Mark's\"\r\n\"December 2026\"\r\n");
    report->Command2_Click();
    report = openReportWindow();
    EXPECT_EQ(report->TxtbTitle->text(), "St. Mark's");
    EXPECT_EQ(report->TxtcTitle->text(), "December 2026");
}

TEST_F(ReportWindowTest, ADamagedNamesFileLoadsWhatItCanWithoutAWord) {
    std::filesystem::create_directories(folder.path("config"));
    test::writeFile(folder.path("config/accounts.dat"), "\"Checking\"\r\n\"Sav");
    const QPointer<frmprinter> report = openReportWindow();
    EXPECT_EQ(report->txtname[0]->text(), "Checking");
    EXPECT_EQ(report->txtname[1]->text(), "");
    EXPECT_TRUE(dialogs().messages().isEmpty());
    EXPECT_TRUE(report->isVisible());
}

TEST_F(ReportWindowTest, ANamesFileThatCannotBeWrittenIsReported) {
    test::writeFile(folder.path("config"), "a file where the folder should be");
    const QPointer<frmprinter> report = openReportWindow();
    QTest::keyClicks(report->txtname[0], "Checking");
    report->Command3_Click();
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_TRUE(dialogs().messages()[0].startsWith("Your account names could not be saved."))
        << dialogs().messages()[0].toStdString();
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->txtname[0]->text(), "Checking");
}

TEST_F(ReportWindowTest, WritesThatFailOnTheDiskAreReportedWithTheWindowOpen) {
    const QPointer<frmprinter> report = openReportWindow();
    const std::string target = folder.path("monthly.txt");
    test::writeFile(target, "last month's report");
    for (const FileStep step : {FileStep::Write, FileStep::Sync, FileStep::Rename}) {
        ScopedFileFault failing([step](FileStep s, const std::string&) { return s == step ? EIO : 0; });
        dialogs().chooseFileNext(QString::fromStdString(target));
        dialogs().answerNext(Answer::Yes);  // replace it
        report->Command4_Click();
        QTest::keyClicks(report->txtname[0], "X");
        report->Command3_Click();
    }
    const QStringList messages = dialogs().messages();
    ASSERT_EQ(messages.size(), 9);
    for (int i = 0; i < messages.size(); i += 3) {
        EXPECT_TRUE(messages[i].endsWith("already exists.\nDo you want to replace it?"))
            << messages[i].toStdString();
        EXPECT_TRUE(messages[i + 1].startsWith("The report could not be written."))
            << messages[i + 1].toStdString();
        EXPECT_TRUE(messages[i + 2].startsWith("Your account names could not be saved."))
            << messages[i + 2].toStdString();
        EXPECT_TRUE(messages[i + 1].contains(std::strerror(EIO)) &&
                    messages[i + 2].contains(std::strerror(EIO)));
    }
    EXPECT_EQ(test::readFile(target), "last month's report");
    EXPECT_FALSE(std::filesystem::exists(folder.path("config/accounts.dat")));
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->txtname[0]->text(), "XXX");
}

TEST_F(ReportWindowTest, ViewTotalComparesTheAccountsWithTheReportBalance) {
    const struct {
        long long balanceCents;
        const char* variance;  // nullptr: no message
    } cases[] = {{12345, nullptr}, {12000, "variance was 3.45"}, {13000, "variance was 6.55"}};
    for (const auto& c : cases) {
        window.ledger().Summary[kRemainingBalance] = Money::cents(c.balanceCents);
        const QPointer<frmprinter> report = openReportWindow();
        report->TxtAmount[0]->setText("100.00");
        report->TxtAmount[3]->setText("23.45");
        QTest::mouseClick(report->CmdTotal, Qt::LeftButton);
        EXPECT_EQ(report->Label6->text(), "123.45");
        EXPECT_EQ(dialogs().messages(), c.variance ? QStringList{c.variance} : QStringList{});
        dialogs().shown.clear();
        report->Command2_Click();
    }
}

TEST_F(ReportWindowTest, AmountBoxesAreEmptiedAtZeroAndKeepTextThatIsNoAmount) {
    const QPointer<frmprinter> report = openReportWindow();
    const std::pair<const char*, const char*> cases[] = {{"0", ""},
                                                         {"abc", "abc"},
                                                         {"-0.001", "-0.001"},
                                                         {"12.5", "12.50"},
                                                         {"7 dollars", "7 dollars"},
                                                         {"1,250", "1250.00"},
                                                         {"", ""}};
    for (const auto& [typed, shown] : cases) {
        report->TxtAmount[2]->setText(typed);
        report->TxtAmount_lostfocus(2);
        EXPECT_EQ(report->TxtAmount[2]->text(), shown) << typed;
    }
    // Leaving the box does the same.
    QApplication::setActiveWindow(report);
    report->TxtAmount[0]->setFocus();
    QTest::keyClicks(report->TxtAmount[0], "0.00");
    report->TxtAmount[1]->setFocus();
    EXPECT_EQ(report->TxtAmount[0]->text(), "");

    // Such text is refused by name when the report is made: nothing is written.
    report->TxtAmount[2]->setText("$1,2x");
    dialogs().chooseFileNext(QString::fromStdString(folder.path("monthly.txt")));
    QTest::mouseClick(report->Command4, Qt::LeftButton);
    EXPECT_TRUE(dialogs().messages().back().startsWith("\"$1,2x\" in the box \"Account Amount 3\""));
    EXPECT_FALSE(std::filesystem::exists(folder.path("monthly.txt")));
    EXPECT_TRUE(report->isVisible());
}

TEST_F(ReportWindowTest, ReportFilesAreWrittenAsTheCoreComposesThem) {
    const QPointer<frmprinter> report = openReportWindow();
    QTest::keyClicks(report->TxtbTitle, "December 2026");
    QTest::keyClicks(report->txtname[0], "Checking");
    report->TxtAmount[0]->setText("1450.8");
    ReportEntries entries;
    entries.titles = {"Treasurer's Report", "December 2026", ""};
    entries.accountNames[0] = "Checking";
    entries.accountAmounts[0] = "1450.80";

    for (const auto& [button, kind, name] :
         {std::tuple{report->Command4, ReportFileKind::Monthly, "monthly.txt"},
          std::tuple{report->Command5, ReportFileKind::Annual, "annual.txt"}}) {
        const std::string path = folder.path(name);
        dialogs().chooseFileNext(QString::fromStdString(path));
        QTest::mouseClick(button, Qt::LeftButton);
        Ledger expected = window.ledger();
        EXPECT_EQ(test::readFile(path), reportFileText(expected, entries, kind)) << name;
    }
    EXPECT_TRUE(dialogs().messages().isEmpty());
    // The save dialog has no title or filter and offers the last name chosen.
    const testkit::Shown& last = dialogs().shown.back();
    EXPECT_EQ(last.file.title, "");
    EXPECT_EQ(last.file.pattern, "");
    EXPECT_EQ(last.file.initialName, QString::fromStdString(folder.path("monthly.txt")));
    EXPECT_TRUE(report->isVisible());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReportWindowTest, ReportFileNamesThatAreRefused) {
    const QPointer<frmprinter> report = openReportWindow();
    const std::string journal = test::readFile(folder.path("NOV2026.jrn"));
    dialogs().cancelFileNext();
    report->Command5_Click();
    dialogs().chooseFileNext(QString::fromStdString(folder.path("*.txt")));
    report->Command4_Click();
    dialogs().chooseFileNext("a");
    report->Command4_Click();
    for (const char* name : {"no folder/report.txt", "NOV2026.jrn", "nov2026.REP", "NOV2026.rep.lock"}) {
        dialogs().chooseFileNext(QString::fromStdString(folder.path(name)));
        report->Command5_Click();
    }
    dialogs().chooseFileNext(QString::fromStdString(folder.path("NOV2026.jrn")));
    report->CmdPdf_Click();
    const QStringList messages = dialogs().messages();
    ASSERT_EQ(messages.size(), 7);
    EXPECT_TRUE(messages[6].startsWith("The report could not be saved as PDF.")) << messages[6].toStdString();
    EXPECT_EQ(messages[0], "Invalid file name");
    EXPECT_EQ(messages[1], "file name must be specified");
    EXPECT_TRUE(messages[2].contains("no folder/report.txt"));
    for (int i = 2; i < 6; ++i)
        EXPECT_TRUE(messages[i].startsWith("The report could not be written.")) << messages[i].toStdString();
    for (int i = 3; i < 7; ++i)
        EXPECT_TRUE(messages[i].contains("A report may not be written there"));
    EXPECT_EQ(test::readFile(folder.path("NOV2026.jrn")), journal);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}),
              3);  // the month, its journal and its lock
    EXPECT_TRUE(report->isVisible());
}

// Cancel once wrote the report into the file chosen last time, and any file was replaced
// without a question.
TEST_F(ReportWindowTest, CancelOrNoWritesNothingAndYesReplaces) {
    const QPointer<frmprinter> report = openReportWindow();
    const std::string path = folder.path("report.txt");
    dialogs().chooseFileNext(QString::fromStdString(path));
    report->Command4_Click();
    const std::string monthly = test::readFile(path);
    dialogs().cancelFileNext();
    report->Command5_Click();
    dialogs().chooseFileNext(QString::fromStdString(path));
    dialogs().answerNext(Answer::No);
    report->Command5_Click();
    EXPECT_EQ(test::readFile(path), monthly);
    dialogs().chooseFileNext(QString::fromStdString(path));
    dialogs().answerNext(Answer::Yes);
    report->Command5_Click();
    EXPECT_NE(test::readFile(path), monthly);
    EXPECT_EQ(dialogs().messages(),
              QStringList(2, QString::fromStdString(path) + " already exists.\nDo you want to replace it?"));
}

TEST_F(ReportWindowTest, TextTheCodePageCannotHoldIsRefused) {
    const QPointer<frmprinter> report = openReportWindow();
    report->TxtcTitle->setText(QString::fromUtf8("Gemeinde \u0141\u00f3d\u017a"));
    dialogs().chooseFileNext(QString::fromStdString(folder.path("report.txt")));
    report->Command4_Click();
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_TRUE(dialogs().messages()[0].contains("Windows-1252"));
    EXPECT_FALSE(std::filesystem::exists(folder.path("report.txt")));
}

TEST_F(ReportWindowTest, FilePrintOpensTheWindowWithNamesFromTheConfigurationFolder) {
    const QByteArray savedHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.path("xdg")));
    const QString names = accountNamesPath();
    EXPECT_TRUE(names.startsWith(QString::fromStdString(folder.path("xdg/"))));
    EXPECT_TRUE(names.endsWith("/accounts.dat"));
    ASSERT_TRUE(saveAccountNames(toPath(names), {"Checking", "", "", "", ""}).ok());

    MnuPrint_Click(window);
    if (savedHome.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", savedHome);
    }
    frmprinter* report = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* r = qobject_cast<frmprinter*>(w)) report = r;
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(report->txtname[0]->text(), "Checking");
    QTest::keyClick(report, Qt::Key_Escape);
    EXPECT_FALSE(report->isVisible());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace quorvel::ui
