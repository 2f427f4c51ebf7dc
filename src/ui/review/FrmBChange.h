// Changing one budget account's number, name, annual budget and expenditure in the year,
// creating a new account, or deleting one.
#pragma once

#include "ui/widgets/AmountBox.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QPushButton;

namespace quorvel::ui {

class FrmBChange : public ChildWindow {
    Q_OBJECT

public:
    // `row` holds the account; a row without an account stands for a new one.
    FrmBChange(FrmMain& main, int row);

    QLabel* Label1 = nullptr;
    QLineEdit* TxtAcctNum = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TxtName = nullptr;
    QLabel* Label3 = nullptr;
    AmountBox* TxtBudgeted = nullptr;
    QLabel* Label4 = nullptr;
    AmountBox* TxtExpended = nullptr;
    QPushButton* CmdChange = nullptr;
    QPushButton* CmdCancel = nullptr;
    QPushButton* CmdDelete = nullptr;

public slots:
    void Form_Load();
    void CmdChange_Click();
    void CmdDelete_Click();
    void CmdCancel_Click();

private:
    void createControls();
    void layOutControls();

    int row_;
    bool isNew_;
};

}  // namespace quorvel::ui
