#include "FrmDX.h"

#include "actions/recording.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmDX::FrmDX(FrmMain& main, int row)
    : EntryWindow(main, {"FrmDX", "Expenditure of Designated Money", "Amount Expended", "Check or Date",
                         "CmdRecord", "Record", "CmdCancel"}),
      row_(row) {
    setWindowTitle(fromCp1252(main.ledger().DesigAcctName[row]));
}

bool FrmDX::record(Money amount) {
    if (exceedsFund(main_.ledger(), row_, amount)) {
        main_.platform().dialogs.message(kFundOverdrawn);
        return true;  // abandoned; the treasurer starts again from the menu
    }
    const auto ref = reference();
    if (!ref) return false;
    return !failed(
        recordDesignatedExpenditure(main_.ledger(), main_.journal(), row_, amount.format00(), *ref));
}

}  // namespace quorvel::ui
