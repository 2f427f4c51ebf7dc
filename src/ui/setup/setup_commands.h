// File, New Annual Budget Setup: a new year's ledger from nothing, in the window FrmNew.
#pragma once

namespace quorvel::ui {

class FrmMain;

void MnuNew_Click(FrmMain& main);

}  // namespace quorvel::ui
