// Edit/View's "Reconcile with Bank Statement...": the reconciliation window.
#pragma once

namespace quorvel::ui {

class FrmMain;

void MnuReconcile_Click(FrmMain& main);

}  // namespace quorvel::ui
