#include "FrmReorder.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {
namespace {

const QString kSelectCaption = "Select Fund";
const QString kPlaceCaption = "Save Placement";

void fill(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const std::string& line : lines) list->addItem(fromCp1252(line));
}

}  // namespace

FrmReorder::FrmReorder(FrmMain& main) : ChildWindow(main), order_(main.ledger()) {
    setObjectName("FrmReorder");
    setWindowTitle("Reordering Designated Funds");

    Label2 = new QLabel(
        "Directions:  Select fund, move it with buttons on the right as desired. Choose \" Save placement\"  "
        "and move another if desired.   Choose \"Save and Exit\" when done.   \"Cancel\" to exit with no "
        "change taking place.",
        this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    LstDesignated = new QListWidget(this);
    LstDesignated->setObjectName("LstDesignated");
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    LstDesignated->setFont(fixed);

    CmdSelect = namedButton(this, "CmdSelect", kSelectCaption);
    CmdTop = namedButton(this, "CmdTop", "To Top");
    CmdUpOne = namedButton(this, "CmdUpOne", "Up One");
    CmdDownOne = namedButton(this, "CmdDownOne", "Down One");
    CmdBottom = namedButton(this, "CmdBottom", "To Bottom");
    CmdExit = namedButton(this, "CmdExit", "Save and Exit");
    CmdCancel = namedButton(this, "CmdCancel", "Cancel");

    auto* right = new QVBoxLayout;
    for (QPushButton* b : {CmdSelect, CmdTop, CmdUpOne, CmdDownOne, CmdBottom}) right->addWidget(b);
    right->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(LstDesignated, 1);
    middle->addLayout(right);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CmdExit);
    bottom->addWidget(CmdCancel);
    bottom->addStretch();
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Label2);
    outer->addLayout(middle, 1);
    outer->addLayout(bottom);
    resize(QFontMetrics(fixed).horizontalAdvance(QString(60, 'M')) + 200, 560);

    connect(CmdSelect, &QPushButton::clicked, this, &FrmReorder::CmdSelect_Click);
    connect(CmdTop, &QPushButton::clicked, this, &FrmReorder::CmdTop_Click);
    connect(CmdUpOne, &QPushButton::clicked, this, &FrmReorder::CmdUpOne_Click);
    connect(CmdDownOne, &QPushButton::clicked, this, &FrmReorder::CmdDownOne_Click);
    connect(CmdBottom, &QPushButton::clicked, this, &FrmReorder::CmdBottom_Click);
    connect(CmdExit, &QPushButton::clicked, this, &FrmReorder::CmdExit_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmReorder::CmdCancel_Click);
    Form_Load();
    LstDesignated->setFocus();
}

void FrmReorder::Form_Load() { choosing(); }

void FrmReorder::RefreshView() { fill(LstDesignated, fundOrderLines(order_)); }

void FrmReorder::ShowPlace() { fill(LstDesignated, fundPlaceView(order_, main_.SelIndex2).lines); }

void FrmReorder::CmdSelect_Click() {
    if (CmdSelect->text() == kSelectCaption) {
        const QList<QListWidgetItem*> selected = LstDesignated->selectedItems();
        main_.SelIndex2 = selected.isEmpty() ? -1 : LstDesignated->row(selected.front());
        if (main_.SelIndex2 >= 1) {
            CmdSelect->setText(kPlaceCaption);
            for (QPushButton* b : {CmdTop, CmdUpOne, CmdDownOne, CmdBottom}) b->show();
            CmdExit->hide();
            ShowPlace();
            return;
        }
        main_.platform().dialogs.message("No fund selected");
    }
    choosing();
}

void FrmReorder::choosing() {
    CmdSelect->setText(kSelectCaption);
    for (QPushButton* b : {CmdTop, CmdUpOne, CmdDownOne, CmdBottom}) b->hide();
    CmdExit->show();
    RefreshView();
}

void FrmReorder::move(FundMove how) {
    main_.SelIndex2 = moveFund(order_, main_.SelIndex2, how);
    ShowPlace();
}

void FrmReorder::CmdTop_Click() { move(FundMove::ToTop); }
void FrmReorder::CmdUpOne_Click() { move(FundMove::UpOne); }
void FrmReorder::CmdDownOne_Click() { move(FundMove::DownOne); }
void FrmReorder::CmdBottom_Click() { move(FundMove::ToBottom); }

void FrmReorder::CmdExit_Click() {
    // A failed save is shown; the window stays open, and Cancel still leaves without a change.
    if (!failed(saveFunds(main_.ledger(), main_.journal(), order_))) finish();
}

// The moves were made on the window's copy: the loaded month still holds the saved order.
void FrmReorder::CmdCancel_Click() { finish(); }

}  // namespace quorvel::ui
