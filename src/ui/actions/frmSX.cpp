#include "frmSX.h"

#include "actions/recording.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

frmSX::frmSX(FrmMain& main, int row)
    : EntryWindow(main, {"frmSX", "Entering Source of Funds", "Amount from source", "Reference Date",
                         "Command1", "Save Action", "Command2"}),
      row_(row) {
    setWindowTitle(fromCp1252(main.ledger().SourceName[row]));
}

bool frmSX::record(Money amount) {
    const auto ref = reference();
    if (!ref) return false;
    return !failed(recordSourceNote(main_.ledger(), main_.journal(), row_, amount.format00(), *ref));
}

}  // namespace quorvel::ui
