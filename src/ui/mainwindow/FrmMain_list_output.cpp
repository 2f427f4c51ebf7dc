// Printing and copying whatever the main list shows.
#include <QDateTime>
#include <QListWidget>
#include <QLocale>

#include "FrmMain.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;

namespace {

constexpr int kPageBottomTwips = 14000;

}  // namespace

void FrmMain::CmdPrint_Click() {
    if (platform_.dialogs.message("Is the default printer ready?", Buttons::YesNo) != Answer::Yes) return;
    const std::unique_ptr<platform::Printer> printer = platform_.defaultPrinter();
    if (const QString error = printer->begin(); !error.isEmpty()) {
        platform_.dialogs.message("The list could not be printed.\n\n" + error);
        return;
    }
    printer->setFont("Courier New", 10);
    printer->endLine();
    printer->endLine();
    for (const QString& line : listLines()) {
        printer->printAt(5, line);
        printer->endLine();
        if (printer->currentY() > kPageBottomTwips) {
            printer->printAt(5, "-------");
            printer->endLine();
            printer->newPage();
            printer->endLine();
            printer->endLine();
        }
    }
    printer->printAt(20, "printed on " + QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    printer->endLine();
    if (const QString error = printer->end(); !error.isEmpty()) {
        platform_.dialogs.message("The list could not be printed.\n\n" + error);
    }
}

void FrmMain::CmdCopy_Click() {
    QString text;
    for (const QString& line : listLines()) text += line + "\r\n";
    platform_.clipboard.setText(text);
}

void FrmMain::MnuCopy_Click() { CmdCopy_Click(); }

}  // namespace quorvel::ui
