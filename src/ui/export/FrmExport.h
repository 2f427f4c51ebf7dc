// File, "Export...": which table of the month (or the ledger journal) to export, then where.
// The file is written by the core; the window asks before replacing a file and says how it went.
#pragma once

#include <array>

#include "ui/widgets/ChildWindow.h"

class QPushButton;
class QRadioButton;

namespace quorvel::ui {

class FrmExport : public ChildWindow {
    Q_OBJECT

public:
    explicit FrmExport(FrmMain& main);

    // In the order of kExports: OptActions, OptBudget, OptFunds, OptSources, OptLedger.
    std::array<QRadioButton*, 5> Opt{};
    QPushButton* CmdExport = nullptr;
    QPushButton* CmdClose = nullptr;

public slots:
    void CmdExport_Click();
};

// Opens the export window over the loaded month.
void MnuExport_Click(FrmMain& main);

}  // namespace quorvel::ui
