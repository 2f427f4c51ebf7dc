#include "recording_commands.h"

#include <QListWidget>
#include <QPushButton>

#include "FrmBX.h"
#include "FrmDD.h"
#include "FrmDP.h"
#include "FrmDX.h"
#include "FrmTD.h"
#include "actions/pick_lists.h"
#include "actions/recording.h"
#include "frmSX.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {
namespace {

void showPickList(FrmMain& main, const PickList& list) {
    QStringList lines;
    for (const std::string& line : list.lines) lines << fromCp1252(line);
    main.setListLines(lines);
}

// Every way a pick can end short of its window: the message (if any), the summary back,
// no protocol button left behind.
void endPick(FrmMain& main, const QString& message = {}) {
    if (!message.isEmpty()) main.platform().dialogs.message(message);
    for (QPushButton* b : {main.CmdProcede, main.CmdCancel, main.CmdDisplay}) b->hide();
    main.LstMain->clear();
    main.ShowStub();
}

// Shows the list and waits for Procede or Cancel; `chosen` gets the selected line's index.
template <typename Chosen>
void pickFrom(FrmMain& main, const PickList& list, Chosen chosen) {
    showPickList(main, list);
    main.waitForChoice({main.CmdProcede, main.CmdCancel}, [&main, chosen] {
        if (main.ListAction == FrmMain::kCancel) return endPick(main);
        main.CmdProcede->hide();
        main.CmdCancel->hide();
        chosen(main.selectedRow());
    });
}

template <typename Window, typename... Rows>
void openWindow(FrmMain& main, Rows... rows) {
    auto* window = new Window(main, rows...);
    window->start();
}

// Asks for a new fund's name; nothing (the command ends) for fewer than two characters.
std::optional<int> newFund(FrmMain& main, bool announceInJournal) {
    if (main.ledger().DesigCount >= kLastWorkingRow) {
        endPick(main, kOutOfFundSpace);
        return std::nullopt;
    }
    const QString name = main.platform().dialogs.input("What new name for this designated account?");
    if (name.size() < 2) {
        endPick(main);
        return std::nullopt;
    }
    const auto bytes = toCp1252(name);
    if (!bytes) {
        endPick(main, "The name holds a character that cannot be stored in the month's files.");
        return std::nullopt;
    }
    const auto row =
        createFund(main.ledger(), main.journal(), *bytes, clockSeededRandom(), announceInJournal);
    if (!row) {
        endPick(main, QString::fromStdString(row.message()));
        return std::nullopt;
    }
    return *row;
}

}  // namespace

void MnuBudgetExpenditure_Click(FrmMain& main) {
    if (!main.requireBudgetAccounts()) return;
    const PickList list =
        budgetPickList(main.ledger(), "        - Select Budget Item This Expenditure -", /*sections=*/true);
    pickFrom(main, list, [&main, list](int index) {
        const int row = list.rowOf(index);
        if (row == 0) return endPick(main, "you must select a budget item");
        main.SelIndex = row;
        openWindow<FrmBX>(main, row);
    });
}

void MnuDesignatedExpenditure_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    const PickList list = fundPickList(main.ledger(), "        - Select Designated Fund for Expenditure -",
                                       /*offerNewFund=*/false);
    pickFrom(main, list, [&main, list](int index) {
        const int row = list.rowOf(index);
        if (row == 0) return endPick(main, "you must select a designated fund");
        main.SelIndex = row;
        openWindow<FrmDX>(main, row);
    });
}

void MnuDeposit_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    main.LstMain->clear();
    openWindow<FrmDP>(main);
}

void MnuDesignation_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    const PickList list = fundPickList(main.ledger(), "        - Select Fund for Designation -", true);
    pickFrom(main, list, [&main, list](int index) {
        main.SelIndex2 = index;
        int row = list.rowOf(index);
        if (index == list.newLine) {
            const auto created = newFund(main, /*announceInJournal=*/false);
            if (!created) return;
            row = *created;
        }
        if (row == 0) return endPick(main, "you must select a Designated Fund!");
        main.SelIndex = main.SelIndex2 = row;
        openWindow<FrmDD>(main, row);
    });
}

void MnuSource_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    const PickList list = sourcePickList(main.ledger());
    pickFrom(main, list, [&main, list](int index) {
        int row = list.rowOf(index);
        if (index == list.newLine) {
            int free = 1;
            while (free <= kLastSourceRow && !main.ledger().SourceId[free].empty()) ++free;
            if (free > kLastSourceRow) return endPick(main, kOutOfSourceSpace);
            const QString name = main.platform().dialogs.input("Enter name of new source -");
            // A name of one character would hide the source (and those after it) from this list.
            if (name.size() < 2) return endPick(main, "Invalid name");
            const auto bytes = toCp1252(name);
            if (!bytes)
                return endPick(main,
                               "The name holds a character that cannot be stored in the month's files.");
            const auto created = createSource(main.ledger(), main.journal(), *bytes, clockSeededRandom());
            if (!created) return endPick(main, QString::fromStdString(created.message()));
            row = *created;
        }
        if (row == 0) return endPick(main);  // nothing or the title: ends without a word
        main.SelIndex = main.SelIndex2 = row;
        openWindow<frmSX>(main, row);
    });
}

void MnuTransfer_Click(FrmMain& main) {
    if (!main.requireBudgetAccounts()) return;
    const PickList accounts =
        budgetPickList(main.ledger(), "        - Select Budget Item This Transfer -", /*sections=*/false);
    pickFrom(main, accounts, [&main, accounts](int index) {
        const int budgetRow = accounts.rowOf(index);
        if (budgetRow == 0) return endPick(main, "you must select a budget item");
        if (!canTransferFrom(main.ledger(), budgetRow)) {
            return endPick(main, fromCp1252(cannotTransferMessage(main.ledger(), budgetRow)));
        }
        main.SelIndex = budgetRow;
        const PickList funds = transferFundPickList(main.ledger());
        pickFrom(main, funds, [&main, funds, budgetRow](int fundIndex) {
            main.SelIndex2 = fundIndex;
            int fundRow = funds.rowOf(fundIndex);
            if (fundIndex == funds.newLine) {
                const auto created = newFund(main, /*announceInJournal=*/true);
                if (!created) return;
                fundRow = *created;
            }
            if (fundRow == 0) return endPick(main, "you must select a Designated Fund!");
            main.SelIndex2 = fundRow;
            openWindow<FrmTD>(main, budgetRow, fundRow);
        });
    });
}

}  // namespace quorvel::ui
