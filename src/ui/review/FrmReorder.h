// Putting the designated funds into any order: pick a fund, move it with four buttons while
// the list shows the rows around it, fix its place, and finally save the new order or drop
// every move. The moves are made on a copy of the month; only "Save and Exit" writes them.
#pragma once

#include "ledger/ledger.h"
#include "review/fund_order.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel::ui {

class FrmReorder : public ChildWindow {
    Q_OBJECT

public:
    explicit FrmReorder(FrmMain& main);

    // The funds as they stand in the window, moves included.
    const Ledger& order() const { return order_; }

    QLabel* Label2 = nullptr;
    QListWidget* LstDesignated = nullptr;
    QPushButton* CmdSelect = nullptr;
    QPushButton* CmdTop = nullptr;
    QPushButton* CmdUpOne = nullptr;
    QPushButton* CmdDownOne = nullptr;
    QPushButton* CmdBottom = nullptr;
    QPushButton* CmdExit = nullptr;
    QPushButton* CmdCancel = nullptr;

public slots:
    void Form_Load();
    void RefreshView();
    void ShowPlace();
    void CmdSelect_Click();
    void CmdTop_Click();
    void CmdUpOne_Click();
    void CmdDownOne_Click();
    void CmdBottom_Click();
    void CmdExit_Click();
    void CmdCancel_Click();

private:
    void move(FundMove how);
    void choosing();

    Ledger order_;
};

}  // namespace quorvel::ui
