// The texts of a PDF that Qt's print system wrote, page by page in drawing order. Qt draws
// each text as one text object: glyph codes, one positioning step per glyph, and a ToUnicode
// map in the font that turns the codes back into characters. Enough of the format is read
// here to get those texts and where each starts; it is not a PDF reader for other writers.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <vector>

namespace quorvel::test {

struct PdfText {
    QString text;
    double x = 0;        // where the first glyph starts, in the page's text units
    double advance = 0;  // the step from glyph to glyph; 0 for a single glyph
    QRectF box;          // the glyphs on the page, in points from its top left corner; the
                         // height from the font size (ascent 0.8, descent 0.2 of it)
};

struct PdfPage : std::vector<PdfText> {
    // In points from the page's top left corner: where Qt's drawing starts (the page's first
    // transformation) and as far from the right and bottom edges of the paper.
    QRectF printable;
    QSizeF paper;  // the media box
};

// Fails the test (and returns what it could read) when the file is not laid out as expected.
std::vector<PdfPage> readPdfTexts(const QByteArray& pdf);

}  // namespace quorvel::test
