#include "platform/qt_printer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPointF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "platform/fixed_font.h"

namespace quorvel::platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

std::unique_ptr<QtPrinter> QtPrinter::defaultPrinter() { return chosenPrinter({}); }

namespace {

QPrinterInfo printerInfo(const PrinterChoice& choice) {
    return choice.printer.isEmpty() ? QPrinterInfo::defaultPrinter()
                                    : QPrinterInfo::printerInfo(choice.printer);
}

bool takes(const QPrinterInfo& info, const QPageSize& paper) {
    const QList<QPageSize> papers = info.supportedPageSizes();
    // A printer that lists no sizes (or takes any size) is not second-guessed.
    const auto same = [&paper](const QPageSize& p) { return p.isEquivalentTo(paper); };
    return !paper.isValid() || papers.isEmpty() || info.supportsCustomPageSizes() ||
           std::any_of(papers.begin(), papers.end(), same);
}

}  // namespace

std::unique_ptr<QPrinter> QtPrinter::printerFor(const PrinterChoice& choice) {
    const QPrinterInfo info = printerInfo(choice);
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    const QPageSize& paper = choice.paper;
    if (!(paper.isValid() && takes(info, paper) && printer->setPageSize(paper)))
        printer->setPageSize(info.defaultPageSize());
    return printer;
}

bool QtPrinter::takesPaper(const PrinterChoice& choice) {
    const QPrinterInfo info = printerInfo(choice);
    return !info.isNull() && takes(info, choice.paper);
}

std::unique_ptr<QtPrinter> QtPrinter::chosenPrinter(const PrinterChoice& choice) {
    std::unique_ptr<QPrinter> printer = printerFor(choice);
    const QString name = printer ? printer->printerName() : choice.printer;
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), name));
}

std::unique_ptr<QtPrinter> QtPrinter::onPrinter(QPrinter& printer) {
    return std::unique_ptr<QtPrinter>(new QtPrinter(printer, printer.printerName()));
}

QStringList QtPrinter::printerNames() { return QPrinterInfo::availablePrinterNames(); }

QPageSize QtPrinter::localePaper() {
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

std::unique_ptr<QtPrinter> QtPrinter::pdfFile(const QString& path, const QPageSize& paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(paper);
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), path));
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, QString name)
    : owned_(std::move(printer)), printer_(owned_.get()), name_(std::move(name)), font_(fixedPitchFont(10)) {}

QtPrinter::QtPrinter(QPrinter& printer, QString name)
    : printer_(&printer), name_(std::move(name)), font_(fixedPitchFont(10)) {}

QtPrinter::~QtPrinter() {
    if (!painter_.isActive()) return;
    printer_->abort();
    painter_.end();
    if (printer_->outputFormat() == QPrinter::PdfFormat) QFile::remove(printer_->outputFileName());
}

QString QtPrinter::begin() {
    if (!printer_) {
        return name_.isEmpty() ? QStringLiteral("No printer is set up on this computer.")
                               : QStringLiteral("The printer %1 is not set up on this computer.").arg(name_);
    }
    if (painter_.isActive()) return {};
    if (!painter_.begin(printer_)) {
        if (printer_->outputFormat() == QPrinter::PdfFormat)
            return QStringLiteral("Cannot write the file %1.").arg(name_);
        return QStringLiteral("The printer %1 is not ready.").arg(name_);
    }
    painter_.setFont(font_);
    painter_.setPen(Qt::black);
    painter_.setTransform(QTransform::fromScale(scale_, scale_));
    x_ = 0;
    y_ = 0;
    lineOpen_ = false;
    pageDrawn_ = false;
    return {};
}

void QtPrinter::setFont(const QString& family, double pointSize) {
    const bool bold = font_.bold();
    font_ = fixedPitchFont(pointSize, family);
    font_.setBold(bold);
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrinter::setBold(bool bold) {
    font_.setBold(bold);
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrinter::setDuplex(bool twoSided) {
    if (printer_) printer_->setDuplex(twoSided ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
}

void QtPrinter::fitWidth(int columns, double pointSize) {
    if (!printer_) return;
    QFont font = font_;
    font.setPointSizeF(pointSize);
    const double needed = columns * QFontMetricsF(font, printer_).horizontalAdvance(QLatin1Char('0'));
    const double width = printer_->pageLayout().paintRectPixels(printer_->resolution()).width();
    scale_ = needed > width ? width / needed : 1.0;
    if (painter_.isActive()) painter_.setTransform(QTransform::fromScale(scale_, scale_));
}

// The columns follow the real advance of the fixed-pitch face; its average character width
// may differ by several percent.
double QtPrinter::advance() const {
    return QFontMetricsF(font_, printer_).horizontalAdvance(QLatin1Char('0'));
}

double QtPrinter::columnX(int column) const { return std::max(column - 1, 0) * advance(); }

double QtPrinter::toDevice(int twips) const { return twips * printer_->resolution() / kTwipsPerInch; }

double QtPrinter::toTwips(double device) const { return device * kTwipsPerInch / printer_->resolution(); }

bool QtPrinter::startsLine(int column) const {
    if (!printer_ || !lineOpen_) return true;
    // Text that ends exactly on the column is not past it; rounding must not push it down.
    return x_ > columnX(column) + advance() / 100;
}

void QtPrinter::printAt(int column, const QString& text) {
    if (!painter_.isActive()) return;
    if (pageDrawn_) newPage();
    if (lineOpen_ && startsLine(column)) endLine();
    const QFontMetricsF metrics(font_, printer_);
    const double x = columnX(column);
    painter_.drawText(QPointF(x, toDevice(y_) + metrics.ascent()), text);
    x_ = x + metrics.horizontalAdvance(text);
    lineOpen_ = true;
}

void QtPrinter::endLine() {
    if (!printer_) return;
    y_ += lineHeight();
    x_ = 0;
    lineOpen_ = false;
}

int QtPrinter::currentY() const { return y_; }

int QtPrinter::lineHeight() const {
    if (!printer_) return 0;
    return static_cast<int>(std::lround(toTwips(QFontMetricsF(font_, printer_).lineSpacing())));
}

int QtPrinter::pageHeight() const {
    if (!printer_) return 0;
    const double height = printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
    return static_cast<int>(std::floor(toTwips(height / scale_)));
}

void QtPrinter::newPage() {
    if (!painter_.isActive()) return;
    printer_->newPage();
    x_ = 0;
    y_ = 0;
    lineOpen_ = false;
    pageDrawn_ = false;
}

void QtPrinter::drawPage(const PagePainter& paint) {
    if (!painter_.isActive()) return;
    if (y_ > 0 || lineOpen_ || pageDrawn_) newPage();
    const QRectF area(QPointF(0, 0), printer_->pageLayout().paintRectPixels(printer_->resolution()).size());
    painter_.save();
    painter_.resetTransform();
    paint(painter_, area);
    painter_.restore();
    pageDrawn_ = true;
}

QString QtPrinter::end() {
    if (!painter_.isActive()) return QStringLiteral("Printing had not started.");
    const bool ended = painter_.end();
    if (!ended || printer_->printerState() == QPrinter::Error) {
        if (printer_->outputFormat() == QPrinter::PdfFormat)
            return QStringLiteral("The file %1 could not be written.").arg(name_);
        return QStringLiteral("The printer %1 reported an error.").arg(name_);
    }
    return {};
}

}  // namespace quorvel::platform
