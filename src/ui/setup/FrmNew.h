// The annual setup window: the year's budget accounts, designated funds and cash on hand
// typed in from nothing, then saved as the first month file with an empty journal. While it
// is open the main window is hidden and holds no month; it comes back with the new month
// loaded (Save and Exit) or with nothing loaded (Cancel).
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "ledger/ledger_routines.h"
#include "setup/annual_setup.h"
#include "setup/setup_list.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quorvel::ui {

class AmountBox;
class FrmMain;

class FrmNew : public QWidget {
    Q_OBJECT

public:
    explicit FrmNew(FrmMain& main, RandomBelow random = clockSeededRandom());

    // Shows the window in place of the main window, whose list is cleared.
    void start();
    // The entries made so far.
    const AnnualSetup& setup() const { return setup_; }

    QLabel* Label1 = nullptr;
    AmountBox* TxtCashOnHand = nullptr;
    QRadioButton* OptBudget = nullptr;
    QRadioButton* OptDesignated = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* TxtAcctNumber = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TxtAcctName = nullptr;
    QLabel* Label3 = nullptr;
    AmountBox* TxtBudgetAmount = nullptr;
    QLabel* Label6 = nullptr;
    AmountBox* TxtBalance = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* CmdDeleteFund = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

public slots:
    // Asks before the loaded month is discarded; true (the ledger emptied) when the setup may begin.
    bool Form_Load();
    void OptBudget_Click();
    void OptDesignated_Click();
    void Command1_Click();
    void CmdDeleteFund_Click();
    void Command2_Click();
    void Command3_Click();
    void TxtAcctNumber_lostfocus();
    void txtbalance_lostfocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void createControls();
    void layOutControls();
    // The captions' access keys, and a Tab order through the entry boxes before the list.
    void setKeyboardOrder();
    void connectControls();
    SetupMode mode() const;
    void showList(ListOccasion occasion);
    // The text of a box in the files' code page; nothing (after a message) when it cannot be stored.
    std::optional<std::string> storable(QLineEdit* box, const QString& what);
    // The main window back, this window gone.
    void finish();

    FrmMain& main_;
    RandomBelow random_;
    AnnualSetup setup_;
    bool finished_ = false;
};

}  // namespace quorvel::ui
