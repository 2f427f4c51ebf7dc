// Adding and deleting the report's sections. The changes are made on a copy of the month;
// both closing buttons save them.
#pragma once

#include "ledger/ledger.h"
#include "ui/widgets/ChildWindow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel::ui {

class FrmSections : public ChildWindow {
    Q_OBJECT

public:
    explicit FrmSections(FrmMain& main);

    QListWidget* lstbudgets = nullptr;
    QListWidget* lstcatagories = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* TxtName = nullptr;
    QPushButton* Command1 = nullptr;  // "Add Catagory"
    QPushButton* CmdDelete = nullptr;
    QPushButton* CmdCancel = nullptr;
    QPushButton* CmdSave = nullptr;

public slots:
    void Form_Load();
    void Command1_Click();
    void CmdDelete_Click();
    void CmdSave_Click();
    void CmdCancel_Click();
    void reject() override;

private:
    void showSections(const char* title);
    void saveAndFinish();

    Ledger edited_;
    bool saved_ = false;
};

}  // namespace quorvel::ui
