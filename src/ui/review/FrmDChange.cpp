#include "FrmDChange.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ledger/ledger_routines.h"
#include "print/text_codec.h"
#include "review/fund_adjustment.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {

FrmDChange::FrmDChange(FrmMain& main, int row) : ChildWindow(main), row_(row) {
    setObjectName("FrmDChange");
    setWindowTitle("Adjusting Designated Account");

    Label1 = new QLabel("Name of Account", this);
    Label1->setObjectName("Label1");
    TxtName = new QLineEdit(this);
    TxtName->setObjectName("TxtName");
    TxtName->setMinimumWidth(TxtName->fontMetrics().horizontalAdvance(QString(40, 'n')));
    Label2 = new QLabel("Beginning Balance", this);
    Label2->setObjectName("Label2");
    TxtAmount = new AmountBox("Beginning Balance", this);
    TxtAmount->setObjectName("TxtAmount");
    Label1->setBuddy(TxtName);
    Label2->setBuddy(TxtAmount);

    Command1 = namedButton(this, "Command1", "Make Change");
    Command2 = namedButton(this, "Command2", "Cancel");
    Command3 = namedButton(this, "Command3", "Move to Top");
    CmdDelete = namedButton(this, "CmdDelete", "Delete Account");
    Command3->setToolTip("If activated, shows this account first in lists");
    CmdDelete->hide();

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Label1);
    outer->addWidget(TxtName);
    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(Label2);
    amountRow->addWidget(TxtAmount);
    amountRow->addStretch();
    outer->addLayout(amountRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    outer->addLayout(buttons);
    auto* below = new QHBoxLayout;
    below->addStretch();
    below->addWidget(CmdDelete);
    below->addStretch();
    outer->addLayout(below);
    setTabOrder(TxtName, TxtAmount);
    setTabOrder(TxtAmount, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, CmdDelete);

    connect(Command1, &QPushButton::clicked, this, &FrmDChange::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmDChange::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmDChange::Command3_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmDChange::CmdDelete_Click);
    Form_Load();
    TxtName->setFocus();
}

void FrmDChange::Form_Load() {
    const Ledger& ledger = main_.ledger();
    TxtName->setText(fromCp1252(ledger.DesigAcctName[row_]));
    // Plain number text at first; leaving the box gives it two decimals.
    TxtAmount->setText(QString::fromStdString(ledger.DesigAmount[row_][kAtFirstOfMonth].toFileText()));
    CmdDelete->setVisible(fundDeletion(ledger, main_.journal(), row_).ok());
}

void FrmDChange::Command1_Click() {
    const auto balance = TxtAmount->amount();
    if (failed(balance.status())) return;
    const auto name = toCp1252(TxtName->text());
    if (!name) {
        main_.platform().dialogs.message(
            "The name holds a character that cannot be stored in the month's files.");
        return;
    }
    main_.SelIndex2 = row_;
    const FundEdit edit{*name, balance->format00()};
    endAfter(changeFund(main_.ledger(), main_.journal(), row_, edit, clockSeededRandom()));
}

void FrmDChange::Command2_Click() { finish(); }

void FrmDChange::Command3_Click() { endAfter(moveFundToTop(main_.ledger(), main_.journal(), row_)); }

void FrmDChange::CmdDelete_Click() { endAfter(deleteFund(main_.ledger(), main_.journal(), row_)); }

void FrmDChange::endAfter(const Status& outcome) {
    if (!failed(outcome)) finish();
}

}  // namespace quorvel::ui
