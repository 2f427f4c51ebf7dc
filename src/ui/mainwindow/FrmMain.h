// The main window: the month summary in one fixed-pitch list, the whole menu of commands,
// and the buttons with which the treasurer picks a line of the list while a command waits.
//
// A command that needs a pick fills the list, calls waitForChoice() with the buttons it
// accepts and the step that goes on from there, and returns; the step runs when one of those
// buttons is pressed. There is no nested event loop.
#pragma once

#include <QMainWindow>
#include <functional>
#include <initializer_list>
#include <string>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/month_lock.h"
#include "platform/platform.h"

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace quorvel::ui {

class FrmMain : public QMainWindow {
    Q_OBJECT

public:
    // Codes of the list protocol's buttons, as ListAction holds them.
    enum ListCode { kNone = 0, kEdit = 5, kCancel = 6, kProcede = 7, kDisplay = 9 };

    explicit FrmMain(platform::Platform& platform, QWidget* parent = nullptr);
    ~FrmMain() override;

    void ShowMenu();
    void HideMenu();
    void ShowStub();

    // Opens a month as the Open command does after its dialog; on failure shows why and
    // keeps the month that was loaded. Returns whether the month was opened.
    //
    // The month's lock is taken first (`reserved`, when the caller already holds it). A month
    // another copy holds is opened read-only if the treasurer agrees; only once the month is
    // loaded does the lock of the month open before go.
    bool openMonth(const QString& path, MonthLock reserved = {});
    // Before a command writes a new month as `path`: takes that month's lock into `reserved`,
    // or says who has it open and returns false. The month open here needs no reserving.
    bool reserveNewMonth(const QString& path, MonthLock& reserved);
    // The month is closed: its journal and its lock let go. The ledger stays as it is.
    void closeMonth();
    // A month held by another copy, open for viewing and printing only.
    bool readOnly() const { return readOnly_; }

    // The list protocol: shows `buttons` (the others stay hidden), disables the menus, and
    // runs `then` once one of them is pressed, after the menus are enabled again.
    void waitForChoice(std::initializer_list<QPushButton*> buttons, std::function<void()> then);
    bool isWaiting() const { return static_cast<bool>(pendingChoice_); }
    // The list's selected row (-1 for none) and its text.
    int selectedRow() const;
    QString selectedLine() const;
    void setListLines(const QStringList& lines);
    QStringList listLines() const;

    Ledger& ledger() { return ledger_; }
    Journal& journal() { return journal_; }
    platform::Platform& platform() { return platform_; }
    // "no report loaded" when no month is loaded; true when a month is there.
    bool requireLoadedMonth();
    // As requireLoadedMonth, and "this month has no budget accounts" for a month without any.
    bool requireBudgetAccounts();
    // The month commands of an opened month; in a read-only month only those that leave
    // the month and its journal as they are.
    void enableMonthCommands();

    // State of the list protocol.
    int ListAction = kNone;
    int SelIndex = 0;
    int SelIndex2 = 0;
    std::string FilterKey;  // the records' own bytes, compared with them unconverted
    bool CashView = false;

    // Controls, under their given names.
    QPushButton* CmdCopy = nullptr;
    QPushButton* CmdPrint = nullptr;
    QPushButton* CmdDx = nullptr;
    QPushButton* CmdBx = nullptr;
    QPushButton* CmdDisplay = nullptr;
    QPushButton* CmdEdit = nullptr;
    QPushButton* CmdCancel = nullptr;
    QPushButton* CmdProcede = nullptr;
    QListWidget* LstMain = nullptr;

    QMenu* MnuFile = nullptr;
    QMenu* MnuActions = nullptr;
    QMenu* MnuEdit = nullptr;
    QMenu* MnuHelp = nullptr;
    // The months opened last, one item each ("MnuRecent0", ...), the latest first.
    QMenu* MnuRecent = nullptr;
    QAction* MnuOpen = nullptr;
    QAction* MnuSave = nullptr;
    QAction* MnuNew = nullptr;
    QAction* MnuSaveAS = nullptr;
    QAction* MnuFresh = nullptr;
    QAction* MnuPrint = nullptr;
    QAction* MnuExport = nullptr;
    QAction* MnuExit = nullptr;
    QAction* MnuBudgetExpenditure = nullptr;
    QAction* MnuDesignatedExpenditure = nullptr;
    QAction* MnuDeposit = nullptr;
    QAction* MnuDesignation = nullptr;
    QAction* MnuSource = nullptr;
    QAction* MnuTransfer = nullptr;
    QAction* MnuAdjustAction = nullptr;
    QAction* MnuCashShow = nullptr;
    QAction* MnuBudgetAdjust = nullptr;
    QAction* MnuAdjustDesignation = nullptr;
    QAction* MnuCSource = nullptr;
    QAction* MnuChangeBalance = nullptr;
    QAction* MnuSetSections = nullptr;
    QAction* MnuUsage = nullptr;
    QAction* MnuUsageChart = nullptr;
    QAction* MnuReorder = nullptr;
    QAction* MnuAuditTrail = nullptr;
    QAction* MnuCopy = nullptr;
    QAction* MnuAbout = nullptr;

public slots:
    void CmdProcede_Click();
    void CmdCancel_Click();
    void CmdEdit_Click();
    void CmdDisplay_Click();
    void CmdCopy_Click();
    void CmdPrint_Click();
    void MnuCopy_Click();

    void MnuOpen_Click();
    void MnuSave_Click();
    void MnuSaveAS_Click();
    void MnuFresh_Click();
    void MnuExit_Click();
    void MnuAbout_Click();

    // Hidden while another window is open, the window comes back where it was and as large.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
    void protocolButton(ListCode code);
    void pressDefaultButton();
    // Start New Month and Save As Fresh Year share every step but the budget rule.
    void rollOverTo(const QString& dialogTitle, bool freshYear);
    // A file dialog's options, starting in the open month's folder.
    platform::FileDialogOptions monthDialog(const QString& title, const QString& pattern,
                                            bool overwritePrompt) const;
    void fillRecentMenu();
    // "DEC2026 — Quorvel" for the open month, the program's name alone without one.
    void showTitle();

    platform::Platform& platform_;
    // Before the journal, so that it is released after the journal is closed.
    MonthLock monthLock_;
    bool readOnly_ = false;
    bool monthOpen_ = false;
    Ledger ledger_;
    Journal journal_;
    std::function<void()> pendingChoice_;
    QByteArray shownGeometry_;
};

}  // namespace quorvel::ui
