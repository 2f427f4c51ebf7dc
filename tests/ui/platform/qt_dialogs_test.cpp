#include "platform/qt_dialogs.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>

#include "modal_helper.h"
#include "platform/printer_choice_dialog.h"

namespace quorvel::platform {
namespace {

using test::whenModal;

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QList<QMessageBox::StandardButton> buttons;
};

class QtDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previousName = QApplication::applicationDisplayName();
        QApplication::setApplicationDisplayName("Quorvel Test");
    }
    void TearDown() override { QApplication::setApplicationDisplayName(previousName); }

    // Notes what the box shows, then clicks `click`.
    void clickOnBox(QMessageBox::StandardButton click) {
        whenModal<QMessageBox>([this, click](QMessageBox* box) {
            seen = SeenBox{box->windowTitle(), box->text(), box->textFormat(), {}};
            for (QAbstractButton* button : box->buttons())
                seen.buttons << box->standardButton(button);
            ASSERT_NE(box->button(click), nullptr);
            box->button(click)->click();
        });
    }

    QtDialogs dialogs;
    SeenBox seen;
    QString previousName;
};

TEST_F(QtDialogsTest, MessageShowsPlainTextUnderTheApplicationsName) {
    clickOnBox(QMessageBox::Ok);
    EXPECT_EQ(dialogs.message("<b>Fund</b> & co"), Answer::Ok);
    EXPECT_EQ(seen.title, "Quorvel Test");
    EXPECT_EQ(seen.text, "<b>Fund</b> & co");
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, QList{QMessageBox::Ok});

    clickOnBox(QMessageBox::Ok);
    dialogs.message("x", Buttons::Ok, "Deposit");
    EXPECT_EQ(seen.title, "Deposit");
}

TEST_F(QtDialogsTest, ButtonsMapToAnswers) {
    clickOnBox(QMessageBox::No);
    EXPECT_EQ(dialogs.message("Delete?", Buttons::YesNo), Answer::No);
    EXPECT_EQ(seen.buttons.size(), 2);
    EXPECT_TRUE(seen.buttons.contains(QMessageBox::Yes));

    clickOnBox(QMessageBox::Yes);
    EXPECT_EQ(dialogs.message("Delete?", Buttons::YesNo), Answer::Yes);

    clickOnBox(QMessageBox::Cancel);
    EXPECT_EQ(dialogs.message("Proceed?", Buttons::OkCancel), Answer::Cancel);
    EXPECT_TRUE(seen.buttons.contains(QMessageBox::Ok));

    clickOnBox(QMessageBox::Ok);
    EXPECT_EQ(dialogs.message("Proceed?", Buttons::OkCancel), Answer::Ok);

    for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, Answer::Yes},
                                         {QMessageBox::No, Answer::No},
                                         {QMessageBox::Cancel, Answer::Cancel}}) {
        clickOnBox(button);
        EXPECT_EQ(dialogs.message("Confirm first?", Buttons::YesNoCancel), answer);
        EXPECT_EQ(seen.buttons.size(), 3);
    }
}

TEST_F(QtDialogsTest, ClosingAQuestionWithoutChoosingAnswersNo) {
    whenModal<QMessageBox>([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(dialogs.message("Delete?", Buttons::YesNo), Answer::No);
    whenModal<QMessageBox>([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(dialogs.message("Confirm first?", Buttons::YesNoCancel), Answer::Cancel);
}

TEST_F(QtDialogsTest, InputReturnsTheTypedTextOrEmptyWhenCancelled) {
    QString prompt;
    whenModal<QInputDialog>([&prompt](QInputDialog* dialog) {
        prompt = dialog->labelText();
        EXPECT_EQ(dialog->textValue(), "1995");
        dialog->setTextValue("1996");
        dialog->accept();
    });
    EXPECT_EQ(dialogs.input("Year?", {}, "1995"), "1996");
    EXPECT_EQ(prompt, "Year?");

    whenModal<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue("typed, then cancelled");
        dialog->reject();
    });
    EXPECT_EQ(dialogs.input("Year?", {}, "1995"), QString());
}

TEST(QtDialogsFilters, PatternIsMatchedInEitherCaseAndAllFilesStayAvailable) {
    EXPECT_EQ(QtDialogs::nameFilters("*.REP"), (QStringList{"REP files (*.REP *.rep)", "All files (*)"}));
    EXPECT_EQ(QtDialogs::nameFilters("*.rep"), (QStringList{"REP files (*.rep *.REP)", "All files (*)"}));
    EXPECT_EQ(QtDialogs::nameFilters("*.txt;*.Csv"),
              (QStringList{"TXT/CSV files (*.txt *.TXT *.Csv *.CSV *.csv)", "All files (*)"}));
    EXPECT_EQ(QtDialogs::nameFilters("*"), QStringList{"All files (*)"});
}

class QtFileDialogTest : public QtDialogsTest {
  protected:
    QTemporaryDir dir;
    FileDialogOptions options{"Open month", "*.REP", dir.path() + "/*.rep", "rep", false, false, {}};
};

TEST_F(QtFileDialogTest, SaveReturnsTheTypedNameWithTheDefaultExtension) {
    QString directory;
    whenModal<QFileDialog>([&directory](QFileDialog* dialog) {
        directory = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("march");
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(dialogs.saveFile(options), dir.filePath("march.rep"));
    EXPECT_EQ(directory, QDir(dir.path()).absolutePath());
}

TEST_F(QtFileDialogTest, SavePreselectsAGivenNameAndAsksBeforeReplacingOnlyWhenTold) {
    options.initialName = dir.filePath("april.rep");
    options.overwritePrompt = true;
    bool confirms = false;
    QString preselected;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        preselected = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        dialog->reject();
    });
    dialogs.saveFile(options);
    EXPECT_TRUE(confirms);
    EXPECT_EQ(preselected, "april.rep");

    options.overwritePrompt = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->reject();
    });
    EXPECT_EQ(dialogs.saveFile(options), options.initialName);
    EXPECT_FALSE(confirms);
}

// The printer choice offers the printers by name and the papers the selected one takes,
// from the choice made before where the printer still takes its paper.
TEST(PrinterChoiceDialog, OffersEachPrintersOwnPapersFromTheCurrentChoice) {
    const QPageSize a4(QPageSize::A4), letter(QPageSize::Letter), a3(QPageSize::A3);
    const QPageSize odd(QSizeF(100, 150), QPageSize::Millimeter, "Odd");  // no standard size
    const std::vector<InstalledPrinter> printers = {{"Office", {a4, letter}}, {"Hall", {letter, odd}}};
    const struct {
        PrinterChoice current;
        int pickPrinter;  // -1: leave as offered
        QStringList papers;
        PrinterChoice chosen;
    } cases[] = {
        {{}, -1, {"The printer's own paper", "A4", "Letter / ANSI A"}, {}},  // Office is the default
        {{"Hall", letter}, -1, {"The printer's own paper", "Letter / ANSI A", "Odd"}, {"Hall", letter}},
        {{"Hall", odd}, -1, {"The printer's own paper", "Letter / ANSI A", "Odd"}, {"Hall", odd}},
        {{"Hall", a3}, -1, {"The printer's own paper", "Letter / ANSI A", "Odd"}, {"Hall", {}}},
        {{"Gone", a4}, -1, {"The printer's own paper", "A4", "Letter / ANSI A"}, {"", a4}},
        {{"Hall", letter}, 1, {"The printer's own paper", "A4", "Letter / ANSI A"}, {"Office", letter}},
    };
    for (const auto& c : cases) {
        PrinterChoiceDialog dialog(printers, "Office", c.current);
        if (c.pickPrinter >= 0) dialog.CboPrinter->setCurrentIndex(c.pickPrinter);
        QStringList papers;
        for (int i = 0; i < dialog.CboPaper->count(); ++i)
            papers << dialog.CboPaper->itemText(i);
        EXPECT_EQ(papers, c.papers) << c.current.printer.toStdString();
        EXPECT_EQ(dialog.CboPrinter->count(), 3);
        EXPECT_EQ(dialog.choice(), c.chosen) << c.current.printer.toStdString();
    }
}

}  // namespace
}  // namespace quorvel::platform
