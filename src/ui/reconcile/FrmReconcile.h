// The reconciliation window: the month's book items against a bank statement, in four lists
// (matched, statement lines without an action, outstanding cheques, deposits in transit),
// the other accounts where money is held, and the balance formula with whether it agrees.
// The treasurer confirms, undoes or makes matches, records a bank line as an action, saves
// the reconciliation beside the month and prints it. A read-only month can only be viewed.
#pragma once

#include <QStringList>
#include <array>
#include <optional>

#include "csv_statement.h"
#include "reconcile/reconciliation_file.h"
#include "report/report_entries.h"
#include "ui/widgets/ChildWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel::ui {

class FrmReconcile : public ChildWindow {
    Q_OBJECT

public:
    // `namesFile` is the report window's accounts.dat, which names the other accounts.
    FrmReconcile(FrmMain& main, QString namesFile);

    // Loads the month's items and its saved reconciliation; without one, asks for a statement
    // at once. False when there is nothing to show (the treasurer cancelled).
    bool Form_Load();

    QLabel* LblStatement = nullptr;
    QListWidget* LstMatched = nullptr;
    QListWidget* LstBankOnly = nullptr;
    QListWidget* LstOutstanding = nullptr;
    QListWidget* LstInTransit = nullptr;
    std::array<QLineEdit*, kReportAccounts> TxtOtherName{};
    std::array<QLineEdit*, kReportAccounts> TxtOtherAmount{};
    QComboBox* CboAccount = nullptr;  // the budget account a bank charge is recorded against
    QLabel* LblFormula = nullptr;
    QPushButton* CmdStatement = nullptr;
    QPushButton* CmdConfirm = nullptr;
    QPushButton* CmdConfirmAll = nullptr;
    QPushButton* CmdUnmatch = nullptr;
    QPushButton* CmdMatch = nullptr;
    QPushButton* CmdRecord = nullptr;
    QPushButton* CmdSave = nullptr;
    QPushButton* CmdPrint = nullptr;
    QPushButton* CmdPdf = nullptr;
    QPushButton* CmdClose = nullptr;

    const Reconciliation& reconciliation() const { return rec_; }

public slots:
    bool CmdStatement_Click();
    void CmdConfirm_Click();
    void CmdConfirmAll_Click();
    void CmdUnmatch_Click();
    void CmdMatch_Click();
    void CmdRecord_Click();
    // With proposals left, asks whether to confirm them first: only confirmed matches clear.
    void CmdSave_Click();
    void CmdPrint_Click();
    void CmdPdf_Click();
    // Asks before closing with changes that are not saved.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    // This month's book items (from its journal) and the carried ones.
    std::optional<std::vector<BookItem>> currentItems();
    std::optional<statement::CsvColumns> askColumns(const std::string& path);
    void refresh();
    BalanceCheck check();
    // The page's lines; nothing, with a message, while an other account's amount is refused.
    std::optional<std::vector<std::string>> printedLines();
    // The statement line or book item a list's selected row stands for.
    std::optional<std::size_t> selected(QListWidget* list) const;

    QString namesFile_;
    Reconciliation rec_;
    std::vector<BookItem> carried_;
    QString carryFault_;
    std::string savedText_;  // the reconciliation as last loaded or saved, to tell unsaved changes
    QString othersFault_;  // the first other account's amount that cannot be read  // why last month's files
                           // could not be read; saving is refused then
    std::string origin_;
    std::optional<SavedReconciliation> saved_;
};

}  // namespace quorvel::ui
