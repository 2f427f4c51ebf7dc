#include "paged_printer.h"

namespace quorvel::print {

bool PagedPrinter::passesBottom() const {
    // A line taller than a whole page goes on the page it starts, not on endless new ones.
    return printer_.currentY() > 0 && printer_.currentY() + printer_.lineHeight() > printer_.pageHeight();
}

void PagedPrinter::beginLine() {
    if (inHead_ || !(pageFull_ || passesBottom())) return;
    printer_.newPage();
    pageFull_ = false;
    if (!head_) return;
    inHead_ = true;
    head_();
    inHead_ = false;
}

void PagedPrinter::printAt(int column, const QString& text) {
    if (printer_.startsLine(column)) {
        // The line the text would wrap onto is measured like any other.
        if (lineOpen_) {
            printer_.endLine();
            lineOpen_ = false;
        }
        beginLine();
    }
    printer_.printAt(column, text);
    lineOpen_ = true;
}

void PagedPrinter::endLine() {
    if (!lineOpen_ && !inHead_ && (pageFull_ || passesBottom())) {
        pageFull_ = true;
        return;
    }
    printer_.endLine();
    lineOpen_ = false;
}

void PagedPrinter::newPage() {
    printer_.newPage();
    lineOpen_ = false;
    pageFull_ = false;
}

void PagedPrinter::drawPage(const platform::PagePainter& paint) {
    printer_.drawPage(paint);
    lineOpen_ = false;
    pageFull_ = false;
}

}  // namespace quorvel::print
