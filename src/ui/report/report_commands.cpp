#include "report_commands.h"

#include <QStandardPaths>

#include "frmprinter.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

QString accountNamesPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QStringLiteral("accounts.dat") : folder + "/accounts.dat";
}

void MnuPrint_Click(FrmMain& main) {
    // After a rollover nothing is loaded: a report of empty tables would print as all zeros.
    if (!main.requireLoadedMonth()) return;
    auto* window = new frmprinter(main, accountNamesPath());
    window->start();
}

}  // namespace quorvel::ui
