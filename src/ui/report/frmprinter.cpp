#include "frmprinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ledger/ledger_routines.h"
#include "ledger/month_own_files.h"
#include "ledger/typed_amount.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/print_replay.h"
#include "print/text_codec.h"
#include "report/account_names.h"
#include "report/print_steps.h"
#include "report/report_layout.h"
#include "review/usage_chart.h"
#include "ui/chosen_printer.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/mainwindow/user_settings.h"
#include "ui/review/usage_chart_view.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {

using platform::Answer;
using platform::Buttons;

namespace {

const QString kBalanceCaption = QStringLiteral("Report balance is ");
const QString kNothingPrinted = QStringLiteral("Nothing was printed.");

class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QLabel* label(QWidget* parent, const char* name, const QString& text, bool wrap = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(wrap);
    return l;
}

}  // namespace

frmprinter::frmprinter(FrmMain& main, QString namesFile)
    : QDialog(nullptr), main_(main), namesFile_(std::move(namesFile)) {
    setObjectName("frmprinter");
    setWindowTitle(" Printer Setup ");
    CommonDialog1.pattern.clear();
    CommonDialog1.initialName.clear();
    CommonDialog1.defaultExtension.clear();
    CommonDialog1.emptyWhenCancelled = true;
    buildControls();
    Form_Load();
}

void frmprinter::buildControls() {
    createEntryBoxes();
    createPrintControls();
    layOutControls();
    connectControls();
}

void frmprinter::createEntryBoxes() {
    Label1 = label(this, "Label1", "Supply up to three title lines");
    Label2 = label(this, "Label2",
                   "For example the congregation's name, the month and year, and the kind of report", true);
    TxtaTitle = new QLineEdit("Treasurer's Report", this);
    TxtaTitle->setObjectName("TxtaTitle");
    TxtbTitle = new QLineEdit(this);
    TxtbTitle->setObjectName("TxtbTitle");
    TxtcTitle = new QLineEdit(this);
    TxtcTitle->setObjectName("TxtcTitle");
    // A longer title would run off the paper.
    for (QLineEdit* title : {TxtaTitle, TxtbTitle, TxtcTitle}) {
        title->setMaxLength(static_cast<int>(longestTitle()));
        connect(title, &QLineEdit::inputRejected, this, &frmprinter::titleTooLong);
    }
    Label3 = label(this, "Label3",
                   "Supply up to five account names and amounts where funds are located at this time "
                   "(optional but best to do so)",
                   true);
    Label4 = label(this, "Label4", "Account Names");
    Label5 = label(this, "Label5", "Account Amounts");
    for (int k = 0; k < kReportAccounts; ++k) {
        txtname[k] = new QLineEdit(this);
        txtname[k]->setObjectName("txtname");
        txtname[k]->setProperty("Index", k);
        TxtAmount[k] = new AmountBox(QString("Account Amount %1").arg(k + 1), this);
        TxtAmount[k]->setObjectName("TxtAmount");
        TxtAmount[k]->setProperty("Index", k);
        // An amount of 0 leaves the box empty: no account. Text that is no amount stays as typed.
        TxtAmount[k]->afterReformat = [this, k] {
            const std::string shown = TxtAmount[k]->text().toStdString();
            if (readTypedAmount(shown, "").ok())
                TxtAmount[k]->setText(QString::fromStdString(settledAmountText(shown)));
        };
    }
    CmdTotal = namedButton(this, "CmdTotal", "View Total");
    Label6 = label(this, "Label6", {});
    Label9 = label(this, "Label9",
                   "Note: if total in accounts differs from amount in report, your books are not in balance "
                   "and this should be corrected.",
                   true);
}

void frmprinter::createPrintControls() {
    Label7 = label(this, "Label7", "Number of Copies");
    TxtPnum = new QLineEdit("1", this);
    TxtPnum->setObjectName("TxtPnum");
    Chkdouble = new QCheckBox("Print 2 sided pages", this);
    Chkdouble->setObjectName("Chkdouble");
    LblPaper = label(this, "LblPaper", "Paper for Save as PDF");
    CboPaper = new QComboBox(this);
    CboPaper->setObjectName("CboPaper");
    for (QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter})
        CboPaper->addItem(QPageSize::name(paper), static_cast<int>(paper));
    CboPaper->setCurrentIndex(CboPaper->findData(static_cast<int>(platform::QtPrinter::localePaper().id())));
    LblPrinter = label(this, "LblPrinter", {});
    LblPreviewPaper = label(this, "LblPreviewPaper", {});
    CmdPrinter = namedButton(this, "CmdPrinter", "P&rinter...");
    ChkChart = new QCheckBox("Print usage chart as last page", this);
    ChkChart->setObjectName("ChkChart");
    Label8 = label(this, "Label8", {});
    Command1 = namedButton(this, "Command1", "PRINT!");
    CmdPreview = namedButton(this, "CmdPreview", "Pre&view");
    CmdPdf = namedButton(this, "CmdPdf", "Save as PDF");
    CmdPdf->setEnabled(static_cast<bool>(main_.platform().pdfPrinter));
    Command4 = namedButton(this, "Command4", "Print to File");
    Command5 = namedButton(this, "Command5", "Annual to File");
    Command3 = namedButton(this, "Command3", "Save my names!");
    Command2 = namedButton(this, "Command2", "Cancel");
}

void frmprinter::layOutControls() {
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(Label1, row++, 0, 1, 3);
    grid->addWidget(Label2, row++, 0, 1, 3);
    for (QLineEdit* title : {TxtaTitle, TxtbTitle, TxtcTitle}) grid->addWidget(title, row++, 0, 1, 3);
    grid->addWidget(Label3, row++, 0, 1, 3);
    grid->addWidget(Label4, row, 0);
    grid->addWidget(Label5, row++, 1);
    for (int k = 0; k < kReportAccounts; ++k) {
        grid->addWidget(txtname[k], row, 0);
        grid->addWidget(TxtAmount[k], row++, 1);
    }
    grid->addWidget(CmdTotal, row, 0);
    grid->addWidget(Label6, row++, 1);
    grid->addWidget(Label9, row++, 0, 1, 3);
    grid->addWidget(Label7, row, 0);
    grid->addWidget(TxtPnum, row, 1);
    grid->addWidget(Chkdouble, row++, 2);
    grid->addWidget(LblPaper, row, 0);
    grid->addWidget(CboPaper, row, 1);
    grid->addWidget(ChkChart, row++, 2);
    grid->addWidget(LblPrinter, row, 0, 1, 2);
    grid->addWidget(CmdPrinter, row++, 2);
    grid->addWidget(LblPreviewPaper, row++, 0, 1, 3);
    grid->addWidget(Label8, row++, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, CmdPreview, CmdPdf, Command4, Command5, Command3, Command2})
        buttons->addWidget(b);
    grid->addLayout(buttons, row, 0, 1, 3);
    setMinimumWidth(640);
}

void frmprinter::connectControls() {
    connect(Command1, &QPushButton::clicked, this, &frmprinter::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmprinter::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmprinter::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmprinter::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmprinter::Command5_Click);
    connect(CmdTotal, &QPushButton::clicked, this, &frmprinter::CmdTotal_Click);
    connect(CmdPdf, &QPushButton::clicked, this, &frmprinter::CmdPdf_Click);
    connect(CmdPreview, &QPushButton::clicked, this, &frmprinter::CmdPreview_Click);
    connect(CmdPrinter, &QPushButton::clicked, this, &frmprinter::CmdPrinter_Click);
    connect(CboPaper, &QComboBox::currentIndexChanged, this, &frmprinter::showPrinter);
}

void frmprinter::start() {
    main_.hide();
    show();
    activateWindow();
    TxtaTitle->setFocus();
}

void frmprinter::Form_Load() {
    reportBalance_ = main_.ledger().Summary[kRemainingBalance].format00();
    Label8->setText(kBalanceCaption + QString::fromStdString(reportBalance_));
    // A missing or damaged file leaves the boxes it did not reach empty, without a word.
    const AccountNames names = loadAccountNames(toPath(namesFile_));
    for (int k = 0; k < kReportAccounts; ++k) txtname[k]->setText(fromCp1252(names[k]));
    if (const auto titles = loadReportTitles(toPath(titlesFile()))) {
        TxtaTitle->setText(fromCp1252((*titles)[0]));
        TxtbTitle->setText(fromCp1252((*titles)[1]));
        TxtcTitle->setText(fromCp1252((*titles)[2]));
    }
    printer_ = printerChoice();
    // An empty list may be a print service that is down: the choice is kept for when it is back.
    if (!printer_.printer.isEmpty() && printersReachable() &&
        !main_.platform().printerNames().contains(printer_.printer)) {
        main_.platform().dialogs.message(
            QStringLiteral("The printer %1 chosen before is no longer set up on this computer.\n"
                           "The report goes to the default printer.")
                .arg(printer_.printer));
        printer_.printer.clear();
        rememberPrinterChoice(printer_);
    }
    showPrinter();
}

void frmprinter::showPrinter() {
    const QString printer =
        printer_.printer.isEmpty() ? QStringLiteral("the default printer") : printer_.printer;
    const QString paper = printer_.paper.isValid() ? printer_.paper.name() : QStringLiteral("its own paper");
    if (printersReachable()) {
        // The printer (the default one, after the chosen one went) may not take the paper chosen.
        const auto& takesPaper = main_.platform().takesPaper;
        const bool taken = printer_.paper.isValid() && (!takesPaper || takesPaper(printer_));
        const QString printed =
            taken || !printer_.paper.isValid() ? paper : "its own paper, as it does not take " + paper;
        LblPrinter->setText(QStringLiteral("Printing on %1, %2").arg(printer, printed));
        LblPreviewPaper->setText(QStringLiteral("The preview shows the printer's paper") +
                                 (taken ? ", " + paper : QStringLiteral(", its own")));
    } else {
        LblPrinter->setText(QStringLiteral("No printer can be reached now; printing on %1, %2 when it can")
                                .arg(printer, paper));
        LblPreviewPaper->setText(
            QStringLiteral("The preview shows the paper for Save as PDF, %1").arg(pdfPaper().name()));
    }
}

bool frmprinter::printersReachable() const {
    const auto& installed = main_.platform().printerNames;
    return !installed || !installed().isEmpty();
}

QPageSize frmprinter::pdfPaper() const {
    return QPageSize(static_cast<QPageSize::PageSizeId>(CboPaper->currentData().toInt()));
}

platform::PrinterChoice frmprinter::previewChoice() const {
    return printersReachable() ? printer_ : platform::PrinterChoice{{}, pdfPaper()};
}

QString frmprinter::titlesFile() const { return QFileInfo(namesFile_).dir().filePath("titles.dat"); }

void frmprinter::TxtAmount_lostfocus(int Index) { TxtAmount[Index]->reformat(); }

std::optional<ReportEntries> frmprinter::entries() {
    // A box that still has the focus (a button pressed from the keyboard) settles first.
    for (int k = 0; k < kReportAccounts; ++k) TxtAmount_lostfocus(k);
    for (AmountBox* box : TxtAmount) {
        if (box->text().isEmpty()) continue;  // no account
        if (const auto amount = box->amount(); !amount) {
            main_.platform().dialogs.message(QString::fromStdString(amount.message()));
            box->setFocus();
            return std::nullopt;
        }
    }
    ReportEntries e;
    bool storable = true;
    auto take = [&storable](const QLineEdit* box, std::string& into) {
        const auto bytes = toCp1252(box->text());
        storable = storable && bytes.has_value();
        if (bytes) into = *bytes;
    };
    take(TxtaTitle, e.titles[0]);
    take(TxtbTitle, e.titles[1]);
    take(TxtcTitle, e.titles[2]);
    for (int k = 0; k < kReportAccounts; ++k) {
        take(txtname[k], e.accountNames[k]);
        take(TxtAmount[k], e.accountAmounts[k]);
    }
    if (!storable) {
        main_.platform().dialogs.message(
            "A title or account name holds a character that the report cannot hold (Windows-1252 only).");
        return std::nullopt;
    }
    return e;
}

void frmprinter::Command1_Click() {
    platform::Dialogs& dialogs = main_.platform().dialogs;
    if (dialogs.message(printerReadyQuestion(printer_), Buttons::YesNo) != Answer::Yes) return;
    const std::optional<ReportEntries> report = entries();
    if (!report) return;
    RecomputeTotals(main_.ledger());
    const std::optional<int> copies = copiesRequested(TxtPnum->text().toStdString());
    if (!copies) {
        Label8->setText(kNothingPrinted);
        dialogs.message(QStringLiteral("At most 32767 copies can be printed at once."));
        return;
    }
    // A failing printer ends the run: the window stays open with its entries.
    if (const auto [copy, error] = printCopies(*report, *copies); !error.isEmpty()) {
        printFailed(copy, *copies, error);
        return;
    }
    finish();
}

std::pair<int, QString> frmprinter::printCopies(const ReportEntries& report, int copies) {
    BusyPointer busy;
    const std::vector<platform::PagePainter> chart = chartPages();
    for (int copy = 1; copy <= copies; ++copy) {
        Label8->setText(QStringLiteral("Printing copy  %1").arg(copy));
        Label8->repaint();
        const std::vector<PrintStep> steps = printedReport(main_.ledger(), report);
        const std::unique_ptr<platform::Printer> printer = main_.platform().chosenPrinter(printer_);
        const QString error = printer ? print::printJob(steps, *printer, Chkdouble->isChecked(), chart)
                                      : QStringLiteral("No printer is set up on this computer.");
        if (!error.isEmpty()) return {copy, error};
    }
    return {copies, {}};
}

void frmprinter::printFailed(int copy, int copies, const QString& reason) {
    Label8->setText(copy == 1 ? kNothingPrinted
                              : QStringLiteral("%1 of %2 copies were printed.").arg(copy - 1).arg(copies));
    const QString message = QStringLiteral("The report could not be printed.\n\n") + reason;
    platform::Dialogs& dialogs = main_.platform().dialogs;
    if (!CmdPdf->isEnabled()) {
        dialogs.message(message);
        return;
    }
    if (dialogs.message(message + QStringLiteral("\n\nSave it as PDF instead?"), Buttons::YesNo) ==
        Answer::Yes)
        CmdPdf_Click();
}

// Said once: the box itself keeps refusing the characters past the limit.
void frmprinter::titleTooLong() {
    if (std::exchange(titleLimitShown_, true)) return;
    main_.platform().dialogs.message(
        QStringLiteral("A title line holds at most %1 characters, so that it fits on the paper.")
            .arg(longestTitle()));
}

void frmprinter::Command2_Click() { finish(); }

void frmprinter::reject() { finish(); }

void frmprinter::Command3_Click() {
    // The title lines are kept with the names, so next month's report starts from this one's.
    const std::optional<ReportEntries> kept = entries();
    if (!kept) return;
    AccountNames names;
    for (int k = 0; k < kReportAccounts; ++k) names[k] = kept->accountNames[k];
    Status saved = saveAccountNames(toPath(namesFile_), names);
    if (saved) saved = saveReportTitles(toPath(titlesFile()), kept->titles);
    if (!saved) {
        main_.platform().dialogs.message("Your account names could not be saved.\n\n" +
                                         QString::fromStdString(saved.message()));
    }
}

void frmprinter::Command4_Click() { writeReport(ReportFileKind::Monthly); }

void frmprinter::Command5_Click() { writeReport(ReportFileKind::Annual); }

void frmprinter::writeReport(ReportFileKind kind) {
    platform::Dialogs& dialogs = main_.platform().dialogs;
    const QString name = dialogs.saveFile(CommonDialog1);
    if (name.isEmpty()) return;  // cancelled: nothing is written
    CommonDialog1.initialName = name;
    if (name.contains('*')) {
        dialogs.message("Invalid file name");
        return;
    }
    if (name.size() < 2) {
        dialogs.message("file name must be specified");
        return;
    }
    const std::optional<ReportEntries> report = entries();
    if (!report) return;
    const QString notWritten = QStringLiteral("The report could not be written.\n\n");
    if (const Status allowed = checkNotMonthOwnFile(toPath(name), main_.ledger().CurrentFile); !allowed) {
        dialogs.message(notWritten + fromPath(allowed.message()));
        return;
    }
    const QFileInfo target(name);
    if ((target.exists() || target.isSymLink()) &&
        dialogs.message(name + " already exists.\nDo you want to replace it?", Buttons::YesNo) !=
            Answer::Yes) {
        return;
    }
    if (const Status written = writeReportFile(toPath(name), main_.ledger(), *report, kind); !written) {
        dialogs.message(notWritten + fromPath(written.message()));
    }
}

void frmprinter::CmdPdf_Click() {
    platform::FileDialogOptions options;
    options.title = "Save as PDF";
    options.pattern = "*.pdf";
    options.defaultExtension = "pdf";
    options.overwritePrompt = true;
    // A wildcard, not a name: a cancelled dialog answers with it and nothing is written.
    const QString month = fromPath(main_.ledger().CurrentFile);
    options.initialName = month.isEmpty() ? "*.pdf" : QFileInfo(month).absolutePath() + "/*.pdf";
    const QString name = main_.platform().dialogs.saveFile(options);
    if (name.isEmpty() || name.contains('*')) return;
    const std::optional<ReportEntries> report = entries();
    if (!report) return;
    if (const Status allowed = checkNotMonthOwnFile(toPath(name), main_.ledger().CurrentFile); !allowed) {
        main_.platform().dialogs.message("The report could not be saved as PDF.\n\n" +
                                         fromPath(allowed.message()));
        return;
    }
    BusyPointer busy;
    const QPageSize paper = pdfPaper();
    const auto pdfPrinter = [this, &paper](const QString& path) {
        return main_.platform().pdfPrinter(path, paper);
    };
    const QString error =
        print::writeReportPdf(printedReport(main_.ledger(), *report), pdfPrinter, name, chartPages());
    if (!error.isEmpty())
        main_.platform().dialogs.message("The report could not be saved as PDF.\n\n" + error);
}

std::vector<platform::PagePainter> frmprinter::chartPages() const {
    if (!ChkChart->isChecked()) return {};
    return usageChartPrintedPages(usageChart(main_.ledger()));
}

void frmprinter::CmdPreview_Click() {
    const std::optional<ReportEntries> report = entries();
    if (!report) return;
    RecomputeTotals(main_.ledger());
    const std::vector<PrintStep> steps = printedReport(main_.ledger(), *report);
    const std::vector<platform::PagePainter> chart = chartPages();
    const QString error = main_.platform().dialogs.preview(previewChoice(), [&](platform::Printer& printer) {
        return print::printJob(steps, printer, false, chart);
    });
    if (!error.isEmpty()) main_.platform().dialogs.message("The preview could not be shown.\n\n" + error);
}

void frmprinter::CmdPrinter_Click() {
    const std::optional<platform::PrinterChoice> chosen = main_.platform().dialogs.choosePrinter(printer_);
    if (!chosen) return;
    printer_ = *chosen;
    rememberPrinterChoice(printer_);
    showPrinter();
}

void frmprinter::CmdTotal_Click() {
    const std::optional<ReportEntries> report = entries();
    if (!report) return;
    const Money total = report->accountsTotal();
    Label6->setText(QString::fromStdString(total.format00()));
    const Money difference = Money::fromText(reportBalance_) - Money::fromText(Label6->text().toStdString());
    if (!difference.isZero()) {
        const Money variance = difference < Money() ? -difference : difference;
        main_.platform().dialogs.message("variance was " + QString::fromStdString(variance.format00()));
    }
}

void frmprinter::finish() {
    if (finished_) return;
    finished_ = true;
    main_.show();
    main_.ShowStub();
    hide();
    deleteLater();
}

}  // namespace quorvel::ui
