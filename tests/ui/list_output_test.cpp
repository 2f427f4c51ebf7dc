// The main list printed ("Hard Copy Print") and copied: the question, the page breaks, the
// failures and the clipboard.
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using testkit::RecordingPrinter;

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
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"", "", "    one", "    two", "    three"}));
    EXPECT_TRUE(lines[5].startsWith(QString(19, ' ') + "printed on ")) << lines[5].toStdString();
    EXPECT_GT(lines[5].size(), 19 + 11);  // the date follows at once
    EXPECT_EQ(job.pages[0][2].font, (testkit::PrintFont{"Courier New", 10, false}));
    EXPECT_TRUE(job.ended);
}

// A page ends after the first entry whose line passes the mark, or before a line that would
// pass the bottom of a shorter page; no entry is lost.
TEST_F(MainWindowTest, LongListsBreakAtTheMarkOrBeforeTheBottom) {
    const int height = RecordingPrinter::lineHeight(10);
    for (const auto& [count, pageHeight] : {std::pair{130, 0}, std::pair{80, 9000}}) {
        SCOPED_TRACE(count);
        QStringList entries;
        for (int i = 1; i <= count; ++i)
            entries << QString("entry %1").arg(i);
        window.setListLines(entries);
        testPlatform().setPrinterPageHeight(pageHeight);
        dialogs().answerNext(Answer::Yes);
        window.CmdPrint_Click();
        const testkit::PrintedDocument& job = *testPlatform().printJobs().back();
        ASSERT_GE(job.pages.size(), pageHeight ? 3u : 2u);
        QStringList printed;
        for (std::size_t p = 0; p < job.pages.size(); ++p) {
            EXPECT_EQ(job.pageText(p).mid(0, 2), QStringList({"", ""})) << p;
            for (const testkit::PrintedLine& line : job.pages[p]) {
                if (pageHeight) EXPECT_LE(line.y + height, pageHeight) << p;
                if (line.text.startsWith("    entry")) printed << line.text.mid(4);
            }
            if (pageHeight == 0 && p + 1 < job.pages.size()) {
                EXPECT_EQ(job.pageText(p).back(), "    -------") << p;
                const int bottomOfLastEntry = job.pages[p][job.pages[p].size() - 2].y + height;
                EXPECT_GT(bottomOfLastEntry, 14000) << p;
                EXPECT_LE(bottomOfLastEntry - height, 14000) << p;
            }
        }
        EXPECT_EQ(printed, entries);
        EXPECT_TRUE(job.pageText(job.pages.size() - 1).back().contains("printed on "));
    }
}

TEST_F(MainWindowTest, NoToTheQuestionOrAMissingOrFailingPrinterPrintsNothingAndSaysWhy) {
    window.setListLines({"one"});
    dialogs().answerNext(Answer::No);
    window.CmdPrint_Click();
    EXPECT_TRUE(testPlatform().printJobs().empty());
    for (const char* error : {"No printer is set up on this computer.", "The printer went offline."}) {
        const bool atBegin = error[0] == 'N';
        testPlatform().failPrinterOnBegin(atBegin ? error : "");
        testPlatform().failPrinterOnEnd(atBegin ? "" : error);
        dialogs().answerNext(Answer::Yes);
        window.CmdPrint_Click();
        EXPECT_TRUE(lastMessage().contains(error)) << lastMessage().toStdString();
    }
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
