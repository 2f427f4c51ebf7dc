#include <QTest>

#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;

TEST_F(MainWindowTest, PrintsTheListFromColumnFiveWithItsDateLine) {
    window.setListLines({"one", "two", "three"});
    dialogs().answerNext(Answer::Yes);
    QTest::mouseClick(window.CmdPrint, Qt::LeftButton);
    EXPECT_EQ(dialogs().lastMessage().text, "Is the default printer ready?");
    EXPECT_EQ(dialogs().lastMessage().buttons, platform::Buttons::YesNo);
    const testkit::PrintedDocument& job = testPlatform().onlyPrintJob();
    ASSERT_EQ(job.pages.size(), 1u);
    const QStringList lines = job.pageText(0);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "    one");
    EXPECT_EQ(lines[4], "    three");
    EXPECT_TRUE(lines[5].startsWith(QString(19, ' ') + "printed on ")) << lines[5].toStdString();
    EXPECT_GT(lines[5].size(), 19 + 11);  // the date follows at once
    EXPECT_EQ(job.pages[0][2].font.family, "Courier New");
    EXPECT_EQ(job.pages[0][2].font.pointSize, 10);
    EXPECT_TRUE(job.ended);
}

TEST_F(MainWindowTest, LongListsBreakAfterTheLineThatPassesTheMark) {
    QStringList entries;
    for (int i = 1; i <= 130; ++i) entries << QString("entry %1").arg(i);
    window.setListLines(entries);
    dialogs().answerNext(Answer::Yes);
    window.CmdPrint_Click();
    const testkit::PrintedDocument& job = testPlatform().onlyPrintJob();
    ASSERT_GE(job.pages.size(), 2u);
    for (std::size_t p = 0; p < job.pages.size(); ++p) {
        const QStringList lines = job.pageText(p);
        EXPECT_EQ(lines[0], "") << p;
        EXPECT_EQ(lines[1], "") << p;
        if (p + 1 < job.pages.size()) {
            EXPECT_EQ(lines.back(), "    -------") << p;
            // The page ends just after the first entry whose line ends below the mark.
            const testkit::PrintedLine& lastEntry = job.pages[p][job.pages[p].size() - 2];
            const int bottomOfLastEntry = lastEntry.y + testkit::RecordingPrinter::lineHeight(10);
            EXPECT_GT(bottomOfLastEntry, 14000) << p;
            EXPECT_LE(bottomOfLastEntry - testkit::RecordingPrinter::lineHeight(10), 14000) << p;
        }
    }
    QStringList printed;
    for (std::size_t p = 0; p < job.pages.size(); ++p) {
        for (const QString& line : job.pageText(p)) {
            if (line.startsWith("    entry")) printed << line.mid(4);
        }
    }
    EXPECT_EQ(printed, entries);
    EXPECT_TRUE(job.pageText(job.pages.size() - 1).back().contains("printed on "));
}

TEST_F(MainWindowTest, ListLinesThatWouldPassTheBottomGoOnTheNextPage) {
    QStringList entries;
    for (int i = 1; i <= 80; ++i) entries << QString("entry %1").arg(i);
    window.setListLines(entries);
    testPlatform().setPrinterPageHeight(9000);
    dialogs().answerNext(Answer::Yes);
    window.CmdPrint_Click();
    const testkit::PrintedDocument& job = testPlatform().onlyPrintJob();
    ASSERT_GE(job.pages.size(), 3u);
    QStringList printed;
    for (std::size_t p = 0; p < job.pages.size(); ++p) {
        EXPECT_EQ(job.pageText(p).mid(0, 2), QStringList({"", ""})) << p;
        for (const testkit::PrintedLine& line : job.pages[p]) {
            EXPECT_LE(line.y + testkit::RecordingPrinter::lineHeight(10), 9000) << p;
            if (line.text.startsWith("    entry")) printed << line.text.mid(4);
        }
    }
    EXPECT_EQ(printed, entries);
}

TEST_F(MainWindowTest, NoToThePrinterQuestionPrintsNothing) {
    window.setListLines({"one"});
    dialogs().answerNext(Answer::No);
    window.CmdPrint_Click();
    EXPECT_TRUE(testPlatform().printJobs().empty());
}

TEST_F(MainWindowTest, MissingOrFailingPrinterIsReported) {
    window.setListLines({"one"});
    testPlatform().failPrinterOnBegin("No printer is set up on this computer.");
    dialogs().answerNext(Answer::Yes);
    window.CmdPrint_Click();
    EXPECT_TRUE(dialogs().messages().back().contains("No printer is set up on this computer."));

    testPlatform().failPrinterOnBegin({});
    testPlatform().failPrinterOnEnd("The printer went offline.");
    dialogs().answerNext(Answer::Yes);
    window.CmdPrint_Click();
    EXPECT_TRUE(dialogs().messages().back().contains("The printer went offline."));
    EXPECT_EQ(window.listLines(), QStringList{"one"});
}

TEST_F(MainWindowTest, CopyPutsEveryLineWithCrLfOnTheClipboard) {
    window.setListLines({"one", "two", "three"});
    QTest::mouseClick(window.CmdCopy, Qt::LeftButton);
    EXPECT_EQ(testPlatform().clipboard.text(), "one\r\ntwo\r\nthree\r\n");
    window.setListLines({});
    window.MnuCopy->setEnabled(true);
    window.MnuCopy_Click();
    EXPECT_EQ(testPlatform().clipboard.text(), "");
    // Ctrl+C on the list copies the whole list, also while a command waits.
    window.setListLines({"a", "b"});
    window.LstMain->setCurrentRow(1);
    window.waitForChoice({window.CmdCancel}, [] {});
    QTest::keyClick(window.LstMain, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(testPlatform().clipboard.text(), "a\r\nb\r\n");
    EXPECT_EQ(window.listLines(), (QStringList{"a", "b"}));
}

}  // namespace
}  // namespace quorvel::ui
