#include "FrmDP.h"

#include "actions/recording.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmDP::FrmDP(FrmMain& main)
    : EntryWindow(main, {"FrmDP", "Record Deposit", "Amount of Deposit", "Date of Deposit", "Command1",
                         "Record", "Command2"}) {}

bool FrmDP::record(Money amount) {
    const auto ref = reference();
    if (!ref) return false;
    return !failed(recordDeposit(main_.ledger(), main_.journal(), amount.format00(), *ref));
}

}  // namespace quorvel::ui
