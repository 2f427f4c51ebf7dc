// A printer that keeps every line on the paper: a line that would pass the bottom of the
// printable area first begins a new page, and a page begun so starts with the page head
// (a table's headings, say). Blank lines past the bottom are dropped rather than begin a page
// of their own. Everything else goes straight to the printer beneath.
#pragma once

#include <functional>

#include "platform/printer.h"

namespace quorvel::print {

class PagedPrinter : public platform::Printer {
public:
    explicit PagedPrinter(platform::Printer& printer) : printer_(printer) {}

    // Printed at the top of each page begun here from now on, through this printer; empty: none.
    void setPageHead(std::function<void()> head) { head_ = std::move(head); }

    QString begin() override { return printer_.begin(); }
    void setFont(const QString& family, double pointSize) override { printer_.setFont(family, pointSize); }
    void setBold(bool bold) override { printer_.setBold(bold); }
    void setDuplex(bool twoSided) override { printer_.setDuplex(twoSided); }
    void fitWidth(int columns, double pointSize) override { printer_.fitWidth(columns, pointSize); }
    void printAt(int column, const QString& text) override;
    bool startsLine(int column) const override { return printer_.startsLine(column); }
    void endLine() override;
    int currentY() const override { return printer_.currentY(); }
    int lineHeight() const override { return printer_.lineHeight(); }
    int pageHeight() const override { return printer_.pageHeight(); }
    void newPage() override;
    void drawPage(const platform::PagePainter& paint) override;
    QString end() override { return printer_.end(); }

private:
    bool passesBottom() const;
    void beginLine();

    platform::Printer& printer_;
    std::function<void()> head_;
    bool lineOpen_ = false;
    bool pageFull_ = false;  // a blank line was dropped at the bottom
    bool inHead_ = false;
};

}  // namespace quorvel::print
