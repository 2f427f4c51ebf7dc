#include "FrmBX.h"

#include "actions/recording.h"
#include "ledger/action_record.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmBX::FrmBX(FrmMain& main, int row)
    : EntryWindow(main, {"FrmBX", "Budget Expenditure", "Amount Expended", "Check # or Date", "Command1",
                         "Record ", "Command2"}),
      row_(row) {
    setWindowTitle(fromCp1252(main.ledger().BudgetAcctName[row]));
}

bool FrmBX::record(Money amount) {
    // Too large to record is said before the over-budget question, not after a Yes.
    if (failed(amountAsStr(amount).status())) return false;
    if (overBudget(main_.ledger(), row_, amount) &&
        main_.platform().dialogs.message(
            "You are attempting to spend more than is budgeted.\nAre you certain you want to do that?",
            platform::Buttons::YesNo) != platform::Answer::Yes) {
        return true;  // abandoned, as by Cancel
    }
    const auto ref = reference();
    if (!ref) return false;
    return !failed(recordBudgetExpenditure(main_.ledger(), main_.journal(), row_, amount.format00(), *ref));
}

}  // namespace quorvel::ui
