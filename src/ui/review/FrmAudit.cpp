#include "FrmAudit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/fixed_font.h"
#include "print/text_codec.h"
#include "review/action_edit.h"
#include "review/audited_change.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

FrmAudit::FrmAudit(FrmMain& main) : ChildWindow(main) {
    setObjectName("FrmAudit");
    setWindowTitle("Audit Trail");
    LblTrail = new QLabel(this);
    LblTrail->setObjectName("LblTrail");
    LblTrail->setWordWrap(true);
    LstAudit = new QListWidget(this);
    LstAudit->setObjectName("LstAudit");
    const QFont fixed = platform::fixedPitchFont(10);
    LstAudit->setFont(fixed);
    LstAudit->setAlternatingRowColors(true);
    CmdRestore = new QPushButton("&Restore", this);
    CmdRestore->setObjectName("CmdRestore");
    CmdRestore->setToolTip("write back the action this entry cancelled");
    CmdRestore->setAutoDefault(false);
    CmdClose = new QPushButton("&Close", this);
    CmdClose->setObjectName("CmdClose");
    CmdClose->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdRestore);
    buttons->addStretch();
    buttons->addWidget(CmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblTrail);
    layout->addWidget(LstAudit, 1);
    layout->addLayout(buttons);
    resize(QFontMetrics(fixed).horizontalAdvance(QString(96, 'M')) + 40, 560);

    connect(LstAudit, &QListWidget::currentRowChanged, this, &FrmAudit::LstAudit_Change);
    connect(CmdRestore, &QPushButton::clicked, this, &FrmAudit::CmdRestore_Click);
    connect(CmdClose, &QPushButton::clicked, this, &FrmAudit::reject);

    fillList();
}

void FrmAudit::fillList() {
    const std::string path = locateAuditTrail(main_.ledger().CurrentFile);
    trail_ = readAuditTrail(path);
    LstAudit->clear();
    for (const AuditEntry& entry : trail_.entries) {
        QStringList lines;
        for (const std::string& line : auditEntryLines(entry, main_.ledger())) lines << fromCp1252(line);
        LstAudit->addItem(lines.join('\n'));
    }
    // A missing or damaged trail is said here; the month itself never depends on it.
    const auto count = trail_.entries.size();
    LblTrail->setText(trail_.message.empty() ? QString("%1: %2 %3, newest last")
                                                   .arg(fromPath(path))
                                                   .arg(count)
                                                   .arg(count == 1 ? "entry" : "entries")
                                             : fromPath(trail_.message));
    LstAudit->setCurrentRow(LstAudit->count() - 1);
    LstAudit->scrollToBottom();
    LstAudit_Change();
}

void FrmAudit::LstAudit_Change() {
    const int row = LstAudit->currentRow();
    CmdRestore->setEnabled(
        row >= 0 && !main_.readOnly() &&
        restorableRecords(main_.ledger(), main_.journal(), trail_, static_cast<std::size_t>(row)).ok());
}

void FrmAudit::CmdRestore_Click() {
    const int row = LstAudit->currentRow();
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    const auto records = restorableRecords(main_.ledger(), main_.journal(), trail_, index);
    if (failed(records.status())) return;
    const AuditEntry& entry = trail_.entries[index];
    QString question = records->size() > 1 ? "Restore this transfer?\n" : "Restore this action?\n";
    for (const CancelledRecord& record : *records)
        question += "\n" + fromCp1252(describeAction(main_.ledger(), record.original));
    question += "\n\nIt was cancelled " + fromCp1252(entry.time) + " by " + fromCp1252(entry.user) + ".";
    if (main_.platform().dialogs.message(question, platform::Buttons::YesNo) != platform::Answer::Yes) return;
    const Status restored = restoreAction(main_.ledger(), main_.journal(), trail_, index);
    if (failed(restored)) {
        // The failure may have added a "Not made" entry or changed what can be restored.
        if (!restored.tookEffect()) fillList();
        return;
    }
    finish();
}

void MnuAuditTrail_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    (new FrmAudit(main))->start();
}

}  // namespace quorvel::ui
