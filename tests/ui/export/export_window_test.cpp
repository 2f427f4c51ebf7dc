// File, "Export...": which export reaches which file, the questions and the messages.
#include <QRadioButton>

#include "export/export_file.h"
#include "ui/export/FrmExport.h"
#include "ui_fixture.h"

namespace quorvel::ui {
namespace {

using platform::Answer;
using test::readFile;

TEST_F(MainWindowTest, ExportWritesTheChosenExportWhereChosen) {
    EXPECT_FALSE(window.MnuExport->isEnabled());
    const std::string month = openSample("DEC2026.rep", {test::bx("101", Money::cents(4000), "ck 1")});
    window.MnuExport->trigger();
    FrmExport* form = shown<FrmExport>();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(window.isVisible());

    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, month, JournalMode::ReadOnly).ok());
    const auto expected = [&](ExportKind kind) { return exportText(ledger, *journal.readAll(), kind); };
    const std::string out = folder.path("export.csv");
    const std::string monthJournal = readFile(folder.path("DEC2026.jrn"));
    const struct {
        int option;
        std::string chosen;  // empty: the dialog is cancelled
        std::optional<Answer> replace;
        const char* message;  // empty: none
        std::string fileAfter;
    } cases[] = {
        {4, "", {}, "", ""},
        {4, folder.path("DEC2026.jrn"), {}, "may not be written there", ""},
        {0, out, {}, "Actions (CSV) written to ", expected(ExportKind::Actions)},
        {1, out, Answer::No, "already exists", expected(ExportKind::Actions)},
        {1, out, Answer::Yes, "Budget accounts (CSV) written to ", expected(ExportKind::Budget)},
        {4, folder.path("no folder/x.journal"), {}, "could not be written; nothing was written", ""},
    };
    for (const auto& c : cases) {
        form->Opt[c.option]->click();
        dialogs().shown.clear();
        if (c.chosen.empty()) {
            dialogs().cancelFileNext();
        } else {
            dialogs().chooseFileNext(QString::fromStdString(c.chosen));
        }
        if (c.replace) dialogs().answerNext(*c.replace);
        QTest::mouseClick(form->CmdExport, Qt::LeftButton);
        const auto& file = dialogs().shown.front().file;
        EXPECT_EQ(file.suggestedName, QString::fromStdString(folder.path("DEC2026-")) +
                                          kExports[c.option].option + "." + kExports[c.option].extension);
        const QStringList messages = dialogs().messages();
        EXPECT_EQ(messages.size(), (*c.message ? 1 : 0) + (c.replace == Answer::Yes ? 1 : 0)) << c.message;
        EXPECT_TRUE(messages.value(messages.size() - 1).contains(c.message)) << c.message;
        if (!c.fileAfter.empty()) {
            EXPECT_EQ(readFile(out), c.fileAfter) << c.message;
        }
    }
    EXPECT_EQ(readFile(folder.path("DEC2026.jrn")), monthJournal);
    QTest::mouseClick(form->CmdClose, Qt::LeftButton);
    expectSummaryBack("closed");
}

}  // namespace
}  // namespace quorvel::ui
