#include "FrmExport.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "export/export_file.h"
#include "ledger/month_own_files.h"
#include "print/text_codec.h"
#include "ui/mainwindow/FrmMain.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;

FrmExport::FrmExport(FrmMain& main) : ChildWindow(main) {
    setObjectName("FrmExport");
    setWindowTitle("Export");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Export the month for a spreadsheet or an accounting tool:", this));
    const char* names[] = {"OptActions", "OptBudget", "OptFunds", "OptSources", "OptLedger"};
    for (std::size_t k = 0; k < Opt.size(); ++k) {
        Opt[k] = new QRadioButton(kExports[k].label, this);
        Opt[k]->setObjectName(names[k]);
        layout->addWidget(Opt[k]);
    }
    Opt[0]->setChecked(true);
    CmdExport = new QPushButton("&Export...", this);
    CmdExport->setObjectName("CmdExport");
    CmdExport->setDefault(true);
    CmdClose = new QPushButton("&Close", this);
    CmdClose->setObjectName("CmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdExport);
    buttons->addWidget(CmdClose);
    layout->addLayout(buttons);
    connect(CmdExport, &QPushButton::clicked, this, &FrmExport::CmdExport_Click);
    connect(CmdClose, &QPushButton::clicked, this, &FrmExport::reject);
}

void FrmExport::CmdExport_Click() {
    platform::Dialogs& dialogs = main_.platform().dialogs;
    std::size_t k = 0;
    while (k + 1 < Opt.size() && !Opt[k]->isChecked()) ++k;
    const ExportInfo& info = kExports[k];
    const QString extension = info.extension;
    const QFileInfo month(fromPath(main_.ledger().CurrentFile));

    platform::FileDialogOptions options;
    options.title = QStringLiteral("Export %1").arg(info.label);
    options.pattern = "*." + extension;
    options.defaultExtension = extension;
    // A wildcard, not a name: a cancelled dialog answers with it and nothing is written.
    options.initialName = month.absolutePath() + "/*." + extension;
    options.suggestedName =
        month.absolutePath() + "/" + month.completeBaseName() + "-" + info.option + "." + extension;
    const QString name = dialogs.saveFile(options);
    if (name.isEmpty() || name.contains('*')) return;

    const QString notWritten = QStringLiteral("The export could not be written; nothing was written.\n\n");
    if (const Status allowed = checkNotMonthOwnFile(toPath(name), main_.ledger().CurrentFile); !allowed) {
        dialogs.message(notWritten + fromPath(allowed.message()));
        return;
    }
    const QFileInfo target(name);
    if ((target.exists() || target.isSymLink()) &&
        dialogs.message(name + " already exists.\nDo you want to replace it?", Buttons::YesNo) != Answer::Yes)
        return;
    // Figures from part of a journal would be silently wrong.
    const Journal& journal = main_.journal();
    const auto records = journal.readAll();
    if (!records || journal.damagedRecord() != 0) {
        dialogs.message(notWritten +
                        QString::fromStdString(records ? journal.damageMessage() : records.message()));
        return;
    }
    if (const Status written = writeExportFile(toPath(name), main_.ledger(), *records, info.kind); !written) {
        dialogs.message(notWritten + fromPath(written.message()));
        return;
    }
    dialogs.message(QStringLiteral("%1 written to %2").arg(info.label, name));
}

void MnuExport_Click(FrmMain& main) {
    if (!main.requireLoadedMonth()) return;
    (new FrmExport(main))->start();
}

}  // namespace quorvel::ui
