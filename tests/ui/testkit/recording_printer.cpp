#include "testkit/recording_printer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel::testkit {

QStringList PrintedDocument::pageText(std::size_t page) const {
    QStringList lines;
    if (page >= pages.size()) {
        ADD_FAILURE() << "no printed page " << page << " (" << pages.size() << " pages)";
        return lines;
    }
    for (const PrintedLine& line : pages[page]) {
        QString text = line.text;
        while (text.endsWith(' '))
            text.chop(1);
        lines << text;
    }
    return lines;
}

QStringList PrintedDocument::allText() const {
    QStringList lines;
    for (std::size_t page = 0; page < pages.size(); ++page)
        lines << pageText(page);
    return lines;
}

RecordingPrinter::RecordingPrinter() : RecordingPrinter(std::make_shared<PrintedDocument>()) {}

RecordingPrinter::RecordingPrinter(std::shared_ptr<PrintedDocument> document)
    : document_(std::move(document)) {}

int RecordingPrinter::lineHeight(double pointSize) {
    return static_cast<int>(std::lround(pointSize * 20 * 1.2));
}

QString RecordingPrinter::begin() {
    if (!failOnBegin_.isEmpty()) return failOnBegin_;
    if (document_->begun) {
        ADD_FAILURE() << "printer begun twice";
        return {};
    }
    document_->begun = true;
    document_->pages.emplace_back();
    y_ = 0;
    lineOpen_ = false;
    return {};
}

void RecordingPrinter::setFont(const QString& family, double pointSize) {
    font_.family = family;
    font_.pointSize = pointSize;
}

void RecordingPrinter::setBold(bool bold) {
    font_.bold = bold;
}

void RecordingPrinter::setDuplex(bool twoSided) {
    document_->duplex = twoSided;
}

// Printing outside a begun document is a fault of the program (it went on after a failed
// begin, or after end), so the test hears of it.
bool RecordingPrinter::printing(const char* call) const {
    if (document_->begun && !document_->ended) return true;
    ADD_FAILURE() << call << " with no document open (begin " << (document_->begun ? "done" : "not done")
                  << ", end " << (document_->ended ? "done" : "not done") << ")";
    return false;
}

PrintedLine& RecordingPrinter::openLine() {
    PrintedPage& page = document_->pages.back();
    if (!lineOpen_) {
        page.push_back(PrintedLine{{}, font_, y_, false, {}});
        lineOpen_ = true;
    }
    return page.back();
}

void RecordingPrinter::fitWidth(int columns, double pointSize) {
    document_->fitColumns = columns;
    document_->fitPoints = pointSize;
}

bool RecordingPrinter::startsLine(int column) const {
    return !lineOpen_ || document_->pages.back().back().text.size() > std::max(column, 1) - 1;
}

void RecordingPrinter::printAt(int column, const QString& text) {
    if (!printing("printAt")) return;
    if (pageDrawn_) newPage();
    const int start = std::max(column, 1) - 1;
    if (lineOpen_ && startsLine(column)) endLine();

    PrintedLine& line = openLine();
    line.text = line.text.leftJustified(start, ' ') + text;
    line.pieces.push_back(PrintedText{column, text, font_});
}

void RecordingPrinter::endLine() {
    if (!printing("endLine")) return;
    if (pageDrawn_) newPage();
    PrintedLine& line = openLine();
    line.font = font_;
    line.ended = true;
    lineOpen_ = false;
    y_ += lineHeight(font_.pointSize);
}

void RecordingPrinter::newPage() {
    if (!printing("newPage")) return;
    document_->pages.emplace_back();
    y_ = 0;
    lineOpen_ = false;
    pageDrawn_ = false;
}

void RecordingPrinter::drawPage(const platform::PagePainter& paint) {
    if (!printing("drawPage")) return;
    if (!document_->pages.back().empty() || pageDrawn_) newPage();
    document_->drawnPages.push_back(document_->pages.size() - 1);
    QImage page(768, 1008, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter, QRectF(page.rect()));
    pageDrawn_ = true;
}

QString RecordingPrinter::end() {
    if (!document_->begun)
        return failOnBegin_.isEmpty() ? QStringLiteral("Printing had not started.") : failOnBegin_;
    if (document_->ended) {
        ADD_FAILURE() << "printer ended twice";
        return {};
    }
    document_->ended = true;
    return failOnEnd_;
}

}  // namespace quorvel::testkit
