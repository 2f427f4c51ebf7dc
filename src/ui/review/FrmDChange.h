// Renaming one designated fund and setting its balance at the first of the month, creating a
// fund, deleting a fund whose amounts add up to 0, or moving a fund to the top of the list.
#pragma once

#include "ui/widgets/AmountBox.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QPushButton;

namespace quorvel::ui {

class FrmDChange : public ChildWindow {
    Q_OBJECT

public:
    // `row` holds the fund; the row after the last fund stands for a new one.
    FrmDChange(FrmMain& main, int row);

    QLabel* Label1 = nullptr;
    QLineEdit* TxtName = nullptr;
    QLabel* Label2 = nullptr;
    AmountBox* TxtAmount = nullptr;
    QPushButton* Command1 = nullptr;  // "Make Change"
    QPushButton* Command2 = nullptr;  // "Cancel"
    QPushButton* Command3 = nullptr;  // "Move to Top"
    QPushButton* CmdDelete = nullptr;

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void CmdDelete_Click();

private:
    // Ends the window after a change that was made; shows why one was not and stays open.
    void endAfter(const Status& outcome);

    int row_;
};

}  // namespace quorvel::ui
