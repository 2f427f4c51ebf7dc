#include "adjust_commands.h"

#include <QListWidget>
#include <QPushButton>

#include "FrmBChange.h"
#include "FrmDChange.h"
#include "FrmReorder.h"
#include "FrmSections.h"
#include "actions/recording.h"
#include "ledger/ledger_routines.h"
#include "print/text_codec.h"
#include "review/budget_adjustment.h"
#include "review/fund_adjustment.h"
#include "review_commands.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {
namespace {

void showList(FrmMain& main, const PickList& list) {
    QStringList lines;
    for (const std::string& line : list.lines) lines << fromCp1252(line);
    main.setListLines(lines);
}

void hideListButtons(FrmMain& main) {
    for (QPushButton* b : {main.CmdProcede, main.CmdCancel, main.CmdEdit, main.CmdDisplay}) b->hide();
}

// Every way a listing ends short of a window: the message (if any), the summary back, no
// protocol button left behind.
void endListing(FrmMain& main, const QString& message = {}) {
    if (!message.isEmpty()) main.platform().dialogs.message(message);
    hideListButtons(main);
    main.LstMain->clear();
    main.ShowStub();
}

// The actions recorded under `key`; an empty key (an item not yet created) matches none.
void showRelatedActions(FrmMain& main, const std::string& key) {
    main.FilterKey = key;
    main.SelIndex = kFilteredListing;
    MnuAdjustAction_Click(main);
}

template <typename Window>
void openWindow(FrmMain& main, int row) {
    hideListButtons(main);
    (new Window(main, row))->start();
}

}  // namespace

void MnuBudgetAdjust_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    RecomputeTotals(main.ledger());
    const PickList list = budgetAdjustList(main.ledger());
    showList(main, list);
    main.waitForChoice({main.CmdEdit, main.CmdCancel, main.CmdDisplay}, [&main, list] {
        if (main.ListAction == FrmMain::kCancel) return endListing(main);
        const int index = main.selectedRow();
        const int row = list.rowOf(index);
        if (row < 1) return endListing(main, "- A budget item must be selected -");
        const bool isNew = index == list.newLine;
        if (main.ListAction == FrmMain::kDisplay) {
            return showRelatedActions(
                main, isNew ? std::string() : budgetFilterKey(main.ledger().BudgetAcctNumber[row]));
        }
        if (row > kLastWorkingRow) return endListing(main, kNoBudgetRowFree);
        main.SelIndex = row;
        if (isNew) main.SelIndex2 = row;
        openWindow<FrmBChange>(main, row);
    });
}

void MnuAdjustDesignation_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    RecomputeTotals(main.ledger());
    const PickList list = fundAdjustList(main.ledger());
    showList(main, list);
    main.waitForChoice({main.CmdEdit, main.CmdCancel, main.CmdDisplay}, [&main, list] {
        if (main.ListAction == FrmMain::kCancel) return endListing(main);
        const int index = main.selectedRow();
        const int row = list.rowOf(index);
        const bool isNew = index == list.newLine;
        if (main.ListAction == FrmMain::kDisplay) {
            if (row < 1) return endListing(main, " oops no account was selected ");
            return showRelatedActions(main, isNew ? std::string() : main.ledger().DesigAcctNumber[row]);
        }
        if (row < 1) return endListing(main, "No valid account was selected");
        if (row > kLastWorkingRow) return endListing(main, kOutOfFundSpace);
        main.SelIndex = row;
        main.LstMain->clear();
        openWindow<FrmDChange>(main, row);
    });
}

void MnuSetSections_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    (new FrmSections(main))->start();
}

void MnuReorder_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    (new FrmReorder(main))->start();
}

}  // namespace quorvel::ui
