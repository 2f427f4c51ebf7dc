// The month's audit trail: every change of a recorded action or an account, newest last.
// "Restore" writes back an action whose cancellation the chosen entry records, once the
// treasurer has confirmed which action it is; in a month open read-only it stays disabled.
#pragma once

#include "ledger/audit_trail.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel::ui {

class FrmAudit : public ChildWindow {
    Q_OBJECT

public:
    explicit FrmAudit(FrmMain& main);

    QLabel* LblTrail = nullptr;
    QListWidget* LstAudit = nullptr;
    QPushButton* CmdRestore = nullptr;
    QPushButton* CmdClose = nullptr;

public slots:
    void LstAudit_Change();
    void CmdRestore_Click();

private:
    void fillList();

    AuditTrailRead trail_;
};

// Opens FrmAudit for the loaded month.
void MnuAuditTrail_Click(FrmMain& main);

}  // namespace quorvel::ui
