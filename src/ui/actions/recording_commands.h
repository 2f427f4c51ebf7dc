// The commands of the Actions menu: each picks what it needs in the main list, then opens
// its entry window.
#pragma once

namespace quorvel::ui {

class FrmMain;

void MnuBudgetExpenditure_Click(FrmMain& main);
void MnuDesignatedExpenditure_Click(FrmMain& main);
void MnuDeposit_Click(FrmMain& main);
void MnuDesignation_Click(FrmMain& main);
void MnuSource_Click(FrmMain& main);
void MnuTransfer_Click(FrmMain& main);

}  // namespace quorvel::ui
