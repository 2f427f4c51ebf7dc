#include "ChildWindow.h"

#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

ChildWindow::ChildWindow(FrmMain& main) : QDialog(nullptr), main_(main) {}

void ChildWindow::start() {
    main_.hide();
    show();
    activateWindow();
}

void ChildWindow::reject() { finish(); }

void ChildWindow::finish() {
    if (finished_) return;
    finished_ = true;
    main_.show();
    main_.ShowStub();
    hide();
    deleteLater();
}

bool ChildWindow::failed(const Status& status) {
    if (status.ok()) return false;
    main_.platform().dialogs.message(QString::fromStdString(status.message()));
    // Done despite the failure: staying open would invite doing it twice.
    if (status.tookEffect()) finish();
    return true;
}

}  // namespace quorvel::ui
