// The stand-ins other UI tests rely on: where they could silently hide a fault.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "testkit/test_platform.h"

namespace quorvel::testkit {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::FileDialogOptions;

TEST(ScriptedDialogs, AnswersInOrderAndLogsEverything) {
    ScriptedDialogs dialogs;
    dialogs.answerNext(Answer::Yes);
    dialogs.answerNext(Answer::Cancel);
    dialogs.typeNext("1996");
    dialogs.cancelInputNext();
    dialogs.chooseFileNext("/data/march.rep");
    dialogs.cancelFileNext();

    EXPECT_EQ(dialogs.message("Saved."), Answer::Ok);  // OK-only: takes no answer
    EXPECT_EQ(dialogs.message("Delete?", Buttons::YesNo, "Review"), Answer::Yes);
    EXPECT_EQ(dialogs.input("Year?", {}, "1995"), "1996");
    EXPECT_EQ(dialogs.message("Proceed?", Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(dialogs.input("Year?"), QString());
    FileDialogOptions options;
    options.title = "Open";
    EXPECT_EQ(dialogs.openFile(options), "/data/march.rep");
    EXPECT_EQ(dialogs.saveFile(options), "*.rep");
    EXPECT_EQ(dialogs.pendingAnswers(), 0);

    EXPECT_EQ(dialogs.messages(), (QStringList{"Saved.", "Delete?", "Proceed?"}));
    EXPECT_EQ(dialogs.prompts(), (QStringList{"Year?", "Year?"}));
    ASSERT_EQ(dialogs.shown.size(), 7u);
    EXPECT_EQ(dialogs.shown[1].title, "Review");
    EXPECT_EQ(dialogs.shown[1].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.shown[2].initial, "1995");
    EXPECT_EQ(dialogs.shown[6].kind, Shown::Kind::SaveFile);
    EXPECT_EQ(dialogs.shown[6].file.title, "Open");
    EXPECT_EQ(dialogs.lastMessage().text, "Proceed?");
}

TEST(ScriptedDialogs, UnscriptedOrMismatchedDialogsFailTheTestHarmlessly) {
    ScriptedDialogs dialogs;
    Answer answer = Answer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.message("Delete?", Buttons::YesNo), "unscripted message box");
    EXPECT_EQ(answer, Answer::No);

    dialogs.answerNext(Answer::Yes);
    EXPECT_NONFATAL_FAILURE(answer = dialogs.message("Proceed?", Buttons::OkCancel), "not a button");
    EXPECT_EQ(answer, Answer::Cancel);

    QString text = "x";
    EXPECT_NONFATAL_FAILURE(text = dialogs.input("Year?"), "unscripted input box");
    EXPECT_EQ(text, QString());

    FileDialogOptions options;
    options.initialName = "*.REP";
    EXPECT_NONFATAL_FAILURE(text = dialogs.openFile(options), "unscripted file dialog");
    EXPECT_EQ(text, "*.REP");
    EXPECT_EQ(dialogs.shown.size(), 4u);
}

TEST(ScriptedDialogs, AnswersLeftOverFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.answerNext(Answer::Yes);
        },
        "never used");
}

class RecordingPrinterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(printer.begin(), QString()); }
    RecordingPrinter printer;
};

TEST_F(RecordingPrinterTest, ComposesLinesByColumnAndWrapsTextPastItsColumn) {
    printer.setFont("Courier New", 10);
    printer.printAt(1, "abcd");
    printer.printAt(5, "e");  // ends exactly at column 5: same line
    printer.printAt(10, "j");
    printer.printAt(8, "h");  // column 8 already passed
    printer.printAt(12, "l");
    printer.endLine();
    printer.endLine();
    printer.printAt(3, "cc");
    ASSERT_EQ(printer.end(), QString());

    ASSERT_EQ(printer.pages().size(), 1u);
    EXPECT_EQ(printer.document()->pageText(0), (QStringList{"abcde    j", "       h   l", "", "  cc"}));
    const PrintedPage& page = printer.pages()[0];
    EXPECT_EQ(page[0].y, 0);
    EXPECT_EQ(page[1].y, 240);
    EXPECT_EQ(page[2].y, 480);
    EXPECT_EQ(page[3].y, 720);
    EXPECT_FALSE(page[3].ended);
    ASSERT_EQ(page[1].pieces.size(), 2u);
    EXPECT_EQ(page[1].pieces[1].column, 12);
}

TEST_F(RecordingPrinterTest, LineHeightFollowsTheFontAtTheLinesEnd) {
    printer.setFont("Arial", 14);
    printer.setBold(true);
    printer.printAt(1, "TITLE");
    printer.setFont("Courier New", 10);
    printer.endLine();
    EXPECT_EQ(printer.currentY(), 240);
    printer.setFont("Courier New", 8.5);
    printer.endLine();
    EXPECT_EQ(printer.currentY(), 240 + 204);
    printer.newPage();
    EXPECT_EQ(printer.currentY(), 0);
    printer.printAt(1, "two");
    printer.end();

    ASSERT_EQ(printer.pages().size(), 2u);
    const PrintedLine& title = printer.pages()[0][0];
    EXPECT_EQ(title.font, (PrintFont{"Courier New", 10, true}));
    EXPECT_EQ(title.pieces[0].font, (PrintFont{"Arial", 14, true}));
    EXPECT_EQ(printer.pages()[1][0].y, 0);
}

TEST(TestPlatform, KeepsPrintJobsAfterTheProgramDropsThePrinter) {
    TestPlatform test;
    {
        auto printer = test.platform.defaultPrinter();
        ASSERT_EQ(printer->begin(), QString());
        printer->setDuplex(true);
        printer->printAt(3, "Report");
        EXPECT_EQ(printer->end(), QString());
    }
    const PrintedDocument& job = test.onlyPrintJob();
    EXPECT_TRUE(job.begun);
    EXPECT_TRUE(job.ended);
    EXPECT_TRUE(job.duplex);
    EXPECT_EQ(job.allText(), QStringList{"  Report"});
}

TEST(TestPlatform, AMissingPrinterFailsToBeginAndPrintingOnIsCaught) {
    TestPlatform test;
    test.failPrinterOnBegin("No printer is set up on this computer.");
    auto printer = test.platform.defaultPrinter();
    EXPECT_EQ(printer->begin(), "No printer is set up on this computer.");
    EXPECT_NONFATAL_FAILURE(printer->printAt(1, "lost"), "no document open");
    EXPECT_FALSE(test.onlyPrintJob().begun);
    EXPECT_TRUE(test.onlyPrintJob().pages.empty());

    test.failPrinterOnBegin({});
    test.failPrinterOnEnd("The printer reported an error.");
    auto second = test.platform.defaultPrinter();
    ASSERT_EQ(second->begin(), QString());
    EXPECT_EQ(second->end(), "The printer reported an error.");
    EXPECT_EQ(test.printJobs().size(), 2u);
}

}  // namespace
}  // namespace quorvel::testkit
