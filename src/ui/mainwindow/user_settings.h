// What the program keeps for its user between runs, in the user's configuration folder
// (~/.config/quorvel/): the months opened last and where the main window stood.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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

}  // namespace quorvel::ui
