// Printing and copying whatever the main list shows.
#include <QDateTime>
#include <QListWidget>
#include <QLocale>

#include <algorithm>

#include "FrmMain.h"
#include "platform/fixed_font.h"
#include "print/paged_printer.h"
#include "ui/chosen_printer.h"
#include "ui/mainwindow/user_settings.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;
using platform::Printer;

namespace {

constexpr int kPageBottomTwips = 14000;
constexpr int kListColumn = 5;

}  // namespace

void FrmMain::CmdPrint_Click() {
    if (platform_.dialogs.message(printerReadyQuestion(printerChoice()), Buttons::YesNo) != Answer::Yes)
        return;
    const std::unique_ptr<platform::Printer> device = rememberedPrinterJob(platform_);
    if (const QString error = device->begin(); !error.isEmpty()) {
        platform_.dialogs.message("The list could not be printed.\n\n" + error);
        return;
    }
    const QStringList lines = listLines();
    qsizetype widest = 0;
    for (const QString& line : lines) widest = std::max(widest, line.size());
    print::PagedPrinter paged(*device);
    Printer* const printer = &paged;
    paged.setPageHead([printer] {
        printer->endLine();
        printer->endLine();
    });
    printer->setFont(platform::kCourierNew, 10);
    printer->fitWidth(static_cast<int>(widest) + kListColumn - 1, 10);
    printer->endLine();
    printer->endLine();
    for (const QString& line : lines) {
        printer->printAt(kListColumn, line);
        printer->endLine();
        if (printer->currentY() > kPageBottomTwips) {
            printer->printAt(5, "-------");
            printer->endLine();
            printer->newPage();
            printer->endLine();
            printer->endLine();
        }
    }
    printer->printAt(20,
                     "printed on " + QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
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
