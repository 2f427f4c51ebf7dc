// The commands of the Edit/View menu that adjust accounts and their order: budget items,
// designated funds, the report's sections and the order of the funds.
#pragma once

namespace quorvel::ui {

class FrmMain;

// Lists the budget accounts; opens the chosen one (or a new one) in FrmBChange, or lists its actions.
void MnuBudgetAdjust_Click(FrmMain& main);
// Lists the designated funds; opens the chosen one (or a new one) in FrmDChange, or lists its actions.
void MnuAdjustDesignation_Click(FrmMain& main);
// Opens FrmSections.
void MnuSetSections_Click(FrmMain& main);
// Opens FrmReorder.
void MnuReorder_Click(FrmMain& main);

}  // namespace quorvel::ui
