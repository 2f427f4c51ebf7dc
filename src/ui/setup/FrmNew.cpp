#include "FrmNew.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "ledger/budget_number.h"
#include "print/text_codec.h"
#include "setup/first_month.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/AmountBox.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;

FrmNew::FrmNew(FrmMain& main, RandomBelow random)
    : QWidget(nullptr), main_(main), random_(std::move(random)) {
    setObjectName("FrmNew");
    setWindowTitle("Setting Up a New Report - use for first setup of the year");
    buildControls();
}

void FrmNew::buildControls() {
    createControls();
    layOutControls();
    setKeyboardOrder();
    connectControls();
}

void FrmNew::createControls() {
    auto label = [this](QLabel*& target, const char* name, const QString& caption) {
        target = new QLabel(caption, this);
        target->setObjectName(name);
    };
    auto box = [this](QLineEdit*& target, const char* name) {
        target = new QLineEdit(this);
        target->setObjectName(name);
    };
    auto amountBox = [this](AmountBox*& target, const char* name, const QString& caption) {
        target = new AmountBox(caption, this);
        target->setObjectName(name);
    };

    label(Label1, "Label1", "Sum of all cash on hand");
    amountBox(TxtCashOnHand, "TxtCashOnHand", "Sum of all cash on hand");
    OptBudget = new QRadioButton("Budget Entry", this);
    OptBudget->setObjectName("OptBudget");
    OptBudget->setChecked(true);
    OptDesignated = new QRadioButton("Designated Fund Entry", this);
    OptDesignated->setObjectName("OptDesignated");
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label(Label4, "Label4", "Account #");
    box(TxtAcctNumber, "TxtAcctNumber");
    TxtAcctNumber->setMaxLength(3);
    label(Label5, "Label5", "<< 3 Digits Only, please!");
    label(Label2, "Label2", "Account Name");
    box(TxtAcctName, "TxtAcctName");
    label(Label3, "Label3", "Budget Amount");
    amountBox(TxtBudgetAmount, "TxtBudgetAmount", "Budget Amount");
    label(Label6, "Label6", "Balance ");
    amountBox(TxtBalance, "TxtBalance", "Balance");
    Command1 = namedButton(this, "Command1", "Add This Fund");
    CmdDeleteFund = namedButton(this, "CmdDeleteFund", "Delete highlighted Fund");
    Command2 = namedButton(this, "Command2", "Cancel");
    Command3 = namedButton(this, "Command3", "Save and Exit");
}

void FrmNew::layOutControls() {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(TxtCashOnHand);
    outer->addLayout(top);
    auto* middle = new QHBoxLayout;
    middle->addWidget(List1, 1);
    auto* modes = new QVBoxLayout;
    modes->addWidget(OptBudget);
    modes->addWidget(OptDesignated);
    modes->addStretch();
    middle->addLayout(modes);
    outer->addLayout(middle, 1);
    auto* entry = new QGridLayout;
    entry->addWidget(Label4, 0, 0);
    entry->addWidget(TxtAcctNumber, 0, 1);
    entry->addWidget(Label5, 0, 2);
    entry->addWidget(Label2, 1, 0);
    entry->addWidget(TxtAcctName, 1, 1, 1, 2);
    entry->addWidget(Label3, 2, 0);
    entry->addWidget(TxtBudgetAmount, 2, 1);
    entry->addWidget(Label6, 3, 0);
    entry->addWidget(TxtBalance, 3, 1);
    entry->setColumnStretch(2, 1);
    outer->addLayout(entry);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Command1);
    bottom->addWidget(CmdDeleteFund);
    bottom->addStretch();
    bottom->addWidget(Command2);
    bottom->addWidget(Command3);
    outer->addLayout(bottom);
    resize(630, 577);
}

void FrmNew::setKeyboardOrder() {
    const std::pair<QLabel*, QWidget*> buddies[] = {{Label1, TxtCashOnHand},
                                                    {Label4, TxtAcctNumber},
                                                    {Label2, TxtAcctName},
                                                    {Label3, TxtBudgetAmount},
                                                    {Label6, TxtBalance}};
    for (const auto& [caption, buddy] : buddies) caption->setBuddy(buddy);
    QWidget* const order[] = {TxtCashOnHand, TxtAcctNumber, TxtAcctName, TxtBudgetAmount,
                              TxtBalance,    Command1,      List1,       OptBudget,
                              OptDesignated, Command2,      Command3,    CmdDeleteFund};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void FrmNew::connectControls() {
    TxtAcctNumber->installEventFilter(this);
    TxtBalance->afterReformat = [this] { txtbalance_lostfocus(); };
    connect(OptBudget, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OptBudget_Click();
    });
    connect(OptDesignated, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OptDesignated_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &FrmNew::Command1_Click);
    connect(CmdDeleteFund, &QPushButton::clicked, this, &FrmNew::CmdDeleteFund_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmNew::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmNew::Command3_Click);
}

bool FrmNew::Form_Load() {
    if (main_.platform().dialogs.message("OK to delete current information?", Buttons::YesNo) !=
        Answer::Yes) {
        // The month that is loaded stays in use; with none loaded there is nothing to go back to.
        if (main_.journal().isOpen()) {
            main_.show();
            main_.ShowStub();
            main_.enableMonthCommands();
            main_.ShowMenu();
        }
        return false;
    }
    main_.closeMonth();
    main_.ledger() = Ledger{};
    return true;
}

void FrmNew::start() {
    show();
    main_.LstMain->clear();
    main_.hide();
    activateWindow();
    TxtCashOnHand->setFocus();
}

SetupMode FrmNew::mode() const { return OptBudget->isChecked() ? SetupMode::Budget : SetupMode::Designated; }

void FrmNew::showList(ListOccasion occasion) {
    List1->clear();
    for (const std::string& line : setupListLines(setup_.tables(), mode(), occasion))
        List1->addItem(fromCp1252(line));
}

void FrmNew::OptBudget_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, TxtAcctNumber, Label5, Label3, TxtBudgetAmount})
        w->show();
    showList(ListOccasion::Switched);
}

void FrmNew::OptDesignated_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, TxtAcctNumber, Label5, Label3, TxtBudgetAmount})
        w->hide();
    showList(ListOccasion::Switched);
}

std::optional<std::string> FrmNew::storable(QLineEdit* box, const QString& what) {
    auto bytes = toCp1252(box->text());
    if (!bytes) {
        main_.platform().dialogs.message("The " + what +
                                         " holds a character that cannot be stored in the month's files.");
    }
    return bytes;
}

void FrmNew::Command1_Click() {
    platform::Dialogs& dialogs = main_.platform().dialogs;
    const auto name = storable(TxtAcctName, "name");
    if (!name) return;
    // Read in the order of the boxes, whichever had the focus: an empty balance takes the
    // budget amount once that is read.
    Result<Money> budget = Money();
    if (mode() == SetupMode::Budget) budget = TxtBudgetAmount->amount();
    if (!budget) return (void)dialogs.message(QString::fromStdString(budget.message()));
    const auto balance = TxtBalance->amount();
    if (!balance) return (void)dialogs.message(QString::fromStdString(balance.message()));
    Status added = Status::Ok();
    if (mode() == SetupMode::Budget) {
        const auto number = storable(TxtAcctNumber, "account number");
        if (!number) return;
        added = setup_.addBudgetAccount(*number, *name, *budget, *balance);
    } else {
        added = setup_.addFund(*name, *balance, random_);
    }
    if (!added) {
        dialogs.message(QString::fromStdString(added.message()));
        return;
    }
    showList(ListOccasion::Added);
    for (QLineEdit* box :
         std::initializer_list<QLineEdit*>{TxtBudgetAmount, TxtBalance, TxtAcctNumber, TxtAcctName}) {
        box->clear();
    }
    (mode() == SetupMode::Budget ? TxtAcctNumber : TxtAcctName)->setFocus();
}

void FrmNew::CmdDeleteFund_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const int line = selected.isEmpty() ? -1 : List1->row(selected.front());
    if (const Status deleted = setup_.deleteLine(mode(), line); !deleted) {
        main_.platform().dialogs.message(QString::fromStdString(deleted.message()));
        return;
    }
    showList(ListOccasion::Deleted);
}

void FrmNew::Command2_Click() { finish(); }

void FrmNew::Command3_Click() {
    platform::Dialogs& dialogs = main_.platform().dialogs;
    // An empty box is the treasurer's "no value", asked about below.
    Result<Money> cash = Money();
    if (!TxtCashOnHand->text().trimmed().isEmpty()) cash = TxtCashOnHand->amount();
    if (!cash) return (void)dialogs.message(QString::fromStdString(cash.message()));
    if (cash->isZero() && dialogs.message("You have no value for Cash on Hand - procede anyway?",
                                          Buttons::YesNo, "oops") != Answer::Yes) {
        return;
    }
    if (setup_.tables().BudgetCount == 0 &&
        dialogs.message("This year has no budget accounts: no budget expenditure or transfer can be recorded "
                        "until one is added with Edit/View, View/Adjust Budget Item.\nSave it anyway?",
                        Buttons::YesNo) != Answer::Yes) {
        return;
    }
    platform::FileDialogOptions options;
    options.title = "Save New Report as . . (hint: MMMYYYY.REP)";
    options.pattern = "*.rep";
    options.initialName = "*.rep";
    options.defaultExtension = "rep";
    // Asked before another month of the chosen name is replaced.
    options.overwritePrompt = true;
    const QString name = dialogs.saveFile(options);
    if (name.isEmpty() || name.contains('*')) {
        dialogs.message("Oops, invalid file name");
        return;
    }
    MonthLock lock;
    if (!main_.reserveNewMonth(name, lock)) return;
    if (const Status saved = saveFirstMonth(firstMonth(setup_, *cash, toPath(name))); !saved) {
        if (!saved.tookEffect()) {
            dialogs.message("The new year was not saved; every entry is still here.\n\n" +
                            fromPath(saved.message()));
            return;
        }
        dialogs.message(fromPath(saved.message()));
    }
    // openMonth reports its own failure; the entries stay here to be saved again.
    if (!main_.openMonth(name, std::move(lock))) return;
    finish();
}

void FrmNew::TxtAcctNumber_lostfocus() {
    // Only a number that can be charged is padded; anything else stays as typed, to be refused
    // with a message when it is added.
    if (const auto number = chargeableNumber(TxtAcctNumber->text().toStdString())) {
        TxtAcctNumber->setText(QString::fromStdString(*number));
    }
}

void FrmNew::txtbalance_lostfocus() {
    // An untouched balance means the whole budget is still available; a fund has no budget.
    if (mode() == SetupMode::Budget && TxtBalance->text().trimmed().isEmpty())
        TxtBalance->setText(TxtBudgetAmount->text());
}

bool FrmNew::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TxtAcctNumber && event->type() == QEvent::FocusOut) TxtAcctNumber_lostfocus();
    return QWidget::eventFilter(watched, event);
}

void FrmNew::closeEvent(QCloseEvent* event) {
    // Closing the window is Cancel: the main window must not stay hidden.
    finish();
    event->accept();
}

void FrmNew::finish() {
    if (finished_) return;
    finished_ = true;
    main_.show();
    hide();
    deleteLater();
}

}  // namespace quorvel::ui
