// What the program keeps for its user between runs, in the user's configuration folder
// (~/.config/quorvel/): the months opened last, where the main window stood, the columns of a
// CSV bank statement, and the printer and paper chosen for the report.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/printer.h"

namespace quorvel::ui {

// The folder of this program's files in the user's configuration (accounts.dat, quorvel.conf).
QString configFolder();

// The month files opened last, the latest first, at most kRecentMonths.
inline constexpr int kRecentMonths = 5;
QStringList recentMonths();
// Puts `path` first in the list, once.
void rememberRecentMonth(const QString& path);

QByteArray mainWindowGeometry();
void rememberMainWindowGeometry(const QByteArray& geometry);

// The columns of the last CSV bank statement whose header did not name them, as typed.
QString csvStatementColumns();
void rememberCsvStatementColumns(const QString& mapping);

// The default printer on its own paper until a choice is remembered.
platform::PrinterChoice printerChoice();
void rememberPrinterChoice(const platform::PrinterChoice& choice);

}  // namespace quorvel::ui
