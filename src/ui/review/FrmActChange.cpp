#include "FrmActChange.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ledger/name_rules.h"
#include "print/text_codec.h"
#include "review/action_edit.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmActChange::FrmActChange(FrmMain& main, std::int64_t recordNumber)
    : ChildWindow(main), number_(recordNumber) {
    setObjectName("FrmActChange");
    setWindowTitle("Edit Action Entry");
    auto label = [this](QLabel*& target, const char* name, const QString& text, Qt::Alignment alignment) {
        target = new QLabel(text, this);
        target->setObjectName(name);
        target->setAlignment(alignment);
    };
    label(lblActType, "lblActType", "Type of Action was", Qt::AlignCenter);
    label(LblDAcct, "LblDAcct", "Label4", Qt::AlignCenter);
    label(Label3, "Label3", "Account Number", Qt::AlignRight | Qt::AlignVCenter);
    label(Label1, "Label1", "Amount", Qt::AlignRight | Qt::AlignVCenter);
    label(Label2, "Label2", "Date/Ch No", Qt::AlignRight | Qt::AlignVCenter);
    TxtAcctNumber = new QLineEdit(this);
    TxtAcctNumber->setObjectName("TxtAcctNumber");
    TxtAcctNumber->setMaxLength(3);  // the record holds three characters
    TxtAmount = new AmountBox("Amount", this);
    TxtAmount->setObjectName("TxtAmount");
    TxtRef = new QLineEdit(this);
    TxtRef->setObjectName("TxtRef");
    TxtRef->setMaxLength(static_cast<int>(kReferenceLength));
    Label3->setBuddy(TxtAcctNumber);
    Label1->setBuddy(TxtAmount);
    Label2->setBuddy(TxtRef);
    Command1 = new QPushButton("OK", this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    Command2 = new QPushButton("CANCEL", this);
    Command2->setObjectName("Command2");
    Command2->setAutoDefault(false);
    Command3 = new QPushButton("&Delete Action", this);
    Command3->setObjectName("Command3");
    Command3->setToolTip("cancel action completely");
    Command3->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblActType);
    layout->addWidget(LblDAcct);
    auto* grid = new QGridLayout;
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(TxtAcctNumber, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(TxtAmount, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(TxtRef, 2, 1);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command3}) buttons->addWidget(b);
    layout->addLayout(buttons);
    setTabOrder(TxtAcctNumber, TxtAmount);
    setTabOrder(TxtAmount, TxtRef);
    setTabOrder(TxtRef, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setMinimumWidth(420);

    connect(Command1, &QPushButton::clicked, this, &FrmActChange::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmActChange::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmActChange::Command3_Click);
    Form_Load();
}

void FrmActChange::Form_Load() {
    const auto record = main_.journal().read(number_);
    ActionView view;
    if (record) view = actionView(main_.ledger(), *record);
    lblActType->setText(fromCp1252(view.typeCaption));
    LblDAcct->setVisible(view.showsAccountName);
    LblDAcct->setText(fromCp1252(view.accountName));
    Label3->setVisible(view.showsAccountNumber);
    TxtAcctNumber->setVisible(view.showsAccountNumber);
    TxtAcctNumber->setText(fromCp1252(view.accountNumber));
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(TxtAmount),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(TxtRef)}) {
        w->setVisible(view.showsAmount);
    }
    TxtAmount->setText(QString::fromStdString(view.amountText));
    TxtRef->setText(fromCp1252(view.reference));
    if (!record) failed(record.status());
}

void FrmActChange::Command1_Click() {
    const auto amount = TxtAmount->amount();
    if (failed(amount.status())) return;
    const auto number = toCp1252(TxtAcctNumber->text());
    const auto reference = toCp1252(TxtRef->text());
    if (!number || !reference) {
        main_.platform().dialogs.message(
            "The entry holds a character that cannot be stored in the month's files.");
        return;
    }
    const ActionEdit edit{*number, amount->format00(), *reference};
    if (failed(editAction(main_.ledger(), main_.journal(), number_, edit))) return;
    finish();
}

void FrmActChange::Command2_Click() { finish(); }

void FrmActChange::Command3_Click() {
    // The treasurer confirms which action goes; it can be brought back from the audit trail.
    const auto record = main_.journal().read(number_);
    if (record && actionView(main_.ledger(), *record).showsAmount) {
        const QString question =
            "Delete this action?\n\n" + fromCp1252(describeAction(main_.ledger(), *record)) +
            "\n\nIt stays listed as cancelled, and Edit/View, Audit Trail can restore it.";
        if (main_.platform().dialogs.message(question, platform::Buttons::YesNo) != platform::Answer::Yes)
            return;
    }
    if (failed(cancelAction(main_.ledger(), main_.journal(), number_))) return;
    finish();
}

}  // namespace quorvel::ui
