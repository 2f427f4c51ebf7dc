#include "reconcile_commands.h"

#include "FrmReconcile.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/report/report_commands.h"

namespace quorvel::ui {

void MnuReconcile_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    auto* window = new FrmReconcile(main, accountNamesPath());
    if (!window->Form_Load()) {
        delete window;
        return;
    }
    window->start();
}

}  // namespace quorvel::ui
