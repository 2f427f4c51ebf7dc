// A window opened from the main window, which stays hidden while it is open. However it
// ends (its buttons, Escape, closing it) the main window comes back with the summary.
#pragma once

#include <QDialog>

#include "ledger/status.h"

namespace quorvel::ui {

class FrmMain;

class ChildWindow : public QDialog {
    Q_OBJECT

public:
    explicit ChildWindow(FrmMain& main);

    // Hides the main window and shows this one.
    void start();

public slots:
    void reject() override;

protected:
    // The main window back with the summary, this window gone.
    void finish();
    // Shows a failure and returns true when `status` is one; one that took effect all the same
    // also closes the window.
    bool failed(const Status& status);

    FrmMain& main_;

private:
    bool finished_ = false;
};

}  // namespace quorvel::ui
