#include "FrmReconcile.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPushButton>
#include <QVBoxLayout>

#include "actions/recording.h"
#include "ledger/ledger_routines.h"
#include "ledger/typed_amount.h"
#include "platform/fixed_font.h"
#include "platform/qt_printer.h"
#include "print/pdf_output.h"
#include "print/print_replay.h"
#include "print/text_codec.h"
#include "reconcile/reconciliation_text.h"
#include "report/account_names.h"
#include "statement_reader.h"
#include "ui/chosen_printer.h"
#include "ui/mainwindow/FrmMain.h"
#include "ui/mainwindow/user_settings.h"
#include "ui/widgets/named_button.h"

namespace quorvel::ui {
namespace {

constexpr int kRowData = Qt::UserRole;

QListWidget* list(QWidget* parent, const char* name) {
    auto* box = new QListWidget(parent);
    box->setObjectName(name);
    box->setFont(platform::fixedPitchFont(10));
    return box;
}

void addRow(QListWidget* box, const std::string& text, std::size_t index) {
    auto* item = new QListWidgetItem(fromCp1252(text), box);
    item->setData(kRowData, static_cast<qulonglong>(index));
}

}  // namespace

FrmReconcile::FrmReconcile(FrmMain& main, QString namesFile)
    : ChildWindow(main), namesFile_(std::move(namesFile)) {
    setObjectName("FrmReconcile");
    setWindowTitle("Reconcile with Bank Statement");
    build();
}

void FrmReconcile::build() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    LblStatement = new QLabel(this);
    LblStatement->setObjectName("LblStatement");
    CmdStatement = namedButton(this, "CmdStatement", "Choose &Statement...");
    top->addWidget(LblStatement, 1);
    top->addWidget(CmdStatement);
    layout->addLayout(top);

    auto* lists = new QGridLayout;
    const std::pair<QListWidget**, const char*> boxes[] = {{&LstMatched, "LstMatched"},
                                                           {&LstBankOnly, "LstBankOnly"},
                                                           {&LstOutstanding, "LstOutstanding"},
                                                           {&LstInTransit, "LstInTransit"}};
    for (int i = 0; i < 4; ++i) {
        *boxes[i].first = list(this, boxes[i].second);
        auto* caption = new QLabel(this);
        caption->setObjectName(QString(boxes[i].second) + "Caption");
        caption->setBuddy(*boxes[i].first);
        // The matched lines are the widest: they run across the window, the other three below.
        const int row = i == 0 ? 0 : 2;
        const int column = i == 0 ? 0 : i - 1;
        lists->addWidget(caption, row, column, 1, i == 0 ? 3 : 1);
        lists->addWidget(*boxes[i].first, row + 1, column, 1, i == 0 ? 3 : 1);
    }
    layout->addLayout(lists, 1);

    auto* matching = new QHBoxLayout;
    CmdConfirm = namedButton(this, "CmdConfirm", "C&onfirm Match");
    CmdConfirmAll = namedButton(this, "CmdConfirmAll", "Confirm &All");
    CmdUnmatch = namedButton(this, "CmdUnmatch", "&Undo Match");
    CmdMatch = namedButton(this, "CmdMatch", "&Match Selected");
    CboAccount = new QComboBox(this);
    CboAccount->setObjectName("CboAccount");
    CmdRecord = namedButton(this, "CmdRecord", "&Record Bank Line");
    for (QWidget* w : std::initializer_list<QWidget*>{CmdConfirm, CmdConfirmAll, CmdUnmatch, CmdMatch})
        matching->addWidget(w);
    matching->addStretch();
    auto* chargesTo = new QLabel("Char&ges to:", this);
    chargesTo->setBuddy(CboAccount);
    matching->addWidget(chargesTo);
    matching->addWidget(CboAccount);
    matching->addWidget(CmdRecord);
    layout->addLayout(matching);

    auto* bottom = new QHBoxLayout;
    auto* others = new QGridLayout;
    auto* othersCaption = new QLabel("Oth&er accounts", this);
    others->addWidget(othersCaption, 0, 0, 1, 2);
    for (int k = 0; k < kReportAccounts; ++k) {
        TxtOtherName[k] = new QLineEdit(this);
        TxtOtherName[k]->setObjectName("TxtOtherName");
        TxtOtherName[k]->setProperty("Index", k);
        TxtOtherAmount[k] = new QLineEdit(this);
        TxtOtherAmount[k]->setObjectName("TxtOtherAmount");
        TxtOtherAmount[k]->setProperty("Index", k);
        others->addWidget(TxtOtherName[k], k + 1, 0);
        others->addWidget(TxtOtherAmount[k], k + 1, 1);
        connect(TxtOtherAmount[k], &QLineEdit::textChanged, this, [this] { refresh(); });
    }
    othersCaption->setBuddy(TxtOtherName[0]);
    bottom->addLayout(others);
    LblFormula = new QLabel(this);
    LblFormula->setObjectName("LblFormula");
    LblFormula->setFont(platform::fixedPitchFont(10));
    bottom->addWidget(LblFormula, 1);
    layout->addLayout(bottom);

    auto* commands = new QHBoxLayout;
    CmdSave = namedButton(this, "CmdSave", "Sa&ve");
    CmdPrint = namedButton(this, "CmdPrint", "&Print");
    CmdPdf = namedButton(this, "CmdPdf", "Save as P&DF");
    CmdClose = namedButton(this, "CmdClose", "&Close");
    CmdPdf->setEnabled(static_cast<bool>(main_.platform().pdfPrinter));
    commands->addStretch();
    for (QPushButton* b : {CmdSave, CmdPrint, CmdPdf, CmdClose}) commands->addWidget(b);
    layout->addLayout(commands);

    connect(CmdStatement, &QPushButton::clicked, this, &FrmReconcile::CmdStatement_Click);
    connect(CmdConfirm, &QPushButton::clicked, this, &FrmReconcile::CmdConfirm_Click);
    connect(CmdConfirmAll, &QPushButton::clicked, this, &FrmReconcile::CmdConfirmAll_Click);
    connect(CmdUnmatch, &QPushButton::clicked, this, &FrmReconcile::CmdUnmatch_Click);
    connect(CmdMatch, &QPushButton::clicked, this, &FrmReconcile::CmdMatch_Click);
    connect(CmdRecord, &QPushButton::clicked, this, &FrmReconcile::CmdRecord_Click);
    connect(CmdSave, &QPushButton::clicked, this, &FrmReconcile::CmdSave_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &FrmReconcile::CmdPrint_Click);
    connect(CmdPdf, &QPushButton::clicked, this, &FrmReconcile::CmdPdf_Click);
    connect(CmdClose, &QPushButton::clicked, this, &FrmReconcile::reject);
    resize(1100, 700);
}

std::optional<std::vector<BookItem>> FrmReconcile::currentItems() {
    auto records = main_.journal().readAll();
    if (failed(records.status())) return std::nullopt;
    std::vector<BookItem> items = bookItems(*records, origin_);
    items.insert(items.end(), carried_.begin(), carried_.end());
    return items;
}

bool FrmReconcile::Form_Load() {
    const std::string& month = main_.ledger().CurrentFile;
    origin_ = monthOrigin(month);
    const bool readOnly = main_.readOnly();
    CmdSave->setEnabled(!readOnly);
    CmdRecord->setEnabled(!readOnly);
    CboAccount->setEnabled(!readOnly);
    const Ledger& ledger = main_.ledger();
    for (int i = 1; i <= kLastWorkingRow; ++i)
        if (nameInUse(ledger.BudgetAcctName[i]))
            CboAccount->addItem(fromCp1252(ledger.BudgetAcctNumber[i] + " " + ledger.BudgetAcctName[i]), i);
    const AccountNames names = loadAccountNames(toPath(namesFile_));
    for (int k = 0; k < kReportAccounts; ++k) TxtOtherName[k]->setText(fromCp1252(names[k]));

    platform::Dialogs& dialogs = main_.platform().dialogs;
    std::string gap;
    if (auto carried = carriedItems(month, &gap); carried) {
        carried_ = std::move(carried).value();
        if (!gap.empty()) dialogs.message(fromPath(gap));
    } else {
        carryFault_ = fromPath(carried.message());
        dialogs.message(carryFault_ +
                        "\n\nUntil then nothing is carried from the months before, and this "
                        "reconciliation can be viewed and printed but not saved.");
    }
    auto saved = loadReconciliation(reconciliationFileOf(month));
    if (!saved) {
        dialogs.message(
            "The month's reconciliation file is damaged and is not used; saving replaces it.\n\n" +
            fromPath(saved.message()));
    } else {
        saved_ = std::move(saved).value();
    }
    if (!saved_) return CmdStatement_Click();
    auto items = currentItems();
    if (!items) return false;
    rec_ = restoreReconciliation(*saved_, std::move(*items));
    for (std::size_t k = 0; k < rec_.others.size() && k < kReportAccounts; ++k) {
        TxtOtherName[k]->setText(fromCp1252(rec_.others[k].name));
        const Money amount = rec_.others[k].amount;
        // Shown as saved: an amount of four decimals keeps them.
        TxtOtherAmount[k]->setText(
            QString::fromStdString(amount.units() % 100 == 0 ? amount.format00() : amount.toFileText()));
    }
    refresh();
    savedText_ = composeReconciliation(rec_);
    return true;
}

void FrmReconcile::reject() {
    check();
    const bool canSave = CmdSave->isEnabled() && carryFault_.isEmpty() && othersFault_.isEmpty();
    if (canSave && composeReconciliation(rec_) != savedText_ &&
        main_.platform().dialogs.message(
            "The reconciliation has changes that are not saved. Close it without saving?",
            platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    ChildWindow::reject();
}

void FrmReconcile::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    LstMatched->setFocus();
}

std::optional<statement::CsvColumns> FrmReconcile::askColumns(const std::string& path) {
    if (const auto kind = statement::statementKind(path); !kind || *kind != statement::StatementKind::Csv)
        return std::nullopt;
    auto header = statement::statementHeader(path);
    if (!header || statement::columnsFromHeader(*header)) return std::nullopt;
    // The mapping remembered from the bank's last statement, when it still reads this one.
    if (auto remembered = statement::parseColumnMapping(csvStatementColumns().toStdString()))
        if (statement::readStatement(path, *remembered)) return *remembered;
    QStringList shown;
    for (std::size_t i = 0; i < header->size(); ++i)
        shown << QString("%1 %2").arg(i + 1).arg(fromCp1252((*header)[i]));
    const QString typed = main_.platform().dialogs.input(
        "The statement's columns are not named as usual (" + shown.join(", ") +
            ").\nWhich column holds what? For example: date=1,description=2,cheque=3,amount=4,balance=5 "
            "(or debit= and credit= instead of amount=; add dates=dmy for dates written day/month/year)",
        "Statement Columns", csvStatementColumns());
    if (typed.isEmpty()) return std::nullopt;
    auto columns = statement::parseColumnMapping(typed.toStdString());
    if (!columns) {
        main_.platform().dialogs.message(QString::fromStdString(columns.message()));
        return std::nullopt;
    }
    rememberCsvStatementColumns(QString::fromStdString(statement::composeColumnMapping(*columns)));
    return *columns;
}

bool FrmReconcile::CmdStatement_Click() {
    platform::FileDialogOptions options;
    options.title = "Bank Statement";
    options.pattern = "*.ofx *.qfx *.csv *.OFX *.QFX *.CSV";
    options.defaultExtension = "ofx";
    options.initialName = QFileInfo(fromPath(main_.ledger().CurrentFile)).absolutePath() + "/*.ofx";
    options.emptyWhenCancelled = true;
    const QString name = main_.platform().dialogs.openFile(options);
    if (name.isEmpty() || name.contains('*')) return false;
    const std::string path = toPath(name);
    std::optional<statement::CsvColumns> columns = askColumns(path);
    auto read = statement::readStatement(path, columns);
    // Dates that read either way: the treasurer says which order the bank writes.
    statement::CsvColumns monthFirst = columns.value_or(statement::CsvColumns{}), dayFirst = monthFirst;
    monthFirst.dates = statement::DateOrder::MonthFirst;
    dayFirst.dates = statement::DateOrder::DayFirst;
    if (!read && statement::readStatement(path, monthFirst) && statement::readStatement(path, dayFirst)) {
        const QString order =
            main_.platform()
                .dialogs
                .input(fromPath(read.message()) +
                           "\n\nType mdy if the bank writes month/day/year, dmy if day/month/year.",
                       "Statement Dates", "")
                .trimmed()
                .toLower();
        if (order == "mdy" || order == "dmy") {
            const bool mapped = columns.has_value();  // a mapping is remembered with its order
            columns = order == "mdy" ? monthFirst : dayFirst;
            read = statement::readStatement(path, columns);
            if (read && mapped)
                rememberCsvStatementColumns(
                    QString::fromStdString(statement::composeColumnMapping(*columns)));
        }
    }
    if (!read) {
        main_.platform().dialogs.message("The statement was not read; nothing has changed.\n\n" +
                                         fromPath(read.message()));
        return false;
    }
    auto items = currentItems();
    if (!items) return false;
    const std::vector<OtherAccount> others = rec_.others;
    rec_ = reconcile(std::move(read).value(), std::move(*items), saved_);
    rec_.statementName = QFileInfo(name).fileName().toStdString();
    if (!others.empty()) rec_.others = others;
    refresh();
    return true;
}

std::optional<std::size_t> FrmReconcile::selected(QListWidget* box) const {
    const QListWidgetItem* item = box->currentItem();
    if (!item || !item->isSelected()) return std::nullopt;
    return static_cast<std::size_t>(item->data(kRowData).toULongLong());
}

void FrmReconcile::CmdConfirm_Click() {
    const auto line = selected(LstMatched);
    if (!line) return main_.platform().dialogs.message("Choose a matched line to confirm."), void();
    rec_.confirm(*line, rec_.match[*line]);
    refresh();
}

void FrmReconcile::CmdConfirmAll_Click() {
    rec_.confirmProposals();
    refresh();
}

void FrmReconcile::CmdUnmatch_Click() {
    const auto line = selected(LstMatched);
    if (!line) return main_.platform().dialogs.message("Choose a matched line to undo."), void();
    rec_.confirm(*line, std::nullopt);
    refresh();
}

void FrmReconcile::CmdMatch_Click() {
    const auto line = selected(LstBankOnly);
    const auto cheque = selected(LstOutstanding);
    const auto deposit = selected(LstInTransit);
    if (cheque && deposit)
        return main_.platform().dialogs.message(
                   "Both an outstanding cheque and a deposit in transit are chosen: choose only the one the "
                   "statement line clears."),
               void();
    const auto item = cheque ? cheque : deposit;
    if (!line || !item)
        return main_.platform().dialogs.message(
                   "Choose a statement line and the outstanding cheque or deposit it clears."),
               void();
    if (rec_.items[*item].amount != rec_.statement.lines[*line].amount)
        return main_.platform().dialogs.message("The amounts differ: a match must be for the same amount."),
               void();
    rec_.confirm(*line, item);
    refresh();
}

void FrmReconcile::CmdRecord_Click() {
    const auto line = selected(LstBankOnly);
    if (!line) return main_.platform().dialogs.message("Choose the statement line to record."), void();
    const StatementLine& bank = rec_.statement.lines[*line];
    const Money amount = bank.amount.units() < 0 ? -bank.amount : bank.amount;
    const std::string amountText = amount.format00();
    // An action holds whole cents; rounding the bank's figure would book another amount.
    if (amount.units() % 100 != 0) {
        const QString shown = QString::fromStdString(amount.toFileText());
        return main_.platform().dialogs.message("The statement line's amount " + shown +
                                                " is not in whole cents, so it is not recorded from here."),
               void();
    }
    const std::string reference = referenceDate(bank.date);
    const bool charge = bank.amount.units() < 0;
    if (charge && CboAccount->currentIndex() < 0)
        return main_.platform().dialogs.message("Choose the budget account the charge is recorded against."),
               void();
    // A click writes to the journal for good: say what is recorded, and warn as the budget
    // expenditure window does when the account's budget is passed.
    QString question = charge
                           ? QStringLiteral("Record %1 as a budget expenditure of %2, dated %3?")
                                 .arg(QString::fromStdString(amountText), CboAccount->currentText(),
                                      QString::fromStdString(reference))
                           : QStringLiteral("Record %1 as a deposit, dated %2?")
                                 .arg(QString::fromStdString(amountText), QString::fromStdString(reference));
    if (charge && overBudget(main_.ledger(), CboAccount->currentData().toInt(), amount))
        question += "\n\nYou are attempting to spend more than is budgeted.";
    if (main_.platform().dialogs.message(question, platform::Buttons::YesNo) != platform::Answer::Yes) return;
    Status recorded = Status::Ok();
    // Money out of the account is a charge against a budget account; money in, a deposit.
    if (charge) {
        recorded = recordBudgetExpenditure(main_.ledger(), main_.journal(), CboAccount->currentData().toInt(),
                                           amountText, reference);
    } else {
        recorded = recordDeposit(main_.ledger(), main_.journal(), amountText, reference);
    }
    if (!recorded.ok() && !recorded.tookEffect()) return failed(recorded), void();
    if (!recorded.ok()) main_.platform().dialogs.message(QString::fromStdString(recorded.message()));
    auto items = currentItems();
    if (!items) return;
    rec_.items = std::move(*items);
    // The action recorded last is the one made for this line.
    rec_.confirm(*line, rec_.items.size() - carried_.size() - 1);
    refresh();
}

BalanceCheck FrmReconcile::check() {
    rec_.others.clear();
    othersFault_.clear();
    for (int k = 0; k < kReportAccounts; ++k) {
        const QString amount = TxtOtherAmount[k]->text().trimmed();
        // A name the reconciliation file cannot hold is refused, never saved as something else.
        const std::optional<std::string> name = toCp1252(TxtOtherName[k]->text());
        TxtOtherName[k]->setStyleSheet(name ? QString() : QStringLiteral("background: #ffc0c0"));
        if (!name) {
            if (othersFault_.isEmpty())
                othersFault_ = QString(
                                   "The name of other account %1 holds a character the reconciliation "
                                   "file cannot hold (Windows-1252 only).")
                                   .arg(k + 1);
            continue;
        }
        auto read =
            amount.isEmpty() ? Result<Money>(Money()) : readTypedAmount(amount.toStdString(), *name, 4);
        // A refused amount is marked and left out; the formula then says it is incomplete.
        TxtOtherAmount[k]->setStyleSheet(read ? QString() : QStringLiteral("background: #ffc0c0"));
        TxtOtherAmount[k]->setToolTip(read ? QString() : fromCp1252(read.message()));
        if (!read && othersFault_.isEmpty()) othersFault_ = fromCp1252(read.message());
        if (read && !amount.isEmpty()) rec_.others.push_back({*name, *read});
    }
    RecomputeTotals(main_.ledger());
    return balanceCheck(rec_, main_.ledger().Summary[kRemainingBalance]);
}

void FrmReconcile::refresh() {
    if (rec_.match.size() != rec_.statement.lines.size()) rec_.resetMatches();
    const QString closing = QString::fromStdString(rec_.statement.closingBalance.format00());
    QString heading = QString("Statement %1, closing balance %2").arg(fromPath(rec_.statementName), closing);
    for (const StatementLine& line : rec_.statement.pending)
        heading +=
            "\nPending at the bank (not in the closing balance): " + fromCp1252(statementLineText(line));
    LblStatement->setText(heading);
    const ReconciliationLists lists = reconciliationLists(rec_);
    LstMatched->clear();
    for (const std::size_t i : lists.matched)
        addRow(LstMatched,
               statementLineText(rec_.statement.lines[i]) + "  = " +
                   bookItemLine(rec_.items[*rec_.match[i]]) + (rec_.confirmed[i] ? "" : "  (proposed)"),
               i);
    LstBankOnly->clear();
    for (const std::size_t i : lists.bankOnly)
        addRow(LstBankOnly, statementLineText(rec_.statement.lines[i]), i);
    LstOutstanding->clear();
    for (const std::size_t i : lists.outstandingCheques)
        addRow(LstOutstanding, bookItemLine(rec_.items[i]), i);
    LstInTransit->clear();
    for (const std::size_t i : lists.depositsInTransit) addRow(LstInTransit, bookItemLine(rec_.items[i]), i);
    const std::pair<const char*, std::size_t> captions[] = {
        {"Matc&hed (%1)", lists.matched.size()},
        {"Statement &lines without an action (%1)", lists.bankOnly.size()},
        {"Outsta&nding cheques (%1)", lists.outstandingCheques.size()},
        {"Deposits in &transit (%1)", lists.depositsInTransit.size()}};
    const char* names[] = {"LstMatchedCaption", "LstBankOnlyCaption", "LstOutstandingCaption",
                           "LstInTransitCaption"};
    for (int i = 0; i < 4; ++i)
        findChild<QLabel*>(names[i])->setText(QString(captions[i].first).arg(captions[i].second));
    QStringList formula;
    for (const std::string& line : balanceLines(check())) formula << fromCp1252(line);
    if (!othersFault_.isEmpty())
        formula << "Incomplete until the other accounts are corrected:" << othersFault_;
    LblFormula->setText(formula.join('\n'));
}

std::optional<std::vector<std::string>> FrmReconcile::printedLines() {
    const BalanceCheck figures = check();
    if (!othersFault_.isEmpty()) {
        main_.platform().dialogs.message(
            "The reconciliation is incomplete: correct the other accounts first.\n\n" + othersFault_);
        return std::nullopt;
    }
    return reconciliationLines(rec_, figures, origin_);
}

void FrmReconcile::CmdSave_Click() {
    const std::size_t proposed = check().proposed;
    if (!othersFault_.isEmpty()) {
        main_.platform().dialogs.message(
            "The reconciliation was not saved: correct the other accounts first. "
            "Nothing has changed on disk.\n\n" +
            othersFault_);
        return;
    }
    if (!carryFault_.isEmpty()) {
        // Saved now, the items last month carries would be gone from every month after.
        main_.platform().dialogs.message(
            "The reconciliation was not saved: an earlier month's files cannot "
            "be read, so the items they carry are missing. Nothing has changed "
            "on disk.\n\n" +
            carryFault_);
        return;
    }
    if (proposed > 0) {
        const QString question =
            "%1 proposed matches are not confirmed. Confirm them before saving?\n\n"
            "No saves them as proposals: they clear nothing and carry into next month.";
        switch (main_.platform().dialogs.message(question.arg(proposed), platform::Buttons::YesNoCancel)) {
            case platform::Answer::Yes:
                rec_.confirmProposals();
                refresh();
                break;
            case platform::Answer::No:
                break;
            default:
                return;
        }
    }
    const Status saved = saveMonthReconciliation(main_.ledger().CurrentFile, rec_);
    if (!saved) {
        main_.platform().dialogs.message(
            "The reconciliation was not saved; the file beside the month is as it was.\n\n" +
            fromPath(saved.message()));
        return;
    }
    savedText_ = composeReconciliation(rec_);
    main_.platform().dialogs.message("The reconciliation is saved beside the month.");
}

void FrmReconcile::CmdPrint_Click() {
    const auto lines = printedLines();
    if (!lines) return;
    if (main_.platform().dialogs.message(printerReadyQuestion(printerChoice()), platform::Buttons::YesNo) !=
        platform::Answer::Yes)
        return;
    const std::unique_ptr<platform::Printer> printer = rememberedPrinterJob(main_.platform());
    const QString error = printer ? print::printJob(printedReconciliation(*lines), *printer, false)
                                  : QStringLiteral("No printer is set up on this computer.");
    if (!error.isEmpty()) main_.platform().dialogs.message("The reconciliation was not printed.\n\n" + error);
}

void FrmReconcile::CmdPdf_Click() {
    platform::FileDialogOptions options;
    options.title = "Save as PDF";
    options.pattern = "*.pdf";
    options.defaultExtension = "pdf";
    options.overwritePrompt = true;
    options.initialName = QFileInfo(fromPath(main_.ledger().CurrentFile)).absolutePath() + "/*.pdf";
    const QString name = main_.platform().dialogs.saveFile(options);
    if (name.isEmpty() || name.contains('*')) return;
    const auto lines = printedLines();
    if (!lines) return;
    if (const Status allowed = checkNotMonthOwnFile(toPath(name), main_.ledger().CurrentFile); !allowed) {
        main_.platform().dialogs.message("The reconciliation could not be saved as PDF.\n\n" +
                                         fromPath(allowed.message()));
        return;
    }
    const QPageSize paper = platform::QtPrinter::localePaper();
    const auto pdfPrinter = [this, &paper](const QString& path) {
        return main_.platform().pdfPrinter(path, paper);
    };
    const QString error = print::writeReportPdf(printedReconciliation(*lines), pdfPrinter, name);
    if (!error.isEmpty())
        main_.platform().dialogs.message("The reconciliation could not be saved as PDF.\n\n" + error);
}

}  // namespace quorvel::ui
