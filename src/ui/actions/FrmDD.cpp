#include "FrmDD.h"

#include "actions/recording.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmDD::FrmDD(FrmMain& main, int row)
    : EntryWindow(main, {"FrmDD", "Designation of deposited money", "Amount Designated", "Reference Date",
                         "CmdProcede", "Procede", "Command1"}),
      row_(row) {
    setWindowTitle(fromCp1252(main.ledger().DesigAcctName[row]));
}

bool FrmDD::record(Money amount) {
    const auto ref = reference();
    if (!ref) return false;
    return !failed(recordDesignation(main_.ledger(), main_.journal(), row_, amount.format00(), *ref));
}

}  // namespace quorvel::ui
