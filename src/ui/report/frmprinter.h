// The report window: the title lines and the accounts where the money is held, the number of
// copies and two-sided printing, the printer and paper (remembered for next time) and whether
// the usage chart ends the report; from here the treasurer previews and prints the report, saves it as PDF,
// writes the monthly or annual report file, and checks the accounts against the books. While
// it is open the main window is hidden, so the ledger cannot change under it.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <utility>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "report/report_entries.h"
#include "report/report_file.h"
#include "ui/widgets/AmountBox.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel::ui {

class FrmMain;

class frmprinter : public QDialog {
    Q_OBJECT

public:
    // `namesFile` is where the account names are kept (accounts.dat).
    frmprinter(FrmMain& main, QString namesFile);

    // Hides the main window and shows this one.
    void start();

    QLineEdit* TxtaTitle = nullptr;
    QLineEdit* TxtbTitle = nullptr;
    QLineEdit* TxtcTitle = nullptr;
    // Control arrays: each box carries the array's name and its index in the "Index" property.
    std::array<QLineEdit*, kReportAccounts> txtname{};
    std::array<AmountBox*, kReportAccounts> TxtAmount{};
    QLineEdit* TxtPnum = nullptr;
    QCheckBox* Chkdouble = nullptr;
    QLabel* LblPaper = nullptr;
    QComboBox* CboPaper = nullptr;  // the PDF's paper; the printer's is chosen with CmdPrinter
    QLabel* LblPrinter = nullptr;
    QLabel* LblPreviewPaper = nullptr;  // the paper the preview shows
    QCheckBox* ChkChart = nullptr;
    QPushButton* CmdPreview = nullptr;
    QPushButton* CmdPrinter = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* CmdTotal = nullptr;
    QPushButton* CmdPdf = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    // The report files' save dialog: no title, no filter; it offers the last name chosen, and
    // a cancel answers with no name.
    platform::FileDialogOptions CommonDialog1;

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void CmdTotal_Click();
    void CmdPdf_Click();
    void CmdPreview_Click();
    void CmdPrinter_Click();
    void TxtAmount_lostfocus(int Index);
    // Escape or the window's close button: as "Cancel".
    void reject() override;

private:
    // Prints the copies; the copy that failed and why, or an empty reason.
    std::pair<int, QString> printCopies(const ReportEntries& report, int copies);
    // Says why nothing more was printed and offers a PDF instead.
    void printFailed(int copy, int copies, const QString& reason);
    // The usage chart's pages when the report is to end with it; none otherwise.
    std::vector<platform::PagePainter> chartPages() const;
    void showPrinter();
    // Whether the computer lists any printer; a print service that is down lists none.
    bool printersReachable() const;
    // The paper chosen for Save as PDF.
    QPageSize pdfPaper() const;
    // The printer's paper, or the PDF's where no printer can be reached.
    platform::PrinterChoice previewChoice() const;
    void titleTooLong();
    // The controls are made in their Tab order, which is the order of creation here.
    void buildControls();
    // The title lines and the accounts where the money is held.
    void createEntryBoxes();
    void createPrintControls();
    void layOutControls();
    void connectControls();
    // The window's entries in the ledger's code page; nothing (after a message) when a text
    // holds a character the code page lacks.
    std::optional<ReportEntries> entries();
    void writeReport(ReportFileKind kind);
    // titles.dat, beside the account names.
    QString titlesFile() const;
    // The main window back with its summary, this window gone.
    void finish();

    FrmMain& main_;
    QString namesFile_;
    bool titleLimitShown_ = false;
    // The balance as the window showed it on opening; "View Total" compares against it.
    std::string reportBalance_;
    bool finished_ = false;
    platform::PrinterChoice printer_;
};

}  // namespace quorvel::ui
