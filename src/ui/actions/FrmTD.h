// An internal transfer from a budget account into a designated fund.
#pragma once

#include "EntryWindow.h"

namespace quorvel::ui {

class FrmTD : public EntryWindow {
    Q_OBJECT

public:
    FrmTD(FrmMain& main, int budgetRow, int fundRow);

    QLabel* Label1 = nullptr;  // "Transferring Funds from " and the account's name
    QLabel* Label2 = nullptr;  // "to " and the fund's name

protected:
    bool record(Money amount) override;

private:
    int budgetRow_;
    int fundRow_;
};

}  // namespace quorvel::ui
