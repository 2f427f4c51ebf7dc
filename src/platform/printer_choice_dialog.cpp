#include "platform/printer_choice_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPrinterInfo>

namespace quorvel::platform {

PrinterChoiceDialog::PrinterChoiceDialog(std::vector<InstalledPrinter> printers,
                                         const QString& defaultPrinter, const PrinterChoice& current,
                                         QWidget* parent)
    : QDialog(parent), printers_(std::move(printers)), defaultPrinter_(defaultPrinter) {
    setObjectName("PrinterChoiceDialog");
    setWindowTitle(QStringLiteral("Choose Printer"));
    CboPrinter = new QComboBox(this);
    CboPrinter->setObjectName("CboPrinter");
    const QString byDefault = QStringLiteral("The default printer");
    CboPrinter->addItem(defaultPrinter_.isEmpty() ? byDefault : byDefault + " (" + defaultPrinter_ + ")",
                        QString());
    for (const InstalledPrinter& printer : printers_) CboPrinter->addItem(printer.name, printer.name);
    CboPrinter->setCurrentIndex(std::max(CboPrinter->findData(current.printer), 0));
    CboPaper = new QComboBox(this);
    CboPaper->setObjectName("CboPaper");
    offerPapers(current.paper);
    // The paper chosen stays selected where the next printer takes it too.
    connect(CboPrinter, &QComboBox::currentIndexChanged, this, [this] { offerPapers(choice().paper); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Printer"), CboPrinter);
    form->addRow(QStringLiteral("P&aper"), CboPaper);
    form->addRow(buttons);
}

void PrinterChoiceDialog::offerPapers(const QPageSize& selected) {
    const QString name = CboPrinter->currentData().toString();
    const QString shown = name.isEmpty() ? defaultPrinter_ : name;
    papersOf_ = shown;
    CboPaper->clear();
    CboPaper->addItem(QStringLiteral("The printer's own paper"));
    for (const InstalledPrinter& printer : printers_) {
        if (printer.name != shown) continue;
        for (const QPageSize& paper : printer.papers) {
            CboPaper->addItem(paper.name());
            if (selected.isValid() && paper.isEquivalentTo(selected))
                CboPaper->setCurrentIndex(CboPaper->count() - 1);
        }
    }
}

PrinterChoice PrinterChoiceDialog::choice() const {
    PrinterChoice chosen{CboPrinter->currentData().toString(), {}};
    for (const InstalledPrinter& printer : printers_)
        if (printer.name == papersOf_ && CboPaper->currentIndex() > 0)
            chosen.paper = printer.papers.value(CboPaper->currentIndex() - 1);
    return chosen;
}

std::vector<InstalledPrinter> PrinterChoiceDialog::installed() {
    std::vector<InstalledPrinter> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.push_back({info.printerName(), info.supportedPageSizes()});
    return printers;
}

}  // namespace quorvel::platform
