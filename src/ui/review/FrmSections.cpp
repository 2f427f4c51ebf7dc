#include "FrmSections.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "print/text_codec.h"
#include "review/sections.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {
namespace {

void fill(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const std::string& line : lines) list->addItem(fromCp1252(line));
}

// The selected line's index; -1 when nothing is selected.
int selectedIndex(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

}  // namespace

FrmSections::FrmSections(FrmMain& main) : ChildWindow(main), edited_(main.ledger()) {
    setObjectName("FrmSections");
    setWindowTitle("Caption Setting");

    lstbudgets = new QListWidget(this);
    lstbudgets->setObjectName("lstbudgets");
    lstcatagories = new QListWidget(this);
    lstcatagories->setObjectName("lstcatagories");
    Label2 = new QLabel(
        "Directions:  here you set up catagories that will start subsections on the printed report.  "
        "Specify which budget item starts each section, and also specify what should be the name for that "
        "budget section.",
        this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    Label1 = new QLabel("Name of budget catagory  to add:", this);
    Label1->setObjectName("Label1");
    TxtName = new QLineEdit(this);
    TxtName->setObjectName("TxtName");
    Label1->setBuddy(TxtName);

    Command1 = namedButton(this, "Command1", "Add Catagory");
    CmdDelete = namedButton(this, "CmdDelete", "Delete Catagory");
    CmdCancel = namedButton(this, "CmdCancel", "Cancel");
    CmdSave = namedButton(this, "CmdSave", "Save and Exit");
    Command1->setToolTip("select from budget list above left");
    CmdDelete->setToolTip("Select from catagories listed on above right");

    auto* outer = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    lists->addWidget(lstbudgets);
    lists->addWidget(lstcatagories);
    outer->addLayout(lists, 1);
    outer->addWidget(Label2);
    auto* entry = new QGridLayout;
    entry->addWidget(Label1, 0, 0);
    entry->addWidget(TxtName, 1, 0);
    entry->addWidget(Command1, 1, 1);
    entry->addWidget(CmdDelete, 1, 2);
    outer->addLayout(entry);
    auto* closing = new QHBoxLayout;
    closing->addWidget(CmdCancel);
    closing->addStretch();
    closing->addWidget(CmdSave);
    outer->addLayout(closing);
    resize(760, 520);

    connect(Command1, &QPushButton::clicked, this, &FrmSections::Command1_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmSections::CmdDelete_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmSections::CmdCancel_Click);
    connect(CmdSave, &QPushButton::clicked, this, &FrmSections::CmdSave_Click);
    Form_Load();
    lstbudgets->setFocus();
}

void FrmSections::Form_Load() {
    fill(lstbudgets, sectionBudgetLines(edited_));
    showSections(kSectionsTitle);
}

void FrmSections::showSections(const char* title) { fill(lstcatagories, sectionLines(edited_, title)); }

void FrmSections::Command1_Click() {
    const auto title = toCp1252(TxtName->text());
    if (!title) {
        main_.platform().dialogs.message(
            "The title holds a character that cannot be stored in the month's files.");
        return;
    }
    if (failed(addSection(edited_, selectedIndex(lstbudgets), *title))) return;
    TxtName->clear();
    showSections(kSectionsTitle);
}

void FrmSections::CmdDelete_Click() {
    const int s = selectedIndex(lstcatagories);
    if (s < 1 || s >= lstcatagories->count()) {
        main_.platform().dialogs.message(kSectionToDelete);
        return;
    }
    removeSection(edited_, s);
    showSections(kSectionsAfterDeleteTitle);
}

void FrmSections::CmdSave_Click() { saveAndFinish(); }

// What was added or deleted is kept by Cancel too.
void FrmSections::CmdCancel_Click() { saveAndFinish(); }

void FrmSections::reject() { CmdCancel_Click(); }

void FrmSections::saveAndFinish() {
    if (saved_) return;
    saved_ = true;
    // Both buttons save, so a failed save is reported and the window still closes: what is shown
    // afterwards is the month on disk.
    failed(saveSections(main_.ledger(), main_.journal(), edited_));
    finish();
}

}  // namespace quorvel::ui
