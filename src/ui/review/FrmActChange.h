// The editor of one recorded action: its amount, reference and (for budget actions) account
// number. "OK" rewrites the record, "Delete Action" cancels it, "CANCEL" leaves it alone.
#pragma once

#include <cstdint>

#include "ui/widgets/AmountBox.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel::ui {

class FrmActChange : public ChildWindow {
    Q_OBJECT

public:
    FrmActChange(FrmMain& main, std::int64_t recordNumber);

    QLabel* lblActType = nullptr;
    QLabel* LblDAcct = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* TxtAcctNumber = nullptr;
    QLabel* Label1 = nullptr;
    AmountBox* TxtAmount = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TxtRef = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void Form_Load();
    std::int64_t number_;
};

}  // namespace quorvel::ui
