// A printer that writes the document down as pages of text lines, so tests assert on what
// was printed and where. The record is shared, so it outlives the printer the program drops.
//
// Column c starts at character c-1 of the line. The vertical position follows a fixed model:
// each ended line adds round(pointSize * 24) twips for the font in effect when it ends
// (10 pt: 240), and a new page starts at 0.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "platform/printer.h"

namespace quorvel::testkit {

struct PrintFont {
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool operator==(const PrintFont&) const = default;
};

// One text as printAt placed it.
struct PrintedText {
    int column;
    QString text;
    PrintFont font;
};

struct PrintedLine {
    QString text;    // every placed text at its column, padded with spaces
    PrintFont font;  // in effect when the line ended (it decides the line's height)
    int y = 0;       // twips from the top of the page where the line starts
    bool ended = false;
    std::vector<PrintedText> pieces;
};

using PrintedPage = std::vector<PrintedLine>;

struct PrintedDocument {
    std::vector<PrintedPage> pages;
    bool begun = false;  // begin() succeeded
    bool ended = false;  // end() was called on a begun document
    bool duplex = false;
    int fitColumns = 0;  // the width asked for by fitWidth, in columns of `fitPoints`
    double fitPoints = 0;
    std::vector<std::size_t> drawnPages;  // the pages that drawPage painted, from 0

    // The texts of a page's lines, trailing spaces dropped.
    QStringList pageText(std::size_t page) const;
    // All lines of all pages, trailing spaces dropped.
    QStringList allText() const;
};

class RecordingPrinter : public platform::Printer {
public:
    RecordingPrinter();
    explicit RecordingPrinter(std::shared_ptr<PrintedDocument> document);

    // The page's printable height in twips; by default no text reaches the bottom.
    void setPageHeight(int twips) { pageHeight_ = twips; }
    // Makes begin() / end() fail with `error`, as a missing or failing printer would.
    void setFailOnBegin(const QString& error) { failOnBegin_ = error; }
    void setFailOnEnd(const QString& error) { failOnEnd_ = error; }

    const std::vector<PrintedPage>& pages() const { return document_->pages; }
    bool begun() const { return document_->begun; }
    bool ended() const { return document_->ended; }
    bool duplex() const { return document_->duplex; }
    std::shared_ptr<const PrintedDocument> document() const { return document_; }

    QString begin() override;
    void setFont(const QString& family, double pointSize) override;
    void setBold(bool bold) override;
    void setDuplex(bool twoSided) override;
    void fitWidth(int columns, double pointSize) override;
    void printAt(int column, const QString& text) override;
    bool startsLine(int column) const override;
    void endLine() override;
    int currentY() const override { return y_; }
    int lineHeight() const override { return lineHeight(font_.pointSize); }
    int pageHeight() const override { return pageHeight_; }
    void newPage() override;
    // Paints the page on an image of a Letter page's printable area at 96 dots per inch.
    void drawPage(const platform::PagePainter& paint) override;
    QString end() override;

    static int lineHeight(double pointSize);

private:
    bool printing(const char* call) const;
    PrintedLine& openLine();

    std::shared_ptr<PrintedDocument> document_;
    QString failOnBegin_;
    QString failOnEnd_;
    PrintFont font_{QStringLiteral("Courier New"), 10, false};
    int y_ = 0;
    int pageHeight_ = 1 << 30;
    bool lineOpen_ = false;
    bool pageDrawn_ = false;
};

}  // namespace quorvel::testkit
