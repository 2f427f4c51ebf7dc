// Our own printer choice: the printers set up on the computer, by name, and the paper sizes
// the selected one takes. Only the printer and paper are chosen here; copies and two-sided
// printing are the report window's, and a PDF is saved from there too.
#pragma once

#include <QDialog>
#include <QList>
#include <QPageSize>
#include <vector>

#include "platform/printer.h"

class QComboBox;

namespace quorvel::platform {

struct InstalledPrinter {
    QString name;
    QList<QPageSize> papers;  // the sizes it takes
};

class PrinterChoiceDialog : public QDialog {
public:
    // Offers `printers` (at least one), the computer's default named `defaultPrinter`, with
    // `current` selected where the printer still takes it.
    PrinterChoiceDialog(std::vector<InstalledPrinter> printers, const QString& defaultPrinter,
                        const PrinterChoice& current, QWidget* parent = nullptr);

    PrinterChoice choice() const;

    QComboBox* CboPrinter = nullptr;  // first the default printer (an empty name), then each by name
    QComboBox* CboPaper = nullptr;    // first the printer's own paper (an invalid size)

    // The printers set up on this computer, print-to-file left out.
    static std::vector<InstalledPrinter> installed();

private:
    void offerPapers(const QPageSize& selected);

    std::vector<InstalledPrinter> printers_;
    QString defaultPrinter_;
    QString papersOf_;  // the printer whose papers CboPaper offers
};

}  // namespace quorvel::platform
