// The printer as the program drives it: a page of lines, each text placed at a character
// column of the current font, the vertical position read in twips (1/1440 inch) from the top
// of the page. Implementations: Qt's print system (a printer or a PDF file) and, in tests, a
// recording stand-in.
#pragma once

#include <QPageSize>
#include <QString>
#include <functional>

class QPainter;
class QRectF;

namespace quorvel::platform {

// Where printing goes: a printer by name and a paper size.
struct PrinterChoice {
    QString printer;  // empty: the computer's default printer
    QPageSize paper;  // invalid: the printer's own
    bool operator==(const PrinterChoice&) const = default;
};

// Paints a whole page into `area`, the printable area in the painter's units.
using PagePainter = std::function<void(QPainter& painter, const QRectF& area)>;

class Printer {
public:
    virtual ~Printer() = default;

    // Starts a document; returns an error text (no printer, printer offline), empty when ready.
    virtual QString begin() = 0;

    virtual void setFont(const QString& family, double pointSize) = 0;
    virtual void setBold(bool bold) = 0;
    virtual void setDuplex(bool twoSided) = 0;

    // Shrinks the drawing (never enlarges it) so that `columns` columns of the current font at
    // `pointSize` fit the printable width. Positions in twips stay as they were, unscaled.
    virtual void fitWidth(int columns, double pointSize) = 0;

    // Prints `text` from column `column` (1 = left edge of the printable area; one column is
    // one character advance of the current fixed-pitch font). A line that has already passed
    // the column goes on at that column of the next line. The line stays open for more text.
    virtual void printAt(int column, const QString& text) = 0;
    // Whether text at `column` would begin a line: nothing is printed on the current one yet,
    // or it has passed the column.
    virtual bool startsLine(int column) const = 0;
    // Ends the current line (an empty line when nothing was printed on it).
    virtual void endLine() = 0;
    // Twips from the top of the page to the current line.
    virtual int currentY() const = 0;
    // Twips that ending a line in the current font adds to the position.
    virtual int lineHeight() const = 0;
    // Twips from the top of the page to the bottom of its printable area.
    virtual int pageHeight() const = 0;
    virtual void newPage() = 0;
    // A page of its own painted by `paint` (a chart, say): begun here unless the current page
    // is still blank; text printed after it begins a further page.
    virtual void drawPage(const PagePainter& paint) = 0;
    // Releases the document to the printer; returns an error text, empty on success.
    virtual QString end() = 0;
};

}  // namespace quorvel::platform
