#include "FrmTD.h"

#include <QLabel>
#include <QVBoxLayout>

#include "actions/recording.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmTD::FrmTD(FrmMain& main, int budgetRow, int fundRow)
    : EntryWindow(main, {"FrmTD", "Transferring Funds", "Amount", "Date", "Command1", "Make Transfer",
                         "Command2", "Label3", "Label4"}),
      budgetRow_(budgetRow),
      fundRow_(fundRow) {
    Label1 =
        new QLabel("Transferring Funds from " + fromCp1252(main.ledger().BudgetAcctName[budgetRow]), this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("to " + fromCp1252(main.ledger().DesigAcctName[fundRow]), this);
    Label2->setObjectName("Label2");
    headerLines->addWidget(Label1);
    headerLines->addWidget(Label2);
}

bool FrmTD::record(Money amount) {
    const auto ref = reference();
    if (!ref) return false;
    return !failed(
        recordTransfer(main_.ledger(), main_.journal(), budgetRow_, fundRow_, amount.format00(), *ref));
}

}  // namespace quorvel::ui
