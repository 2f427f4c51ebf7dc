#include "report_commands.h"

#include <QStandardPaths>

#include "frmprinter.h"

namespace quorvel::ui {

QString accountNamesPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QStringLiteral("accounts.dat") : folder + "/accounts.dat";
}

void MnuPrint_Click(FrmMain& main) {
    auto* window = new frmprinter(main, accountNamesPath());
    window->start();
}

}  // namespace quorvel::ui
