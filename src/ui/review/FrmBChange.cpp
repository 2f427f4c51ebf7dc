#include "FrmBChange.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "ledger/text_fields.h"
#include "print/text_codec.h"
#include "review/budget_adjustment.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {

FrmBChange::FrmBChange(FrmMain& main, int row)
    : ChildWindow(main), row_(row), isNew_(trimBlanks(main.ledger().BudgetAcctNumber[row]).empty()) {
    setObjectName("FrmBChange");
    setWindowTitle("Budget Adusting");
    createControls();
    layOutControls();
    connect(CmdChange, &QPushButton::clicked, this, &FrmBChange::CmdChange_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmBChange::CmdCancel_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmBChange::CmdDelete_Click);
    Form_Load();
    TxtAcctNum->setFocus();
}

void FrmBChange::createControls() {
    auto label = [this](QLabel*& target, const char* name, const QString& caption) {
        target = new QLabel(caption, this);
        target->setObjectName(name);
        target->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    label(Label1, "Label1", "Account Number");
    label(Label2, "Label2", "Name of Account");
    label(Label3, "Label3", "Annual Budget");
    label(Label4, "Label4", "Expended in Year");
    TxtAcctNum = new QLineEdit(this);
    TxtAcctNum->setObjectName("TxtAcctNum");
    TxtAcctNum->setMaxLength(3);
    TxtAcctNum->setMaximumWidth(TxtAcctNum->fontMetrics().horizontalAdvance("00000") + 16);
    TxtName = new QLineEdit(this);
    TxtName->setObjectName("TxtName");
    // Longer than the core allows, so a name too long is refused with a message, never cut.
    TxtName->setMaxLength(std::numeric_limits<int>::max());
    TxtName->setMinimumWidth(TxtName->fontMetrics().horizontalAdvance(QString(32, 'n')));
    TxtBudgeted = new AmountBox("Annual Budget", this);
    TxtBudgeted->setObjectName("TxtBudgeted");
    TxtExpended = new AmountBox("Expended in Year", this);
    TxtExpended->setObjectName("TxtExpended");
    Label1->setBuddy(TxtAcctNum);
    Label2->setBuddy(TxtName);
    Label3->setBuddy(TxtBudgeted);
    Label4->setBuddy(TxtExpended);

    CmdChange = namedButton(this, "CmdChange", "Change");
    CmdCancel = namedButton(this, "CmdCancel", "Cancel");
    CmdDelete = namedButton(this, "CmdDelete", "Delete");
}

void FrmBChange::layOutControls() {
    auto* grid = new QGridLayout;
    const std::pair<QLabel*, QWidget*> rows[] = {
        {Label1, TxtAcctNum}, {Label2, TxtName}, {Label3, TxtBudgeted}, {Label4, TxtExpended}};
    int r = 0;
    for (const auto& [caption, box] : rows) {
        grid->addWidget(caption, r, 0);
        grid->addWidget(box, r++, 1, Qt::AlignLeft);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdChange);
    buttons->addStretch();
    buttons->addWidget(CmdCancel);
    buttons->addStretch();
    buttons->addWidget(CmdDelete);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(buttons);
    setTabOrder(TxtAcctNum, TxtName);
    setTabOrder(TxtName, TxtBudgeted);
    setTabOrder(TxtBudgeted, TxtExpended);
    setTabOrder(TxtExpended, CmdChange);
    setTabOrder(CmdChange, CmdCancel);
    setTabOrder(CmdCancel, CmdDelete);
}

void FrmBChange::Form_Load() {
    const Ledger& ledger = main_.ledger();
    if (isNew_) {
        TxtAcctNum->setText(kNewAccountNumber);
        TxtName->setText(kNewAccountName);
        TxtBudgeted->setText(QString::fromStdString(Money().format00()));
        TxtExpended->setText(QString::fromStdString(Money().format00()));
        return;
    }
    TxtAcctNum->setText(fromCp1252(ledger.BudgetAcctNumber[row_]));
    TxtName->setText(fromCp1252(ledger.BudgetAcctName[row_]));
    TxtBudgeted->setText(QString::fromStdString(ledger.BudgetAmount[row_][kBudgeted].format00()));
    TxtExpended->setText(QString::fromStdString(ledger.BudgetAmount[row_][kSpentInYear].format00()));
}

void FrmBChange::CmdChange_Click() {
    const auto budgeted = TxtBudgeted->amount();
    if (failed(budgeted.status())) return;
    const auto expended = TxtExpended->amount();
    if (failed(expended.status())) return;
    const auto number = toCp1252(TxtAcctNum->text());
    const auto name = toCp1252(TxtName->text());
    if (!number || !name) {
        main_.platform().dialogs.message(
            (number ? "The name" : "The account number") +
            QString(" holds a character that cannot be stored in the month's files."));
        return;
    }
    main_.SelIndex2 = row_;
    const BudgetEdit edit{*number, *name, budgeted->format00(), expended->format00()};
    // A refusal or a failed save is shown and the window stays open.
    if (!failed(changeBudgetAccount(main_.ledger(), main_.journal(), row_, edit))) finish();
}

void FrmBChange::CmdDelete_Click() {
    if (main_.platform().dialogs.message("Are you sure you want to delete this budget item?",
                                         platform::Buttons::YesNo) != platform::Answer::Yes) {
        return;
    }
    if (!failed(deleteBudgetAccount(main_.ledger(), main_.journal(), row_))) finish();
}

void FrmBChange::CmdCancel_Click() { finish(); }

}  // namespace quorvel::ui
