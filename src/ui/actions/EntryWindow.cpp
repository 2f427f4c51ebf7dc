#include "EntryWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ledger/name_rules.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

EntryWindow::EntryWindow(FrmMain& main, const EntryLayout& layout) : ChildWindow(main) {
    setObjectName(layout.name);
    setWindowTitle(layout.caption);

    amountLabel = new QLabel(layout.amountLabel, this);
    amountLabel->setObjectName(layout.amountLabelName);
    TxtAmount = new AmountBox(layout.amountLabel, this);
    TxtAmount->setObjectName("TxtAmount");
    referenceLabel = new QLabel(layout.referenceLabel, this);
    referenceLabel->setObjectName(layout.referenceLabelName);
    TxtRef = new QLineEdit(this);
    TxtRef->setObjectName("TxtRef");
    TxtRef->setMaxLength(static_cast<int>(kReferenceLength));
    for (QLabel* label : {amountLabel, referenceLabel})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amountLabel->setBuddy(TxtAmount);
    referenceLabel->setBuddy(TxtRef);

    recordButton = new QPushButton(layout.recordCaption, this);
    recordButton->setObjectName(layout.recordName);
    recordButton->setDefault(true);  // Enter records
    cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName(layout.cancelName);
    cancelButton->setAutoDefault(false);

    auto* outer = new QVBoxLayout(this);
    headerLines = new QVBoxLayout;
    outer->addLayout(headerLines);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(amountLabel, 0, 0);
    grid->addWidget(TxtAmount, 0, 1);
    grid->addWidget(referenceLabel, 1, 0);
    grid->addWidget(TxtRef, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(recordButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 2, 0, 1, 2);
    setTabOrder(TxtAmount, TxtRef);
    setTabOrder(TxtRef, recordButton);
    setTabOrder(recordButton, cancelButton);
    setMinimumWidth(380);

    connect(recordButton, &QPushButton::clicked, this, &EntryWindow::recordClicked);
    connect(cancelButton, &QPushButton::clicked, this, &EntryWindow::reject);
}

void EntryWindow::start() {
    ChildWindow::start();
    TxtAmount->setFocus();
}

void EntryWindow::recordClicked() {
    const auto amount = TxtAmount->amount();
    if (failed(amount.status())) {
        TxtAmount->setFocus();
        return;
    }
    if (record(*amount)) finish();
}

std::optional<std::string> EntryWindow::reference() {
    auto bytes = toCp1252(TxtRef->text());
    if (!bytes) {
        main_.platform().dialogs.message(
            "The reference holds a character that cannot be stored in the month's files.");
    }
    return bytes;
}

}  // namespace quorvel::ui
