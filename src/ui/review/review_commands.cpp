#include "review_commands.h"

#include <QListWidget>
#include <QPushButton>

#include "FrmActChange.h"
#include "ledger/ledger_routines.h"
#include "print/text_codec.h"
#include "review/action_list.h"
#include "review/sources_and_balance.h"
#include "review/usage.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {
namespace {

QStringList fromLines(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines) shown << fromCp1252(line);
    return shown;
}

// A listing ends: its buttons hidden, the summary back.
void endListing(FrmMain& main, const QString& message = {}) {
    if (!message.isEmpty()) main.platform().dialogs.message(message);
    for (QPushButton* b : {main.CmdEdit, main.CmdCancel, main.CmdDisplay, main.CmdProcede}) b->hide();
    main.LstMain->clear();
    main.ShowMenu();
    main.ShowStub();
}

}  // namespace

void MnuAdjustAction_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    ActionListFilter filter;
    filter.cashOnly = main.CashView;
    if (main.SelIndex == kFilteredListing) filter.key = main.FilterKey;
    auto records = main.journal().readAll();
    if (!records) return endListing(main, QString::fromStdString(records.message()));
    // Each line keeps its record number beside it, so any record can be chosen, past 999 too.
    const ActionList list = actionListLines(main.ledger(), *records, filter);
    main.setListLines(fromLines(list.lines));
    main.CashView = false;
    main.SelIndex = 0;
    main.waitForChoice({main.CmdEdit, main.CmdCancel}, [&main, list] {
        if (main.ListAction == FrmMain::kCancel) return endListing(main);
        const int index = main.selectedRow();
        if (index < 1 || index >= static_cast<int>(list.recordNumbers.size())) {
            return endListing(main, " oops no action selected ");
        }
        main.CmdEdit->hide();
        main.CmdCancel->hide();
        main.SelIndex = static_cast<int>(list.recordNumbers[static_cast<std::size_t>(index)]);
        auto* window = new FrmActChange(main, list.recordNumbers[static_cast<std::size_t>(index)]);
        window->start();
    });
}

void MnuCashShow_Click(FrmMain& main) {
    main.CashView = true;
    MnuAdjustAction_Click(main);
    main.CashView = false;  // one listing only, also when the listing did not start
}

void MnuCSource_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    RecomputeTotals(main.ledger());
    const SourceList list = sourceListLines(main.ledger());
    main.setListLines(fromLines(list.lines));
    main.waitForChoice({main.CmdDisplay, main.CmdCancel, main.CmdEdit}, [&main, list] {
        if (main.ListAction == FrmMain::kCancel) return endListing(main);
        const int index = main.selectedRow();
        // The line's own row, not its place: a gap among the sources moves no line onto a neighbour.
        const int row = index < 1 || index >= static_cast<int>(list.rows.size())
                            ? 0
                            : list.rows[static_cast<std::size_t>(index)];
        if (main.ListAction == FrmMain::kDisplay) {
            if (row == 0) return endListing(main, "You must select the entry to view");
            main.FilterKey = main.ledger().SourceId[row];
            main.SelIndex = kFilteredListing;
            return MnuAdjustAction_Click(main);
        }
        if (row == 0) return endListing(main, "Invalid entry selected");
        const QString answer = main.platform().dialogs.input("What would be the revised name");
        if (!answer.isEmpty()) {
            const auto name = toCp1252(answer);
            if (!name) {
                return endListing(main,
                                  "The name holds a character that cannot be stored in the month's files.");
            }
            if (Status renamed = renameSource(main.ledger(), main.journal(), row, *name); !renamed) {
                return endListing(main, QString::fromStdString(renamed.message()));
            }
        }
        endListing(main);
    });
}

void MnuChangeBalance_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    RecomputeTotals(main.ledger());
    main.setListLines({fromCp1252(beginningBalanceLine(main.ledger()))});
    const QString answer = main.platform().dialogs.input("What balance do you wish to substitute?");
    if (answer.isEmpty()) return main.ShowStub();
    const Status replaced = replaceBeginningBalance(main.ledger(), main.journal(), answer.toStdString());
    main.LstMain->clear();
    if (!replaced) main.platform().dialogs.message(QString::fromStdString(replaced.message()));
    main.ShowStub();
}

void MnuUsage_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    RecomputeTotals(main.ledger());
    main.setListLines(fromLines(usageLines(main.ledger())));
    main.CmdBx->hide();
    main.CmdDx->hide();
    main.waitForChoice({main.CmdCancel}, [&main] {
        main.ListAction = FrmMain::kNone;
        main.CmdBx->show();
        main.CmdDx->show();
        endListing(main);
    });
}

}  // namespace quorvel::ui
