#include "platform/qt_printer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPointF>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

namespace quorvel::platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;

QFont initialFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(10);
    return font;
}

}  // namespace

std::unique_ptr<QtPrinter> QtPrinter::defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::unique_ptr<QtPrinter>(new QtPrinter(nullptr, {}));
    return std::unique_ptr<QtPrinter>(
        new QtPrinter(std::make_unique<QPrinter>(info, QPrinter::HighResolution), info.printerName()));
}

std::unique_ptr<QtPrinter> QtPrinter::pdfFile(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    printer->setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), path));
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, QString name)
    : printer_(std::move(printer)), name_(std::move(name)), font_(initialFont()) {}

QtPrinter::~QtPrinter() {
    if (!painter_.isActive()) return;
    printer_->abort();
    painter_.end();
    if (printer_->outputFormat() == QPrinter::PdfFormat) QFile::remove(printer_->outputFileName());
}

QString QtPrinter::begin() {
    if (!printer_) return QStringLiteral("No printer is set up on this computer.");
    if (painter_.isActive()) return {};
    if (!painter_.begin(printer_.get())) {
        if (printer_->outputFormat() == QPrinter::PdfFormat)
            return QStringLiteral("Cannot write the file %1.").arg(name_);
        return QStringLiteral("The printer %1 is not ready.").arg(name_);
    }
    painter_.setFont(font_);
    painter_.setPen(Qt::black);
    x_ = 0;
    y_ = 0;
    return {};
}

void QtPrinter::setFont(const QString& family, double pointSize) {
    const bool bold = font_.bold();
    font_ = QFont(family);
    // Where Courier itself is missing, another fixed-pitch font keeps the columns in line.
    if (family.contains("Courier", Qt::CaseInsensitive)) font_.setStyleHint(QFont::TypeWriter);
    font_.setPointSizeF(pointSize);
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

double QtPrinter::columnX(int column) const {
    if (!printer_) return 0;
    const QFontMetricsF metrics(font_, printer_.get());
    return std::max(column - 1, 0) * metrics.averageCharWidth();
}

double QtPrinter::toDevice(int twips) const {
    return twips * printer_->resolution() / kTwipsPerInch;
}

void QtPrinter::printAt(int column, const QString& text) {
    if (!painter_.isActive()) return;
    const QFontMetricsF metrics(font_, printer_.get());
    const double x = columnX(column);
    // Text that ends exactly on the column is not past it; rounding must not push it down.
    if (x_ > x + metrics.averageCharWidth() / 100) endLine();
    painter_.drawText(QPointF(x, toDevice(y_) + metrics.ascent()), text);
    x_ = x + metrics.horizontalAdvance(text);
}

void QtPrinter::endLine() {
    if (!printer_) return;
    const double spacing = QFontMetricsF(font_, printer_.get()).lineSpacing();
    y_ += static_cast<int>(std::lround(spacing * kTwipsPerInch / printer_->resolution()));
    x_ = 0;
}

int QtPrinter::currentY() const {
    return y_;
}

void QtPrinter::newPage() {
    if (!painter_.isActive()) return;
    printer_->newPage();
    x_ = 0;
    y_ = 0;
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
