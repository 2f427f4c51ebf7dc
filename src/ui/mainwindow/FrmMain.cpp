#include "FrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ledger/ledger_routines.h"
#include "platform/fixed_font.h"
#include "print/text_codec.h"
#include "review/month_summary.h"
#include "ui/actions/recording_commands.h"
#include "ui/export/FrmExport.h"
#include "ui/reconcile/reconcile_commands.h"
#include "ui/report/report_commands.h"
#include "ui/review/FrmAudit.h"
#include "ui/review/FrmUsageChart.h"
#include "ui/review/adjust_commands.h"
#include "ui/review/review_commands.h"
#include "ui/setup/setup_commands.h"
#include "ui/widgets/named_button.h"
#include "user_settings.h"

namespace quorvel::ui {

FrmMain::FrmMain(platform::Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform) {
    setObjectName("FrmMain");
    showTitle();
    buildControls();
    buildMenus();
    // At start only File (without the month commands) and Help can be used.
    HideMenu();
    MnuFile->setEnabled(true);
    MnuFile->menuAction()->setEnabled(true);
    MnuHelp->setEnabled(true);
    MnuHelp->menuAction()->setEnabled(true);
    MnuSave->setEnabled(false);
    MnuPrint->setEnabled(false);
    MnuExport->setEnabled(false);
    MnuSaveAS->setEnabled(false);
}

FrmMain::~FrmMain() = default;

void FrmMain::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    CmdCopy = namedButton(this, "CmdCopy", "Copy");
    CmdPrint = namedButton(this, "CmdPrint", "Hard Copy Print");
    CmdDx = namedButton(this, "CmdDx", "&DX");
    CmdBx = namedButton(this, "CmdBx", "&BX");
    CmdDx->setToolTip("Record a Designated Fund Expenditure");
    CmdBx->setToolTip("Record a Budget Expenditure");
    for (QPushButton* small : {CmdDx, CmdBx}) small->setMaximumWidth(small->sizeHint().height() * 2);
    auto* top = new QHBoxLayout;
    top->addWidget(CmdCopy);
    top->addWidget(CmdPrint);
    top->addStretch();
    top->addWidget(CmdDx);
    top->addWidget(CmdBx);
    layout->addLayout(top);

    LstMain = new QListWidget(this);
    LstMain->setObjectName("LstMain");
    const QFont fixed = platform::fixedPitchFont(12);
    LstMain->setFont(fixed);
    LstMain->setUniformItemSizes(true);
    LstMain->installEventFilter(this);
    connect(LstMain, &QListWidget::itemDoubleClicked, this, [this] { pressDefaultButton(); });
    layout->addWidget(LstMain, 1);

    CmdProcede = namedButton(this, "CmdProcede", "&Procede");
    CmdCancel = namedButton(this, "CmdCancel", "&Cancel");
    CmdEdit = namedButton(this, "CmdEdit", "&Edit Selected");
    CmdDisplay = namedButton(this, "CmdDisplay", "Display &Related Actions");
    auto* bottom = new QHBoxLayout;
    for (QPushButton* b : {CmdProcede, CmdCancel, CmdEdit, CmdDisplay}) {
        bottom->addWidget(b);
        b->hide();
    }
    bottom->addStretch();
    layout->addLayout(bottom);
    setCentralWidget(central);

    // Wide enough for the widest list line (90 characters) without scrolling.
    const int lineWidth = QFontMetrics(fixed).horizontalAdvance(QString(92, 'M'));
    resize(lineWidth + 60, QFontMetrics(fixed).lineSpacing() * 24 + 120);

    connect(CmdProcede, &QPushButton::clicked, this, &FrmMain::CmdProcede_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmMain::CmdCancel_Click);
    connect(CmdEdit, &QPushButton::clicked, this, &FrmMain::CmdEdit_Click);
    connect(CmdDisplay, &QPushButton::clicked, this, &FrmMain::CmdDisplay_Click);
    connect(CmdCopy, &QPushButton::clicked, this, &FrmMain::CmdCopy_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &FrmMain::CmdPrint_Click);
    connect(CmdBx, &QPushButton::clicked, this, [this] { MnuBudgetExpenditure_Click(*this); });
    connect(CmdDx, &QPushButton::clicked, this, [this] { MnuDesignatedExpenditure_Click(*this); });
}

QAction* FrmMain::addItem(QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

void FrmMain::buildMenus() {
    auto topMenu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(QString(name) + "Title");
        return menu;
    };
    MnuFile = topMenu("MnuFile", "&File");
    MnuOpen = addItem(MnuFile, "MnuOpen", "&Open", QKeySequence("Ctrl+O"));
    MnuSave = addItem(MnuFile, "MnuSave", "Start &New Month", QKeySequence("Ctrl+M"));
    MnuNew = addItem(MnuFile, "MnuNew", "New Annual &Budget Setup");
    MnuSaveAS = addItem(MnuFile, "MnuSaveAS", "Save &As");
    MnuFresh = addItem(MnuFile, "MnuFresh", "Save As &Fresh Year");
    MnuPrint = addItem(MnuFile, "MnuPrint", "&Print", QKeySequence("Ctrl+P"));
    MnuExport = addItem(MnuFile, "MnuExport", "&Export...");
    MnuRecent = MnuFile->addMenu("&Recent Months");
    MnuRecent->setObjectName("MnuRecent");
    MnuExit = addItem(MnuFile, "MnuExit", "E&xit", QKeySequence("Ctrl+X"));

    MnuActions = topMenu("MnuActions", "&Actions");
    MnuBudgetExpenditure =
        addItem(MnuActions, "MnuBudgetExpenditure", "&Budget Expenditure", QKeySequence("Ctrl+E"));
    MnuDesignatedExpenditure = addItem(MnuActions, "MnuDesignatedExpenditure", "&Designated Expenditure");
    MnuDeposit = addItem(MnuActions, "MnuDeposit", "De&posit", QKeySequence("Ctrl+D"));
    MnuDesignation = addItem(MnuActions, "MnuDesignation", "&Note Designation", QKeySequence("Ctrl+N"));
    MnuSource = addItem(MnuActions, "MnuSource", "Note &Source", QKeySequence("Ctrl+S"));
    MnuTransfer = addItem(MnuActions, "MnuTransfer", "&Internal Transfer", QKeySequence("Ctrl+T"));

    // Alt+E belongs to the "Edit Selected" button, which is shown while the menus wait.
    MnuEdit = topMenu("MnuEdit", "Edit/&View");
    MnuAdjustAction = addItem(MnuEdit, "MnuAdjustAction", "View/Adjust &Action", QKeySequence("Ctrl+A"));
    MnuCashShow = addItem(MnuEdit, "MnuCashShow", "View &Cash Actions");
    MnuBudgetAdjust = addItem(MnuEdit, "MnuBudgetAdjust", "View/Adjust &Budget Item", QKeySequence("Ctrl+B"));
    MnuAdjustDesignation = addItem(MnuEdit, "MnuAdjustDesignation", "View/Adjust &Designated Item");
    MnuCSource = addItem(MnuEdit, "MnuCSource", "View/Adust &Sources");
    MnuChangeBalance = addItem(MnuEdit, "MnuChangeBalance", "View/adjust &Main Balance");
    MnuSetSections = addItem(MnuEdit, "MnuSetSections", "Set  or Define Sec&tions");
    MnuUsage = addItem(MnuEdit, "MnuUsage", "&Usage report");
    MnuUsageChart = addItem(MnuEdit, "MnuUsageChart", "Usage C&hart");
    MnuReorder = addItem(MnuEdit, "MnuReorder", "&Reorder Designated Funds");
    QAction* MnuReconcile = addItem(MnuEdit, "MnuReconcile", "Reconcile with Ban&k Statement...");
    MnuAuditTrail = addItem(MnuEdit, "MnuAuditTrail", "Audit Tra&il");
    MnuCopy = addItem(MnuEdit, "MnuCopy", "C&opy", QKeySequence("Ctrl+C"));

    MnuHelp = topMenu("MnuHelp", "&Help");
    MnuAbout = addItem(MnuHelp, "MnuAbout", "&About");
    fillRecentMenu();

    connect(MnuOpen, &QAction::triggered, this, &FrmMain::MnuOpen_Click);
    connect(MnuSave, &QAction::triggered, this, &FrmMain::MnuSave_Click);
    connect(MnuSaveAS, &QAction::triggered, this, &FrmMain::MnuSaveAS_Click);
    connect(MnuFresh, &QAction::triggered, this, &FrmMain::MnuFresh_Click);
    connect(MnuExit, &QAction::triggered, this, &FrmMain::MnuExit_Click);
    connect(MnuCopy, &QAction::triggered, this, &FrmMain::MnuCopy_Click);
    connect(MnuAbout, &QAction::triggered, this, &FrmMain::MnuAbout_Click);
    const std::pair<QAction*, void (*)(FrmMain&)> commands[] = {
        {MnuBudgetExpenditure, MnuBudgetExpenditure_Click},
        {MnuDesignatedExpenditure, MnuDesignatedExpenditure_Click},
        {MnuDeposit, MnuDeposit_Click},
        {MnuDesignation, MnuDesignation_Click},
        {MnuSource, MnuSource_Click},
        {MnuTransfer, MnuTransfer_Click},
        {MnuAdjustAction, MnuAdjustAction_Click},
        {MnuCashShow, MnuCashShow_Click},
        {MnuCSource, MnuCSource_Click},
        {MnuChangeBalance, MnuChangeBalance_Click},
        {MnuUsage, MnuUsage_Click},
        {MnuNew, MnuNew_Click},
        {MnuBudgetAdjust, MnuBudgetAdjust_Click},
        {MnuAdjustDesignation, MnuAdjustDesignation_Click},
        {MnuSetSections, MnuSetSections_Click},
        {MnuReorder, MnuReorder_Click},
        {MnuPrint, MnuPrint_Click},
        {MnuExport, MnuExport_Click},
        {MnuReconcile, MnuReconcile_Click},
        {MnuUsageChart, MnuUsageChart_Click},
        {MnuAuditTrail, MnuAuditTrail_Click},
    };
    for (const auto& [action, command] : commands) {
        connect(action, &QAction::triggered, this, [this, command = command] { command(*this); });
    }
}

bool FrmMain::requireLoadedMonth() {
    // A month without budget accounts is loaded all the same: its funds, deposits and
    // listings work, and the budget adjustment can add an account.
    if (journal_.isOpen()) return true;
    platform_.dialogs.message("no report loaded");
    return false;
}

bool FrmMain::requireBudgetAccounts() {
    if (!requireLoadedMonth()) return false;
    if (ledger_.BudgetCount != 0) return true;
    platform_.dialogs.message("this month has no budget accounts");
    return false;
}

void FrmMain::ShowMenu() {
    for (QMenu* menu : {MnuFile, MnuActions, MnuEdit, MnuHelp}) {
        menu->setEnabled(true);
        menu->menuAction()->setEnabled(true);
    }
    CmdBx->setEnabled(!readOnly_);
    CmdDx->setEnabled(!readOnly_);
}

void FrmMain::HideMenu() {
    for (QMenu* menu : {MnuFile, MnuActions, MnuEdit, MnuHelp}) {
        menu->setEnabled(false);
        menu->menuAction()->setEnabled(false);
    }
    CmdBx->setEnabled(false);
    CmdDx->setEnabled(false);
}

void FrmMain::ShowStub() {
    RecomputeTotals(ledger_);
    const std::vector<std::string> lines = monthSummaryLines(ledger_);
    QStringList shown;
    // The first line names the file, whose name is in the file system's encoding.
    shown << "   File loaded is " + fromPath(ledger_.CurrentFile);
    for (std::size_t i = 1; i < lines.size(); ++i) shown << fromCp1252(lines[i]);
    setListLines(shown);
    CmdDisplay->hide();
    CmdEdit->hide();
    CmdCancel->hide();
}

void FrmMain::setListLines(const QStringList& lines) {
    LstMain->clear();
    LstMain->addItems(lines);
}

QStringList FrmMain::listLines() const {
    QStringList lines;
    for (int i = 0; i < LstMain->count(); ++i) lines << LstMain->item(i)->text();
    return lines;
}

int FrmMain::selectedRow() const {
    const QList<QListWidgetItem*> selected = LstMain->selectedItems();
    return selected.isEmpty() ? -1 : LstMain->row(selected.front());
}

QString FrmMain::selectedLine() const {
    const int row = selectedRow();
    return row < 0 ? QString() : LstMain->item(row)->text();
}

void FrmMain::waitForChoice(std::initializer_list<QPushButton*> buttons, std::function<void()> then) {
    ListAction = kNone;
    HideMenu();
    for (QPushButton* b : {CmdProcede, CmdCancel, CmdEdit, CmdDisplay}) b->hide();
    // In a read-only month every listing is for viewing: Edit would change what it shows.
    for (QPushButton* b : buttons) b->setVisible(!(readOnly_ && b == CmdEdit));
    pendingChoice_ = std::move(then);
    // The first line is the list's title: the first arrow key goes on to the first candidate.
    if (LstMain->count() > 0) LstMain->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    LstMain->setFocus();
}

void FrmMain::protocolButton(ListCode code) {
    ListAction = code;
    if (!pendingChoice_) return;
    auto then = std::exchange(pendingChoice_, {});
    ShowMenu();
    then();
}

void FrmMain::CmdProcede_Click() { protocolButton(kProcede); }
void FrmMain::CmdCancel_Click() { protocolButton(kCancel); }
void FrmMain::CmdEdit_Click() { protocolButton(kEdit); }
void FrmMain::CmdDisplay_Click() { protocolButton(kDisplay); }

// Enter (or a double click) on the list presses the visible button that goes on.
void FrmMain::pressDefaultButton() {
    for (QPushButton* b : {CmdProcede, CmdEdit, CmdCancel}) {
        if (b->isVisible() && b->isEnabled()) {
            b->click();
            return;
        }
    }
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LstMain && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            pressDefaultButton();
            return true;
        }
        if (key->key() == Qt::Key_Escape && CmdCancel->isVisible()) {
            CmdCancel->click();
            return true;
        }
    }
    // The list would copy only its current line; Ctrl+C copies the whole list.
    if (watched == LstMain && event->type() == QEvent::ShortcutOverride) {
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            return true;
        }
    }
    if (watched == LstMain && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        MnuCopy_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::keyPressEvent(QKeyEvent* event) {
    // Escape is Cancel wherever the focus is while a command waits.
    if (event->key() == Qt::Key_Escape && CmdCancel->isVisible()) {
        CmdCancel->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void FrmMain::setVisible(bool visible) {
    if (!visible && isVisible()) {
        shownGeometry_ = saveGeometry();
        rememberMainWindowGeometry(shownGeometry_);
    } else if (visible && !isVisible()) {
        const QByteArray geometry = shownGeometry_.isEmpty() ? mainWindowGeometry() : shownGeometry_;
        if (!geometry.isEmpty()) restoreGeometry(geometry);
    }
    QMainWindow::setVisible(visible);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    // A command waiting on the list simply ends with the program; nothing is pending on disk.
    pendingChoice_ = {};
    closeMonth();
    event->accept();
    QApplication::closeAllWindows();
}

void FrmMain::enableMonthCommands() {
    MnuPrint->setEnabled(true);
    MnuExport->setEnabled(true);  // writes another file only
    MnuSaveAS->setEnabled(true);  // writes another file only
    // Read-only, nothing that writes the month or its journal. Closing the month into the
    // next one is left to its holder too, who is still recording in it.
    for (QAction* writer :
         {MnuSave, MnuFresh, MnuBudgetExpenditure, MnuDesignatedExpenditure, MnuDeposit, MnuDesignation,
          MnuSource, MnuTransfer, MnuChangeBalance, MnuSetSections, MnuReorder}) {
        writer->setEnabled(!readOnly_);
    }
    CmdEdit->setEnabled(!readOnly_);
    CmdBx->setEnabled(!readOnly_ && MnuActions->isEnabled());
    CmdDx->setEnabled(!readOnly_ && MnuActions->isEnabled());
}

void FrmMain::showTitle() {
    const QString program = QStringLiteral("Quorvel");
    if (!monthOpen_) {
        setWindowTitle(program);
        return;
    }
    const QString month = QFileInfo(fromPath(ledger_.CurrentFile)).completeBaseName();
    setWindowTitle(month + (readOnly_ ? " (read-only)" : "") + QString::fromUtf8(" \u2014 ") + program);
}

void FrmMain::fillRecentMenu() {
    MnuRecent->clear();
    const QStringList months = recentMonths();
    for (int i = 0; i < months.size(); ++i) {
        const QString& path = months[i];
        // An "&" in a folder's name is shown, not taken for an accelerator.
        const QString shown = QDir::toNativeSeparators(path).replace('&', "&&");
        QAction* item = MnuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("MnuRecent%1").arg(i));
        connect(item, &QAction::triggered, this, [this, path] { openMonth(path); });
    }
    MnuRecent->menuAction()->setEnabled(!months.isEmpty());
}

}  // namespace quorvel::ui
